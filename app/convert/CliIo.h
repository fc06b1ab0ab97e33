#pragma once
// How lumivex-convert talks: messages on standard error, progress on a terminal.
//
// The terminal gets UTF-8. A text of the program (Windows-1252, the language texts included) goes
// through Tx(); a path, or anything else the user typed, is the file system's bytes and is written
// as it is: an accented folder name reads right, never as mojibake.
#include "common/DurableFile.h"
#include "core/Ports.h"
#include "model/Progress.h"
#include "core/ConversionRun.h"

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lmx::cli {

std::string Tx(std::string_view cp1252);
// A text of the program whose "%s" are filled, left to right, with such bytes.
std::string TxFill(std::string_view cp1252, std::initializer_list<std::string_view> raw);

// One line, already UTF-8, to standard error or standard output.
void PrintErr(const std::string& utf8);
void PrintOut(const std::string& utf8);

class CliMessages final : public IMessages {
  public:
    void Show(const std::string& text) override { PrintErr(Tx(text)); }
    // Nothing is asked on the command line: the options decide beforehand.
    bool Confirm(const std::string& text) override {
        PrintErr(Tx(text));
        return false;
    }
};

// A one-line progress display on standard error: share of the bytes read, rate, time left.
// The engine's per-line call costs a counter; the clock is read every 1024 lines and the line
// redrawn at most four times a second, not before half a second (a short run shows nothing).
class CliRunView final : public IRunView {
  public:
    // total: the bytes of every source, or -1 when one cannot be known (a pipe); words: the
    // language's (Windows-1252, outliving the view).
    CliRunView(bool show, int64_t total, const ProgressWords& words);
    void LineDone(const RunState& run) override {
        if (!show_ || (++tick_ & 0x3FF) != 0) return;
        Draw(run);
    }
    void ReadingFrom(const LineReader* in, int64_t bytesBefore) override {
        in_ = in;
        before_ = bytesBefore;
    }
    // Clears the line.
    void Finish();

  private:
    void Draw(const RunState& run);
    bool show_;
    int64_t total_;
    ProgressWords words_;
    uint32_t tick_ = 0;
    bool drawn_ = false;
    const LineReader* in_ = nullptr;
    int64_t before_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
};

} // namespace lmx::cli

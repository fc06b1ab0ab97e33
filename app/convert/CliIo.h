#pragma once
// How lumivex-convert talks: messages on standard error, progress on a terminal.
#include "common/UDurable.h"
#include "core/UPorts.h"
#include "core/URun.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace lmx::cli {

// Texts are Windows-1252 inside; the terminal gets UTF-8.
void PrintErr(const std::string& cp1252);
void PrintOut(const std::string& cp1252);

class CliMessages final : public IMessages {
public:
    void Show(const std::string& text) override { PrintErr(text); }
    // Nothing is asked on the command line: the options decide beforehand.
    bool Confirm(const std::string& text) override {
        PrintErr(text);
        return false;
    }
};

// A one-line progress display on standard error, redrawn at most five times a second.
class CliRunView final : public IRunView {
public:
    CliRunView(bool show, ITempFiles& temps) : show_(show), temps_(temps) {}
    void LineDone(const RunState& run) override {
        if (!show_ || (++tick_ & 0xFFFF) != 0) return;
        Draw(run);
    }
    void SetStatus(const std::string& text) override { status_ = text; }
    ITempFiles* TempFiles() override { return &temps_; }
    void Finish();

private:
    void Draw(const RunState& run);
    bool show_;
    ITempFiles& temps_;
    uint32_t tick_ = 0;
    bool drawn_ = false;
    std::string status_;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace lmx::cli

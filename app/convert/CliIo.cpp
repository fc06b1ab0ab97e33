#include "CliIo.h"

#include "common/Cp1252.h"
#include "core/LineReader.h"
#include "model/Progress.h"

#include <cstdio>

namespace lmx::cli {

std::string Tx(std::string_view cp1252) {
    return Cp1252ToUtf8(std::string(cp1252));
}

std::string TxFill(std::string_view cp1252, std::initializer_list<std::string_view> raw) {
    std::string out;
    std::size_t from = 0;
    for (const std::string_view value : raw) {
        const std::size_t at = cp1252.find("%s", from);
        if (at == std::string_view::npos) break;
        out += Tx(cp1252.substr(from, at - from));
        out += value;
        from = at + 2;
    }
    return out + Tx(cp1252.substr(from));
}

void PrintErr(const std::string& utf8) {
    const std::string s = utf8 + "\n";
    std::fwrite(s.data(), 1, s.size(), stderr);
}

void PrintOut(const std::string& utf8) {
    const std::string s = utf8 + "\n";
    std::fwrite(s.data(), 1, s.size(), stdout);
}

CliRunView::CliRunView(bool show, int64_t total, const ProgressWords& words)
    : show_(show), total_(total), words_(words), start_(std::chrono::steady_clock::now()),
      last_(start_) {}

void CliRunView::Draw(const RunState& run) {
    using std::chrono::milliseconds;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < milliseconds(500) || now - last_ < milliseconds(250)) return;
    last_ = now;
    ProgressFigures f;
    f.done = before_ + (in_ ? in_->Consumed() : 0);
    f.total = total_;
    f.millis = std::chrono::duration_cast<milliseconds>(now - start_).count();
    f.lines = run.LinesRead;
    f.rejected = run.RejectedTotal;
    const std::string line = "\r" + Tx(ProgressText(f, words_)) + "\x1b[K";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

void CliRunView::Finish() {
    if (drawn_) std::fputs("\r\x1b[K", stderr);
    drawn_ = false;
}

} // namespace lmx::cli

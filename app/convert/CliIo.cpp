#include "CliIo.h"

#include "common/Cp1252.h"
#include "common/Text.h"

#include <cstdio>

namespace lmx::cli {

void PrintErr(const std::string& cp1252) {
    const std::string s = Cp1252ToUtf8(cp1252) + "\n";
    std::fwrite(s.data(), 1, s.size(), stderr);
}

void PrintOut(const std::string& cp1252) {
    const std::string s = Cp1252ToUtf8(cp1252) + "\n";
    std::fwrite(s.data(), 1, s.size(), stdout);
}

void CliRunView::Draw(const RunState& run) {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(200)) return;
    last_ = now;
    const std::string line = "\r" + Cp1252ToUtf8(status_) + "  " + IntToStr(run.LinesRead) + " lines, " +
                             IntToStr(run.RejectedTotal) + " rejected\x1b[K";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

void CliRunView::Finish() {
    if (drawn_) std::fputs("\r\x1b[K", stderr);
}

} // namespace lmx::cli

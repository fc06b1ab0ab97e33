#pragma once
// The conversion itself, once the session is set up: formats, sources, result, run, summary.
#include "CliOptions.h"

namespace lmx {
class Session;
}

namespace lmx::cli {


enum ExitCode : int { exOk = 0, exRejected = 1, exIncomplete = 2, exNothing = 3, exAfterFailed = 4 };
// Not an exit status: the reader of the result went away; the program ends as SIGPIPE ends one.
constexpr int kReaderGone = -1;

// Paths of the options made absolute; "-o -" is standard output.
int ConvertFiles(Session& s, const CliOptions& o);

} // namespace lmx::cli

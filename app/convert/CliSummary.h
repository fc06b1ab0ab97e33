#pragma once
// --summary: after a run, one line per number column of the result on standard output, tab-separated
// words of the run's language, so that a script can refuse a result whose largest jump is suspicious.
#include <string>

namespace lmx {
class Session;
}

namespace lmx::cli {

// Reads the result at path with the output format; false (the reason on standard error) when it
// cannot be read.
bool PrintSummary(Session& s, const std::string& path);

} // namespace lmx::cli

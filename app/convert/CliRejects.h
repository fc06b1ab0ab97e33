#pragma once
#include <string>

namespace lmx {
class Session;
}

namespace lmx::cli {

// Every rejected line of the run, one line each: file, line number, code name and the line as read,
// separated by tabs. False with the system's reason when the file cannot be completely written.
bool WriteRejects(const Session& s, const std::string& path, std::string& error);

} // namespace lmx::cli

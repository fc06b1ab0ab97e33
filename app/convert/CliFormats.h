#pragma once
// The converter's options about the format file and the language: --check, --show, --lang.
#include <string>
#include <vector>

namespace lmx {
class Session;
}

namespace lmx::cli {

// The format names, as the terminal shows them, separated by commas.
std::string JoinedNames(const std::vector<std::string>& names);

// Loads the language named on the command line (UTF-8) for every message; false, with the reason
// and the languages of the file on standard error, when it has no such section.
bool LoadLanguageOption(Session& s, const std::string& nameUtf8);

// Reports every format of the format file on standard output; true when all of them pass.
bool CheckFormats(const Session& s);

// Prints the description of the format; false, with the reason on standard error, when it does not load.
bool ShowFormat(Session& s, const std::string& name);

} // namespace lmx::cli

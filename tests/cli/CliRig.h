#pragma once
// Runs lumivex-convert as a process on files the tests write.
#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace lmx::test {

struct CliResult {
    int status = -1; // exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs the converter with the arguments; extraEnv entries are "NAME=value".
CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {});

// The example formats shipped in examples/Lumivex.fmt, as the program's own writer saves them.
std::string ExampleFormatFile();

// A format file holding the given blocks (each a list of lines without line ends), banner first.
std::string FormatFile(const std::vector<std::vector<std::string>>& blocks);

} // namespace lmx::test

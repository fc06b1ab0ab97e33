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

// Runs the converter with the arguments; extraEnv entries "NAME=value" replace inherited ones. HOME
// and XDG_DATA_HOME are private to the run unless given: no test ever reaches the user's trash.
// cwd, when given, is the folder the converter starts in.
CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {},
                 const std::string& cwd = {});
// The same for any program (argv[0] a full path), for example the converter under strace.
// Standard input is the file input, or /dev/null.
CliResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
                     const std::string& cwd = {}, const std::string& input = {});

// The converter started in the background, ended by the test; stdout and stderr go nowhere.
class CliProcess {
public:
    explicit CliProcess(const std::vector<std::string>& args);
    ~CliProcess();
    // Sends sig and waits (at most ten seconds, then SIGKILL): the exit status, or -1 when the
    // process did not exit by itself.
    int Stop(int sig);

private:
    int pid_ = -1;
};

// The example formats shipped in examples/Lumivex.fmt, as the program's own writer saves them.
std::string ExampleFormatFile();

// A format file holding the given blocks (each a list of lines without line ends), banner first.
std::string FormatFile(const std::vector<std::vector<std::string>>& blocks);

} // namespace lmx::test

#include "CliRig.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lmx::test {
namespace {

// For a shell command line.
std::string Quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class Pipes : public ::testing::Test {
protected:
    Pipes() {
        WriteFile(dir.file("Lumivex.fmt"),
                  FormatFile({{"NOM=IN", "CMT=", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=D|/DD/MM/YYYY|0|0|0|",
                               "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
                              {"NOM=OUT", "CMT=", "CLC=3", "SEP=\t", "DEC=.", "IFL=0", "HDR=Date\tName\tValue",
                               "COL=D|-YYYY/MM/DD|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"}}));
    }
    std::string Convert(const std::string& args) const {
        return Quoted(LUMIVEX_CONVERT_EXE) + " --dir " + Quoted(dir.path()) + " --in IN --out OUT " + args;
    }
    // Runs a bash command line in the folder; a pipeline's status is its first failure.
    CliResult Shell(const std::string& line) const {
        return RunProgram({"/bin/bash", "-c", "set -o pipefail; " + line}, {}, dir.path());
    }
    TempDir dir;
};

TEST_F(Pipes, StandardInputToStandardOutputWithMessagesApart) {
    const std::string lines = "31/12/2005;B;1,5\r\n01/02/1999;A;2\n";
    WriteFile(dir.file("q.txt"), lines);
    CliResult r = Shell("cat q.txt | " + Convert("--delete -o - -"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n1999-02-01\tA\t2\r\n");
    EXPECT_EQ(r.err, "result: standard output\nfiles: 1, lines read: 2, rejected: 0, written: 2\n");
    // Appending to the file being read would chase its own lines for ever: refused.
    r = Shell(Convert("-o - - < q.txt >> q.txt"));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("ne peut pas servir comme fichier de r\xC3\xA9sultat: standard output"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(dir.file("q.txt")), lines);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt"}));
}

TEST_F(Pipes, AReaderThatGoesAwayEndsTheRunQuietlyAsSigpipeDoes) {
    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += i % 10 ? "31/12/2005;B;1,5\r\n" : "bad\r\n";
    WriteFile(dir.file("q.txt"), lines);
    const CliResult r = Shell(Convert("--rejects rej.txt --delete -o - q.txt") + " | head -c 10 >/dev/null");
    EXPECT_EQ(r.status, 128 + SIGPIPE);
    EXPECT_EQ(r.err, "");
    // Neither a rejects file nor a temporary file is left, and the source stays.
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt"}));
}

TEST_F(Pipes, ProgressLineOnATerminal) {
    std::string lines;
    for (int i = 0; i < 200000; ++i) lines += "31/12/2005;B;1,5\r\n";
    WriteFile(dir.file("q.txt"), lines);
    // Standard error on a terminal; standard output a pipe left unread for a while, so that the
    // run lasts long enough to draw its line.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    int out[2];
    ASSERT_TRUE(slave >= 0 && ::pipe(out) == 0);
    const std::string src = dir.file("q.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(slave, 2);
        ::dup2(::open("/dev/null", O_RDONLY), 0);
        ::close(master);
        ::execl(LUMIVEX_CONVERT_EXE, LUMIVEX_CONVERT_EXE, "--dir", dir.path().c_str(), "--in", "IN", "--out", "OUT",
                "-o", "-", src.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(slave);
    ::close(out[1]);
    std::string shown;
    char buf[65536];
    bool outOpen = true, termOpen = true;
    for (int waited = 0; outOpen || termOpen; waited += 20) {
        pollfd fds[2] = {{master, POLLIN, 0}, {out[0], static_cast<short>(waited >= 800 ? POLLIN : 0), 0}};
        ::poll(fds, 2, 20);
        if (termOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) shown.append(buf, static_cast<std::size_t>(n));
            else termOpen = false;
        }
        if (outOpen && waited >= 800 && (fds[1].revents & (POLLIN | POLLHUP))) outOpen = ::read(out[0], buf, sizeof buf) > 0;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(master);
    ::close(out[0]);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(shown.find("\r"), std::string::npos) << shown;
    EXPECT_NE(shown.find("% of 3.6 MB, "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" left, "), std::string::npos) << shown;
    // The line is cleared before the summary.
    EXPECT_NE(shown.find("\x1b[K\r\x1b[Kresult: standard output"), std::string::npos) << shown;
}

} // namespace
} // namespace lmx::test

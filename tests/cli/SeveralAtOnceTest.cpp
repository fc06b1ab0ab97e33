// Two converters on one result, another program on a source, and input that never ends a line:
// each forced into the order that matters by pipes and FIFOs, never left to timing.
#include "CliRig.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lmx::test {
namespace {

class SeveralAtOnce : public ::testing::Test {
protected:
    SeveralAtOnce() {
        WriteFile(dir.file("Lumivex.fmt"),
                  FormatFile({{"NOM=IN", "CMT=", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=D|/DD/MM/YYYY|0|0|0|",
                               "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
                              {"NOM=OUT", "CMT=", "CLC=3", "SEP=\t", "DEC=.", "IFL=0", "HDR=Date\tName\tValue",
                               "COL=D|-YYYY/MM/DD|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"}}));
    }
    std::string Convert(const std::string& args) const {
        return "'" LUMIVEX_CONVERT_EXE "' --dir '" + dir.path() + "' --in IN --out OUT -q " + args;
    }
    TempDir dir;
};

// The second run reads a pipe that holds more than a pipe's buffer, so the first run starts only
// once the second is past its checks; the first then runs whole, deleting its source, before the
// second's input ends. Without --force the second may not replace that result.
TEST_F(SeveralAtOnce, TwoRunsIntoOneNewResult) {
    std::string big;
    for (int i = 0; i < 10000; ++i) big += "31/12/2005;B;1,5\r\n";
    WriteFile(dir.file("big.txt"), big);
    WriteFile(dir.file("q.txt"), "01/02/1999;A;2\r\n");
    const CliResult r = RunProgram({"/bin/bash", "-c",
                                    "set -o pipefail; { cat big.txt; " + Convert("--delete -o r.tsv q.txt") +
                                        "; } | " + Convert("-o r.tsv -")},
                                   {}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("lumivex-convert: le fichier r\xC3\xA9sultat existe (--force le remplace) : " +
                         dir.file("r.tsv") + "\n"),
              std::string::npos)
        << r.err;
    const std::string result = ReadFile(dir.file("r.tsv"));
    EXPECT_TRUE(result == "Date\tName\tValue\r\n1999-02-01\tA\t2\r\n") << result.substr(0, 100);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "big.txt", "r.tsv"}));
}

// Another program saves the source by a rename while the converter reads it (held on a FIFO of
// rejected lines that nobody reads yet): the source is kept and said so, exit 4.
TEST_F(SeveralAtOnce, ASourceSavedOverDuringTheRunIsKept) {
    std::string bad;
    for (int i = 0; i < 60000; ++i) bad += "a bad line of some length " + std::to_string(i) + "\r\n";
    WriteFile(dir.file("q.txt"), bad);
    const std::string fifo = dir.file("rejects.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    CliResult r;
    std::thread run([&] {
        r = RunProgram({"/bin/bash", "-c", Convert("--rename _done --rejects rejects.fifo -o r.tsv q.txt")}, {},
                       dir.path());
    });
    pollfd rejects{reader, POLLIN, 0};
    EXPECT_EQ(::poll(&rejects, 1, 10000), 1);
    WriteFile(dir.file("new.tmp"), "saved\r\n");
    EXPECT_EQ(std::rename(dir.file("new.tmp").c_str(), dir.file("q.txt").c_str()), 0);
    char drain[65536];
    for (ssize_t got; (got = ::read(reader, drain, sizeof drain)) != 0;)
        if (got < 0) ::usleep(1000);
    run.join();
    ::close(reader);
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.err.find("lumivex-convert: Le fichier " + dir.file("q.txt") + " a chang\xC3\xA9 pendant la conversion"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(dir.file("q.txt")), "saved\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt", "r.tsv", "rejects.fifo"}));
}

// The peak memory of a process still running, in kB (VmHWM).
long PeakKb(pid_t pid) {
    const std::string status = ReadFile("/proc/" + std::to_string(pid) + "/status");
    const std::size_t at = status.find("VmHWM:");
    return at == std::string::npos ? -1 : std::stol(status.substr(at + 6));
}

// Standard input that does not end its first line for 200 MB: read in bounded memory, the line
// rejected, the next one converted.
TEST_F(SeveralAtOnce, ALineWithoutEndTakesBoundedMemory) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string out = dir.file("z.tsv");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[0], 0);
        ::close(fds[0]);
        ::close(fds[1]);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(LUMIVEX_CONVERT_EXE, "lumivex-convert", "--dir", dir.path().c_str(), "--in", "IN", "--out", "OUT",
                "-o", out.c_str(), "-", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(pid, 0);
    ::close(fds[0]);
    const auto oldPipe = std::signal(SIGPIPE, SIG_IGN); // a converter that died must fail the test, not end it
    auto put = [&](const std::string& bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t w = ::write(fds[1], bytes.data() + done, bytes.size() - done);
            if (w <= 0) return false;
            done += static_cast<std::size_t>(w);
        }
        return true;
    };
    const std::string block(1 << 20, '\0');
    bool written = true;
    for (int i = 0; i < 200 && written; ++i) written = put(block);
    [[maybe_unused]] const long peak = PeakKb(pid); // still reading: the line has not ended
    written = written && put("\n01/02/1999;A;2\n");
    ::close(fds[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::signal(SIGPIPE, oldPipe);
    EXPECT_TRUE(written);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status; // one line rejected
    EXPECT_EQ(ReadFile(out), "Date\tName\tValue\r\n1999-02-01\tA\t2\r\n");
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's own memory is no measure of the program's
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 64 * 1024) << "kB";
#endif
}

} // namespace
} // namespace lmx::test

// Sources that are not what a quote file looks like: huge lines, millions of empty lines, odd or
// missing line ends, files that change under the run, and things that are not files at all.
#include "HostileSupport.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace lmx::test {
namespace {

// Everything in the folder but the result is as it was.
void ExpectOnlyResultAdded(std::map<std::string, std::string> after, const std::map<std::string, std::string>& before,
                           const std::string& result) {
    EXPECT_EQ(after.erase(result), 1u) << result << " was not created";
    EXPECT_EQ(after, before);
}

struct LineEndCase {
    const char* what;
    std::string source;
    int64_t lines;
    std::string result;
};

TEST(HostileDataFile, LineEndsOfEveryKindAndNone) {
    const LineEndCase cases[] = {
        {"CR only", "a;1\rb;2,5\rc;3", 3, "a,b\r\na,1\r\nb,2.5\r\nc,3\r\n"},
        {"CR only, CR last", "a;1\rb;2\r", 2, "a,b\r\na,1\r\nb,2\r\n"},
        {"no line end at all", "a;1,5", 1, "a,b\r\na,1.5\r\n"},
        {"LF and CR LF mixed, no end", "a;1\nb;2\r\nc;3", 3, "a,b\r\na,1\r\nb,2\r\nc,3\r\n"},
    };
    for (const LineEndCase& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        WriteFile(rig.dir.file("q.txt"), c.source);
        const auto before = Snapshot(rig.dir.path());
        EXPECT_EQ(rig.Run({rig.dir.file("q.txt")}, rig.dir.file("out.txt")), StatusCode::Ok);
        EXPECT_EQ(rig.s.run.LinesRead, c.lines);
        EXPECT_EQ(rig.s.run.RejectedTotal, 0);
        EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), c.result);
        ExpectOnlyResultAdded(Snapshot(rig.dir.path()), before, "out.txt");
    }
}

// A line beyond the reader's bound is no quote: rejected as "#Length" with its first bytes, read
// past without being kept, and the next line converted.
TEST(HostileDataFile, LineOfHundredMegabytes) {
    SessionRig rig;
    ASSERT_TRUE(rig.Select());
    const std::string digits(100u << 20, '7');
    WriteFile(rig.dir.file("q.txt"), "a;" + digits + ",5\r\nb;1\r\n");
    const auto before = Snapshot(rig.dir.path());
    EXPECT_EQ(rig.Run({rig.dir.file("q.txt")}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_EQ(rig.s.run.LinesRead, 2);
    EXPECT_EQ(rig.s.run.RejectedTotal, 1);
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "a,b\r\nb,1\r\n");
    ASSERT_EQ(rig.s.rejects.rows(), 4u); // titles, "...", the file, the line
    EXPECT_EQ(rig.s.rejects.cell(3, 1), "#Length");
    EXPECT_TRUE(rig.s.rejects.cell(3, 2) == ("a;" + digits).substr(0, LineReader::kMaxLine));
    ExpectOnlyResultAdded(Snapshot(rig.dir.path()), before, "out.txt");
}

TEST(HostileDataFile, TenMillionEmptyLines) {
    // One column: an empty line is still no record; every one is skipped, quickly.
    SessionRig rig(FormatFile({{"NOM=IN", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=0", "COL=A|AN|0|0|0|"},
                               {"NOM=OUT", "CMT=c", "CLC=1", "SEP=,", "DEC=.", "IFL=0", "COL=A|AN|0|0|0|"}}));
    ASSERT_TRUE(rig.Select());
    constexpr std::size_t kLines = 10'000'000;
    WriteFile(rig.dir.file("q.txt"), std::string(kLines, '\n'));
    const auto before = Snapshot(rig.dir.path());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig.Run({rig.dir.file("q.txt")}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 30.0);
    EXPECT_EQ(rig.s.run.EmptyTotal, static_cast<int64_t>(kLines));
    EXPECT_EQ(rig.s.run.LinesRead, 0);
    EXPECT_EQ(rig.s.run.RejectedTotal, 0);
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "");
    ExpectOnlyResultAdded(Snapshot(rig.dir.path()), before, "out.txt");
}

TEST(HostileDataFile, TenMillionEmptyLinesAmongRecords) {
    // Two columns: the empty lines are skipped, not rejected; the records around them are converted.
    SessionRig rig;
    ASSERT_TRUE(rig.Select());
    constexpr std::size_t kLines = 10'000'000;
    WriteFile(rig.dir.file("q.txt"), "x;1\n" + std::string(kLines, '\n') + "y;2,5\n");
    EXPECT_EQ(rig.Run({rig.dir.file("q.txt")}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_EQ(rig.s.run.EmptyTotal, static_cast<int64_t>(kLines));
    EXPECT_EQ(rig.s.run.LinesRead, 2);
    EXPECT_EQ(rig.s.run.RejectedTotal, 0);
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "a,b\r\nx,1\r\ny,2.5\r\n");
}

// What the hook does to the source while the run reads it.
enum class Change { Append, Unlink, Truncate, ReplaceByFifo };

TEST(HostileDataFile, SourceChangedWhileConverted) {
    const std::pair<Change, const char*> cases[] = {
        {Change::Append, "grows on every line"},
        {Change::Unlink, "removed after the first line"},
        {Change::Truncate, "emptied after the first line"},
        {Change::ReplaceByFifo, "replaced by a FIFO after the first line"},
    };
    for (const auto& [change, what] : cases) {
        SCOPED_TRACE(what);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        const std::string src = rig.dir.file("q.txt");
        std::string text;
        for (int i = 0; i < 20000; ++i) text += "r" + std::to_string(i) + ";" + std::to_string(i) + ",5\r\n";
        WriteFile(src, text);
        HookView view;
        int calls = 0;
        view.onLine = [&](const RunState&) {
            ++calls;
            if (change == Change::Append && calls <= 5000) {
                const int fd = ::open(src.c_str(), O_WRONLY | O_APPEND);
                ASSERT_GE(fd, 0);
                const std::string more = "x;" + std::to_string(calls) + "\r\n";
                ASSERT_EQ(::write(fd, more.data(), more.size()), static_cast<ssize_t>(more.size()));
                ::close(fd);
            } else if (calls == 1 && change != Change::Append) {
                if (change == Change::Truncate) {
                    ASSERT_EQ(::truncate(src.c_str(), 0), 0);
                } else {
                    ASSERT_EQ(::unlink(src.c_str()), 0);
                }
                if (change == Change::ReplaceByFifo) {
                    ASSERT_EQ(::mkfifo(src.c_str(), 0600), 0);
                }
            }
        };
        const Status r = rig.Run({src}, rig.dir.file("out.txt"), view, AfterProcessing{std::nullopt, sdDelete});
        // Ends normally (the open file is read to its end) or counts the file as failed.
        EXPECT_TRUE(r.Ok() || r == StatusCode::RunSourcesFailed) << r.Number();
        EXPECT_GE(rig.s.run.LinesRead, 1);
        EXPECT_LE(rig.s.run.LinesRead, 25000);
        EXPECT_EQ(rig.s.run.RejectedTotal, 0);
        const std::string out = ReadFile(rig.dir.file("out.txt"));
        EXPECT_EQ(out.substr(0, 14), "a,b\r\nr0,0.5\r\nr");
        if (change == Change::ReplaceByFifo) {
            // The FIFO now at the source's path is neither renamed nor deleted.
            struct stat st {};
            EXPECT_EQ(::lstat(src.c_str(), &st), 0);
            EXPECT_TRUE(S_ISFIFO(st.st_mode));
        }
    }
}

// Another program saves a new version of the source by a rename while the run reads the old one,
// or appends lines once the run has read its end: the name no longer holds what was converted. It
// is kept, whatever the after-processing asks, and the user is told (the window after its closing
// message).
TEST(HostileDataFile, ASourceChangedUnderTheRunIsKept) {
    class ChangingView final : public IRunView {
    public:
        std::function<void()> duringRun, afterEnd;
        void LineDone(const RunState&) override {
            if (duringRun) std::exchange(duringRun, nullptr)();
        }
        void ReadingFrom(const LineReader* in, int64_t) override {
            if (in == nullptr && afterEnd) std::exchange(afterEnd, nullptr)();
        }
    };
    for (const bool window : {false, true}) {
        SCOPED_TRACE(window ? "appended to, the window deletes" : "saved over by a rename, renamed and deleted");
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        const std::string src = rig.dir.file("q.txt");
        WriteFile(src, "a;1,5\r\n");
        ChangingView view;
        const std::string now = window ? "a;1,5\r\nb;2\r\n" : "n;9\r\n";
        view.duringRun = [&] {
            if (window) return;
            WriteFile(rig.dir.file("new.tmp"), now);
            ASSERT_EQ(std::rename(rig.dir.file("new.tmp").c_str(), src.c_str()), 0);
        };
        view.afterEnd = [&] {
            if (window) WriteFile(src, now);
        };
        if (window) {
            rig.s.params.settings.disposal = sdDelete;
            ASSERT_TRUE(rig.s.convPage.TakeFiles({src}, "Test : "));
            EXPECT_EQ(rig.s.runner.ConvertButton(view), StatusCode::Ok);
            EXPECT_EQ(rig.messages.shown.back(), rig.s.lang.FormatPaths(LK::msg_srcChanged, {src}).Text());
        } else {
            EXPECT_EQ(rig.Run({src}, rig.dir.file("out.txt"), view, {"_done", sdDelete}), StatusCode::Ok);
            EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "a,b\r\na,1.5\r\n");
        }
        EXPECT_EQ(ReadFile(src), now);
        EXPECT_FALSE(Exists(rig.dir.file("q_done.txt")));
        ASSERT_EQ(rig.s.runner.AfterFailures().size(), 1u);
        EXPECT_EQ(rig.s.runner.AfterFailures()[0].verb, "SourceChanged");
        EXPECT_EQ(rig.s.runner.AfterFailures()[0].path, src);
        const auto& log = rig.s.log.Lines();
        EXPECT_NE(std::find(log.begin(), log.end(), "#CONV (ChangedSources >1<) changed during the run"), log.end());
    }
}

// Nobody holds the FIFO open for reading: opening its write end without waiting fails with ENXIO.
bool NoReaderOn(const std::string& fifo) {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    return fd < 0 && errno == ENXIO;
}

TEST(HostileDataFile, DirectoryFifoAndDeviceAreRefusedLikeEmptyFiles) {
    SessionRig rig;
    ASSERT_TRUE(rig.Select());
    const std::string folder = rig.dir.file("folder");
    WriteFile(folder + "/inside.txt", "a;1\r\n");
    const std::string fifo = rig.dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string linkToFifo = rig.dir.file("link.txt");
    ASSERT_EQ(::symlink(fifo.c_str(), linkToFifo.c_str()), 0);

    const std::vector<std::string> sources{folder, fifo, linkToFifo, "/dev/zero", "/dev/null"};
    for (const std::string& s : sources) EXPECT_EQ(FileSize(s), 0) << s;

    const auto before = Snapshot(rig.dir.path());
    FifoWatchdog watchdog(fifo);
    EXPECT_EQ(rig.Run(sources, rig.dir.file("out.txt")), StatusCode::RunNotStarted);
    std::vector<std::string> expected;
    for (const std::string& s : sources)
        expected.push_back(rig.s.lang.Format(LK::msg_fileIsEmpty, {ExtractFileName(s)}));
    EXPECT_EQ(rig.messages.shown, expected);
    EXPECT_TRUE(rig.s.page.InFiles.empty());
    EXPECT_FALSE(rig.s.page.InChosen);
    EXPECT_TRUE(NoReaderOn(fifo));
    EXPECT_FALSE(watchdog.Released()) << "something blocked on the FIFO";
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}

TEST(HostileDataFile, FifoAmongGoodSourcesIsLeftOut) {
    SessionRig rig;
    ASSERT_TRUE(rig.Select());
    const std::string fifo = rig.dir.file("a_pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WriteFile(rig.dir.file("b.txt"), "x;1,5\r\n");
    const auto before = Snapshot(rig.dir.path());
    FifoWatchdog watchdog(fifo);
    EXPECT_EQ(rig.Run({fifo, rig.dir.file("b.txt")}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_EQ(rig.s.page.InFiles, std::vector<std::string>{rig.dir.file("b.txt")});
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "a,b\r\nx,1.5\r\n");
    EXPECT_FALSE(watchdog.Released()) << "something blocked on the FIFO";
    ExpectOnlyResultAdded(Snapshot(rig.dir.path()), before, "out.txt");
}

// Taken as a file, then replaced before the run reads it: the run must not wait on a FIFO nor
// read a device, and counts the source as failed.
TEST(HostileDataFile, SourceReplacedBeforeTheRunIsCountedFailed) {
    enum class Swap { Fifo, Folder, Device };
    const std::pair<Swap, const char*> cases[] = {
        {Swap::Fifo, "by a FIFO"}, {Swap::Folder, "by a folder"}, {Swap::Device, "by a link to /dev/zero"}};
    for (const auto& [swap, what] : cases) {
        SCOPED_TRACE(what);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        const std::string src = rig.dir.file("q.txt");
        WriteFile(src, "a;1\r\n");
        WriteFile(rig.dir.file("r.txt"), "b;2\r\n");
        ASSERT_TRUE(rig.s.convPage.TakeFiles({src, rig.dir.file("r.txt")}, "Test : "));
        ASSERT_EQ(::unlink(src.c_str()), 0);
        if (swap == Swap::Fifo) {
            ASSERT_EQ(::mkfifo(src.c_str(), 0600), 0);
        } else if (swap == Swap::Folder) {
            ASSERT_EQ(::mkdir(src.c_str(), 0700), 0);
        } else {
            ASSERT_EQ(::symlink("/dev/zero", src.c_str()), 0);
        }
        const auto before = Snapshot(rig.dir.path());
        FifoWatchdog watchdog(src);
        rig.s.page.OutPath = rig.dir.file("out.txt");
        rig.s.page.OutValid = true;
        HookView view;
        EXPECT_EQ(rig.s.runner.RunConversion(view, AfterProcessing{std::nullopt, sdDelete}), StatusCode::RunSourcesFailed);
        EXPECT_FALSE(watchdog.Released()) << "the run blocked on the FIFO";
        // A folder opens and fails at its first read, after its header lines; the others do not open.
        EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), swap == Swap::Folder ? "a,b\r\na,b\r\nb,2\r\n" : "a,b\r\nb,2\r\n");
        // The good source was converted and deleted as asked; the other stays as it is.
        auto after = Snapshot(rig.dir.path());
        EXPECT_EQ(after.erase("out.txt"), 1u);
        EXPECT_EQ(before.count("r.txt"), 1u);
        auto expected = before;
        expected.erase("r.txt");
        EXPECT_EQ(after, expected);
    }
}

#ifdef LUMIVEX_CONVERT_EXE
TEST(HostileDataFile, ConverterRefusesNonFilesWithoutOpeningThem) {
    SessionRig rig;
    const std::string fifo = rig.dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = rig.dir.file("folder/");
    WriteFile(folder + "x.txt", "a;1\r\n");
    TempDir scratch;
    const auto before = Snapshot(rig.dir.path());
    FifoWatchdog watchdog(fifo);
    const CliResult r = RunCli({"--dir", rig.dir.path(), "--in", "IN", "--out", "OUT", "-o", rig.dir.file("out.txt"),
                                "-q", fifo, folder, "/dev/zero"}, scratch.path());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Il faut commencer par choisir un fichier"), std::string::npos) << r.err;
    EXPECT_FALSE(watchdog.Released()) << "the converter blocked on the FIFO";
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}
#endif

} // namespace
} // namespace lmx::test

// Result files that cannot be made or cannot be written completely. The run says so, shows no
// success, and leaves every source where and as it was, whatever the after-processing asks.
#include "HostileSupport.h"

#include <cerrno>
#include <cstring>

namespace lmx::test {
namespace {

struct Disposal {
    const char* what;
    AfterProcessing after;
};

const Disposal kDisposals[] = {
    {"leave", {std::nullopt, sdKeep}},
    {"rename", {"_done", sdKeep}},
    {"recycle", {std::nullopt, sdTrash}},
    {"delete", {std::nullopt, sdDelete}},
    {"rename and delete", {"_done", sdDelete}},
};

// Root passes every permission check, so a read-only folder would not stop these tests when they
// run as root. A path whose folder part is a regular file fails for everyone (ENOTDIR).
TEST(HostileResult, FolderThatCannotHoldFiles) {
    for (const Disposal& d : kDisposals) {
        SCOPED_TRACE(d.what);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        WriteFile(rig.dir.file("q.txt"), "a;1,5\r\n");
        WriteFile(rig.dir.file("plain"), "not a folder");
        const auto before = Snapshot(rig.dir.path());
        const Status r = rig.Run({rig.dir.file("q.txt")}, rig.dir.file("plain/out.txt"), d.after);
        EXPECT_EQ(r, StatusCode::RunCannotCreate);
        EXPECT_EQ(r.reason, std::strerror(ENOTDIR));
        EXPECT_EQ(rig.s.runner.ClosingMessage(r),
                  rig.s.lang.Text(LK::err_convGeneral) + rig.s.lang.Text(LK::err_OpenOutFile));
        EXPECT_TRUE(rig.trash.moved.empty());
        EXPECT_EQ(Snapshot(rig.dir.path()), before);
    }
}

TEST(HostileResult, FullDeviceGivesIncompleteAndKeepsSources) {
    if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    for (const Disposal& d : kDisposals) {
        SCOPED_TRACE(d.what);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        WriteFile(rig.dir.file("q1.txt"), "a;1,5\r\nb;2\r\n");
        WriteFile(rig.dir.file("q2.txt"), "c;3\r\n");
        const auto before = Snapshot(rig.dir.path());
        const Status r = rig.Run({rig.dir.file("q1.txt"), rig.dir.file("q2.txt")}, "/dev/full", d.after);
        EXPECT_EQ(r, StatusCode::RunIncompleteOutput);
        EXPECT_EQ(rig.s.run.LinesRead, 3);
        EXPECT_EQ(r.reason, std::strerror(ENOSPC));
        const std::string closing = rig.s.runner.ClosingMessage(r);
        EXPECT_EQ(closing, rig.s.lang.Text(LK::err_convGeneral) + " (" + std::strerror(ENOSPC) + ")");
        EXPECT_NE(closing, rig.s.lang.Text(LK::msg_endConvert));
        EXPECT_TRUE(rig.trash.moved.empty());
        EXPECT_EQ(Snapshot(rig.dir.path()), before);
    }
}

TEST(HostileResult, AStepOfTheSystemThatFailsKeepsTheOldResultAndTheSources) {
    for (const char* step : {"write", "fsync", "rename"}) {
        SCOPED_TRACE(step);
        SessionRig rig;
        ASSERT_TRUE(rig.Select());
        WriteFile(rig.dir.file("q.txt"), "a;1,5\r\n");
        WriteFile(rig.dir.file("out.txt"), "old");
        rig.replaceResult = true;
        const auto before = Snapshot(rig.dir.path());
        rig.port.FailAt(step, 1, EIO);
        const Status r = rig.Run({rig.dir.file("q.txt")}, rig.dir.file("out.txt"), {"_done", sdDelete});
        EXPECT_EQ(r, StatusCode::RunIncompleteOutput);
        EXPECT_EQ(r.reason, std::strerror(EIO));
        EXPECT_EQ(rig.s.runner.ClosingMessage(r), rig.s.lang.Text(LK::err_convGeneral) + " (" + std::strerror(EIO) + ")");
        EXPECT_EQ(Snapshot(rig.dir.path()), before);
    }
}

// Two runs into one new result, each deleting its source. The second to end finds the name taken
// by the first's complete result (forced: the first runs whole just before the second names its
// own). Without leave to replace, the second fails as a result that cannot be written and keeps
// its source; with it, it wins whole. Either way no source is lost and nothing is left behind.
TEST(HostileResult, TwoRunsIntoOneResultNeverLoseASource) {
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "may replace" : "never replaces");
        SessionRig first, second;
        ASSERT_TRUE(first.Select() && second.Select());
        const std::string result = second.dir.file("r.txt");
        WriteFile(first.dir.file("q1.txt"), "a;1,5\r\n");
        WriteFile(second.dir.file("q2.txt"), "b;2\r\n");
        second.port.beforeNaming = [&](const std::string&) {
            if (!Exists(result)) {
                EXPECT_EQ(first.Run({first.dir.file("q1.txt")}, result, {std::nullopt, sdDelete}), StatusCode::Ok);
            }
        };
        second.replaceResult = replace;
        const Status r = second.Run({second.dir.file("q2.txt")}, result, {std::nullopt, sdDelete});
        EXPECT_FALSE(Exists(first.dir.file("q1.txt")));
        if (replace) {
            EXPECT_EQ(r, StatusCode::Ok);
            EXPECT_EQ(ReadFile(result), "a,b\r\nb,2\r\n");
            EXPECT_EQ(Names(second.dir.path()), (std::vector<std::string>{"Lumivex.fmt", "r.txt"}));
        } else {
            EXPECT_EQ(r, StatusCode::RunIncompleteOutput);
            EXPECT_EQ(second.s.runner.OutputErrNo(), EEXIST);
            EXPECT_EQ(second.s.runner.LinesWritten(), 0);
            EXPECT_EQ(ReadFile(result), "a,b\r\na,1.5\r\n");
            EXPECT_EQ(Names(second.dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q2.txt", "r.txt"}));
        }
    }
}

TEST(HostileResult, ConvertButtonOnFullDeviceShowsNoSuccess) {
    if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    SessionRig rig;
    ASSERT_TRUE(rig.Select());
    WriteFile(rig.dir.file("q.txt"), "a;1,5\r\n");
    rig.s.params.settings.disposal = sdDelete;
    ASSERT_TRUE(rig.s.convPage.TakeFiles({rig.dir.file("q.txt")}, "Test : "));
    rig.s.page.OutPath = "/dev/full";
    rig.s.page.OutValid = true;
    const auto before = Snapshot(rig.dir.path());
    rig.messages.shown.clear();
    HookView view;
    EXPECT_EQ(rig.s.runner.ConvertButton(view), StatusCode::RunIncompleteOutput);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], rig.s.lang.Text(LK::err_convGeneral) + " (" + std::strerror(ENOSPC) + ")");
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}

#ifdef LUMIVEX_CONVERT_EXE
struct CliCase {
    const char* what;
    std::vector<std::string> extra;
};

TEST(HostileResult, ConverterOnFullDeviceExitsTwoAndKeepsSources) {
    if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const CliCase cases[] = {{"leave", {}}, {"delete", {"--delete"}}, {"rename", {"--rename", "_done"}},
                             {"trash", {"--trash"}}};
    for (const CliCase& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        WriteFile(rig.dir.file("q.txt"), "a;1,5\r\nb;2\r\n");
        TempDir scratch;
        const auto before = Snapshot(rig.dir.path());
        std::vector<std::string> args{"--dir", rig.dir.path(), "--in", "IN", "--out", "OUT", "-o", "/dev/full",
                                      "--force", "-q"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.push_back(rig.dir.file("q.txt"));
        const CliResult r = RunCli(args, scratch.path());
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find(std::strerror(ENOSPC)), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Snapshot(rig.dir.path()), before);
    }
}

TEST(HostileResult, ConverterIntoFolderUnderAFileExitsThree) {
    SessionRig rig;
    WriteFile(rig.dir.file("q.txt"), "a;1,5\r\n");
    WriteFile(rig.dir.file("plain"), "x");
    TempDir scratch;
    const auto before = Snapshot(rig.dir.path());
    const CliResult r = RunCli({"--dir", rig.dir.path(), "--in", "IN", "--out", "OUT", "-o", rig.dir.file("plain/o.txt"),
                                "--delete", "-q", rig.dir.file("q.txt")}, scratch.path());
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find(std::strerror(ENOTDIR)), std::string::npos) << r.err;
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}
#endif

} // namespace
} // namespace lmx::test

#include "RunRig.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

TEST_F(Run, SourcesWithRejectedLinesAreNeitherRecycledNorDeleted) {
    const std::string a = Src("a.txt", "h\r\nbad\r\n31/12/99;1\r\n");
    const std::string b = Src("b.txt", "h\r\n31/12/99;1\r\n");
    Choose({a, b}, dir.file("r.txt"));
    AfterProcessing after;
    after.disposal = sdDelete;
    EXPECT_EQ(s.runner.RunConversion(view, after), StatusCode::Ok);
    EXPECT_TRUE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_EQ(LogFrom("DeleteFile(1)--> (False)").size(), 3u); // then DeleteFile(2), then the count
    EXPECT_EQ(s.runner.KeptForRejects(), 1);
    EXPECT_TRUE(s.runner.AfterFailures().empty());
    EXPECT_EQ(s.runner.ClosingMessage(Status{}), s.lang.Text(LK::msg_endConvert) +
                                              " (1 fichier(s) source conserv\xE9(s) : des lignes y ont \xE9t\xE9 rejet\xE9" "es)");
}

TEST_F(Run, AFailedRenameIsRecordedWithItsReason) {
    const std::string a = Src("a.txt", "h\r\n31/12/99;1\r\n");
    Src("a_done.txt", "taken");
    Choose({a}, dir.file("r.txt"));
    AfterProcessing after;
    after.renameText = "_done";
    EXPECT_EQ(s.runner.RunConversion(view, after), StatusCode::Ok);
    ASSERT_EQ(s.runner.AfterFailures().size(), 1u);
    EXPECT_EQ(s.runner.AfterFailures()[0].verb, "RenameFile");
    EXPECT_EQ(s.runner.AfterFailures()[0].path, a);
    EXPECT_EQ(s.runner.AfterFailures()[0].reason, SysErrorText(EEXIST));
}

TEST_F(Run, AfterProcessingLogsAndSparesUnconvertedSources) {
    const std::string a = Src("a.txt", "h\r\n31/12/99;1\r\n");
    Choose({a, dir.file("missing.txt")}, dir.file("r.txt"));
    AfterProcessing after;
    after.renameText = "_done";
    after.disposal = sdTrash;
    EXPECT_EQ(s.runner.RunConversion(view, after), StatusCode::RunSourcesFailed);
    const auto log = LogFrom("RenameFile(1)--> (True)");
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], "RenameFile(2)--> (False)");
    // Renamed first: the recycle step then finds the old names gone, and does not try them.
    EXPECT_EQ(log[2], "RecycleFile(1)--> (False)");
    EXPECT_EQ(log[3], "RecycleFile(2)--> (False)");
    EXPECT_TRUE(Exists(dir.file("a_done.txt")));
    EXPECT_TRUE(trash.trashed.empty());
    EXPECT_TRUE(s.runner.AfterFailures().empty());
}

// What the window changes while a run goes on is for the next run: the run keeps its sources,
// formats, link, result file and after-processing, and deletes only the sources it converted.
TEST_F(Run, WorksOnACopyOfWhatItStartedWith) {
    const std::string src = Src("src.txt", "h\r\n31/12/99;1,5\r\n01/01/05;2\r\n");
    const std::string v1 = Src("v1.txt", "h\r\n02/02/02;3\r\n");
    Choose({src}, dir.file("r.txt"));
    AfterProcessing after;
    after.disposal = sdDelete;
    view.onLine = [&] {
        if (s.page.InFiles.size() > 1) return;
        s.page.InFiles = {v1, Src("v2.txt", "h\r\n")};
        s.page.OutPath = dir.file("other.txt");
        EXPECT_EQ(s.SelectFormat(2, "IN"), StatusCode::Ok);
        s.conv.TakePlan(ConversionPlan(s.formats));
        after.disposal = sdKeep;
    };
    EXPECT_EQ(s.runner.RunConversion(view, after), StatusCode::Ok);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n1.5;1999-12-31\r\n2;2005-01-01\r\n");
    EXPECT_TRUE(!Exists(src) && Exists(v1) && !Exists(dir.file("other.txt")));
    EXPECT_EQ(LogFrom("DeleteFile(1)--> (True)").size(), 1u); // and no DeleteFile(2)
}

TEST_F(Run, NoAfterProcessingLinesWithTheDefaults) {
    Choose({Src("a.txt", "h\r\n31/12/99;1\r\n")}, dir.file("r.txt"));
    EXPECT_EQ(s.runner.RunConversion(view, s.runner.FromParameters()), StatusCode::Ok);
    for (const auto& l : s.log.Lines())
        for (const char* verb : {"RenameFile(", "RecycleFile(", "DeleteFile("}) EXPECT_NE(l.rfind(verb, 0), 0u) << l;
}

TEST_F(Run, FullDiskFailsTheRunAndDeletesNothing) {
    const std::string a = Src("a.txt", "h\r\n31/12/99;1\r\n");
    Choose({a}, "/dev/full");
    AfterProcessing after;
    after.disposal = sdDelete;
    const Status r = s.runner.RunConversion(view, after);
    EXPECT_EQ(r, StatusCode::RunIncompleteOutput);
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ(view.counters.back(), 0); // nothing counted as written that is not in the file
    EXPECT_EQ(s.runner.LinesWritten(), 0);
    EXPECT_EQ(LogFrom("DeleteFile(1)--> (False)").size(), 1u);
    const std::string msg = s.runner.ClosingMessage(r);
    EXPECT_EQ(msg.rfind(s.lang.Text(LK::err_convGeneral), 0), 0u);
    EXPECT_EQ(msg.find(s.lang.Text(LK::msg_endConvert)), std::string::npos);
}

// Sources are renamed or deleted only once the result is durable, and their folder is then flushed
// once for them all, not once each: thousands of small files cost one flush.
TEST_F(Run, TheSourcesFolderIsFlushedOnceAfterTheResult) {
    FaultyPort port;
    Session t(messages, trash, port);
    RecordingView tView(t.run);
    t.SetProgramDir(dir.path());
    ASSERT_EQ(t.SelectFormat(1, "IN"), StatusCode::Ok);
    ASSERT_EQ(t.SelectFormat(2, "OUT"), StatusCode::Ok);
    for (const SourceDisposal disposal : {sdKeep, sdDelete}) {
        t.page.InFiles = {Src("a.txt", "h\r\n31/12/99;1\r\n"), Src("b.txt", "h\r\n31/12/99;1\r\n"),
                          Src("c.txt", "h\r\n31/12/99;1\r\n")};
        t.page.InChosen = t.page.OutValid = t.page.OutReplace = true;
        t.page.OutPath = dir.file("r.txt");
        AfterProcessing after;
        if (disposal == sdKeep) after.renameText = "_done";
        after.disposal = disposal;
        port.calls.clear();
        EXPECT_EQ(t.runner.RunConversion(tView, after), StatusCode::Ok);
        const auto& c = port.calls;
        const auto touched = std::find(c.begin(), c.end(), "unlink a.txt");
        ASSERT_NE(touched, c.end());
        EXPECT_NE(std::find(c.begin(), touched, "fsync"), touched); // the result's, before
        EXPECT_EQ(std::count(touched, c.end(), "open FOLDER"), 1) << disposal;
        EXPECT_EQ(c.end()[-3], "open FOLDER");
    }
}

TEST(RenameSource, NeverReplacesAndHandlesNamesWithoutExtension) {
    TempDir dir;
    WriteFile(dir.file("q.txt"), "1");
    WriteFile(dir.file("q_d.txt"), "2");
    WriteFile(dir.file("plain"), "3");
    EXPECT_FALSE(RenameSource(RealPort(), dir.file("q.txt"), "_d"));
    EXPECT_EQ(ReadFile(dir.file("q_d.txt")), "2");
    EXPECT_TRUE(RenameSource(RealPort(), dir.file("plain"), "_d"));
    EXPECT_EQ(ReadFile(dir.file("plain_d")), "3");
    EXPECT_FALSE(RenameSource(RealPort(), dir.file("none.txt"), "_d"));
}

} // namespace
} // namespace lmx::test

#include "RunRig.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

TEST_F(Run, SecondSourceMissingIsCountedAndTheOthersConverted) {
    Choose({Src("a.txt", "head\r\n31/12/99;1,5\r\n"), dir.file("missing.txt"), Src("c.txt", "head\n01/01/05;2\n")},
           dir.file("r.txt"));
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunSourcesFailed);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n1.5;1999-12-31\r\nH1\r\nH2\r\n2;2005-01-01\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], s.lang.Text(LK::err_convGeneral) + " (1 fichier(s) concern\xE9(s))");
    // Skipped leading lines are neither read nor written.
    EXPECT_EQ(view.counters, (std::vector<int64_t>{3, 2, 0, 2}));
    const auto log = LogFrom("BeginConvert --> (3 files)");
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(log[1], "   Begin -- File(1) (DateConv(Perso) + DecimalChange)");
    EXPECT_EQ(log[2].rfind("   End   -- File(1) (", 0), 0u);
    EXPECT_EQ(log[3], "   Begin -- File(3) (DateConv(Perso) + DecimalChange)");
    EXPECT_EQ(log[5].rfind("EndConvert(*)--> ", 0), 0u);
    EXPECT_EQ(log[6], " ");
    EXPECT_EQ(log[7], "#CONV (BadFileCount >1<)");
    EXPECT_EQ(view.status.back(), "ended");
    EXPECT_EQ(view.status.front(), "1/3");
    EXPECT_FALSE(s.page.OutValid);
}

// UTF-8 data files with LF line ends: the format's own header goes as UTF-8 (a header typed into
// the format file as UTF-8, in another script, as it is), the data as read.
TEST_F(Run, HeaderInTheDataEncodingAndLfLineEnds) {
    s.formats.Output->headers[0] = "Cl\xF4ture";
    const std::string utf8 = "\xE6\x97\xA5\xE6\x9C\x9F;\xE6\x94\xB6\xE7\x9B\x98"; // date;close in Chinese
    s.formats.Output->headers[1] = utf8;
    s.params.settings.encoding = DataEncoding::Utf8;
    s.params.settings.lfOnly = true;
    Choose({Src("a.txt", "head\r\n31/12/99;1,5\r\n01/01/05;\xC3\xA9\n")}, dir.file("r.txt"));
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::Ok);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "Cl\xC3\xB4ture\n" + utf8 + "\n1.5;1999-12-31\n\xC3\xA9;2005-01-01\n");
}

// A download that ends with a line end alone is a good file: the run ends as a success, the
// empty line counted apart in the log, neither read, rejected nor written.
TEST_F(Run, TrailingEmptyLineIsSkippedAndTheRunSucceeds) {
    Choose({Src("a.txt", "head\r\n31/12/99;1,5\r\n\r\n")}, dir.file("r.txt"));
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::Ok);
    EXPECT_EQ(messages.shown.back(), Utf8ToCp1252("Conversion terminée"));
    EXPECT_EQ(view.counters, (std::vector<int64_t>{1, 1, 0, 1}));
    const auto log = LogFrom("BeginConvert --> (1 files)");
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[2], "   Skip  -- File(1) (1 empty)");
}

TEST_F(Run, StandardInputIsReadAndNeverDeletedAndReadFailuresHaveTheirReason) {
    const std::string in = Src("stdin.txt", "head\r\n31/12/99;1,5\r\n");
    const std::string b = Src("b.txt", "head\n01/01/05;2\n");
    const int saved = ::dup(0);
    const int fd = ::open(in.c_str(), O_RDONLY);
    ASSERT_TRUE(saved >= 0 && fd >= 0 && ::dup2(fd, 0) == 0);
    ::close(fd);
    Choose({"-", dir.path(), b}, dir.file("r.txt"));
    AfterProcessing after;
    after.disposal = sdDelete;
    const Status result = s.runner.RunConversion(view, after);
    ::dup2(saved, 0);
    ::close(saved);
    EXPECT_EQ(result, StatusCode::RunSourcesFailed); // the folder
    EXPECT_EQ(s.runner.FailedSources(), 1);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n1.5;1999-12-31\r\nH1\r\nH2\r\nH1\r\nH2\r\n2;2005-01-01\r\n");
    ASSERT_EQ(s.runner.ReadFailures().size(), 1u);
    EXPECT_EQ(s.runner.ReadFailures()[0].path, dir.path());
    EXPECT_EQ(s.runner.ReadFailures()[0].reason, SysErrorText(EISDIR));
    // Standard input has nothing to delete, and is no failure.
    EXPECT_TRUE(s.runner.AfterFailures().empty());
    EXPECT_TRUE(Exists(in));
    EXPECT_FALSE(Exists(b));
    // The view follows each source by its bytes: 20 from standard input, none from the folder.
    const std::vector<std::pair<bool, int64_t>> reading{{true, 0}, {false, 20}, {true, 20}, {false, 20}, {true, 20}, {false, 36}};
    EXPECT_EQ(view.reading, reading);
}

TEST_F(Run, ChecksOfTheConvertButton) {
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_badIFLFN));

    const std::string src = Src("a.txt", "h\r\n31/12/99;1\r\n");
    Choose({src}, dir.path() + "./a.txt"); // the source under another spelling
    s.page.OutValid = false;
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_filesShouldDif));
    EXPECT_EQ(s.page.OutPath, "");
    EXPECT_EQ(view.events.back(), "chooser");
    EXPECT_EQ(ReadFile(src), "h\r\n31/12/99;1\r\n");

    Src("r.txt", "old");
    Choose({src}, dir.file("r.txt"));
    s.page.OutValid = false;
    messages.answers = {false};
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.confirmed.back(), s.lang.Format(LK::msg_fileExists, {dir.file("r.txt")}));
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "old");

    Choose({src}, dir.file("r.txt"));
    s.page.OutValid = false;
    messages.answers = {true};
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::Ok);
    EXPECT_EQ(messages.shown.back(), Utf8ToCp1252("Conversion terminée"));

    // A format chosen that does not load; none chosen yet (a first start opened with a file);
    // none in the file at all.
    Choose({src}, dir.file("r2.txt"));
    ASSERT_EQ(s.fmtFile.FmtLoadList(), StatusCode::Ok);
    s.formats.Output.reset();
    s.params.settings.outputFormat = "OUT";
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(),
              s.lang.Format(LK::err_fmtLoad, {s.lang.Text(LK::str_out), s.lang.Text(LK::err_fmtOther)}));
    s.params.settings.outputFormat = "";
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::err_fmtOutNone));
    s.formats.Input.reset();
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::err_fmtInNone));
    s.formats.Catalogue.FormatNames.clear();
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunNotStarted);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::err_fmtNone));
}

TEST_F(Run, StopOnBadLineLeavesTheNextFileUnread) {
    s.run.StopOnBadLine = true;
    Choose({Src("a.txt", "h\r\nbad\r\n31/12/99;1\r\n"), Src("b.txt", "h\r\n31/12/99;1\r\n")}, dir.file("r.txt"));
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunSourcesFailed);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_StopOnErrOpt));
    // A stopped run starts no further source: no header lines of the next one, no log lines.
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n");
    EXPECT_EQ(view.counters, (std::vector<int64_t>{2, 1, 1, 0}));
    const auto log = LogFrom("BeginConvert --> (2 files)");
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[2].rfind("   End   -- File(1)", 0), 0u);
    EXPECT_EQ(log[3].rfind("EndConvert(*)--> ", 0), 0u);
}

// A conversion follows the two formats chosen alone: a format read before (by the editor, by
// --check, by a choice since replaced) leaves no date pair behind.
TEST_F(Run, EarlierLoadsLeaveNothingToTheConversion) {
    WriteFile(dir.file("Lumivex.fmt"),
              FmtFileText({"NOM=DATED", "CMT=", "CLC=1", "SEP=;", "DEC=,", "IFL=0", "COL=D|/DD/MM/YYYY|0|0|0|",
                           "NOM=PLAIN", "CMT=", "CLC=2", "SEP=;", "DEC=,", "IFL=0", "COL=D|AN|0|0|0|", "COL=V|N|0|0|0|",
                           "NOM=OUT", "CMT=", "CLC=2", "SEP=;", "DEC=.", "IFL=0", "COL=V|N|0|0|0|",
                           "COL=D|-YYYY/MM/DD|0|0|0|"}));
    const std::string src = Src("src.txt", "31/12/2005;1,5\r\n");
    auto convert = [&](bool readDatedFirst, const std::string& out) {
        Session fresh(messages, trash);
        fresh.SetProgramDir(dir.path());
        if (readDatedFirst) {
            EXPECT_EQ(fresh.fmtFile.Load("DATED").status, StatusCode::Ok);
        }
        EXPECT_EQ(fresh.SelectFormat(flmInput, "PLAIN"), StatusCode::Ok);
        EXPECT_EQ(fresh.SelectFormat(flmOutput, "OUT"), StatusCode::Ok);
        fresh.page.InFiles = {src};
        fresh.page.OutPath = dir.file(out);
        RecordingView freshView(fresh.run);
        fresh.runner.RunConversion(freshView, {});
        return ReadFile(dir.file(out)) + "|" + std::to_string(fresh.run.RejectedTotal);
    };
    EXPECT_EQ(convert(true, "after.txt"), convert(false, "alone.txt"));
}

// A start with no input format chosen has no link to build, and its log says so.
TEST_F(Run, StartWithNoInputFormatLogsNoLink) {
    for (const std::string in : {"", "IN"}) {
        Session fresh(messages, trash);
        fresh.SetProgramDir(dir.path());
        fresh.params.settings.inputFormat = in;
        fresh.params.settings.outputFormat = "OUT";
        ASSERT_EQ(fresh.StartFormats(), StatusCode::Ok);
        const auto& l = fresh.log.Lines();
        EXPECT_NE(std::find(l.begin(), l.end(), " *** BuildIoLink returns   : " + std::string(in.empty() ? "Ko" : "Ok")),
                  l.end()) << in;
    }
}

TEST_F(Run, CancelStopsAfterTheCurrentLine) {
    std::string many = "h\r\n";
    for (int i = 0; i < 1000; ++i) many += "31/12/99;1\r\n";
    Choose({Src("a.txt", many)}, dir.file("r.txt"));
    view.cancelAfter = 10;
    EXPECT_EQ(s.runner.ConvertButton(view), StatusCode::RunSourcesFailed);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_UserCancel));
    EXPECT_EQ(s.run.LinesRead, 10);
    // A cancel is an end too: the whole lines converted so far reach the result.
    std::string ten = "H1\r\nH2\r\n";
    for (int i = 0; i < 10; ++i) ten += "1;1999-12-31\r\n";
    EXPECT_EQ(ReadFile(dir.file("r.txt")), ten);
}

TEST_F(Run, CancelBetweenTwoFilesIsACancelAndTheUnreadSourceStays) {
    const std::string b = Src("b.txt", "h\r\n01/01/05;2\r\n");
    Choose({Src("a.txt", "h\r\n31/12/99;1\r\n"), b}, dir.file("r.txt"));
    s.params.settings.disposal = sdDelete;
    view.cancelBetweenFiles = true;
    s.runner.ConvertButton(view);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_UserCancel)) << "not \"Conversion termin\xE9" "e\"";
    EXPECT_EQ(s.runner.Converted(), (std::vector<bool>{true, false}));
    EXPECT_TRUE(Exists(b));
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n1;1999-12-31\r\n"); // as after a stop at a bad line
}

TEST_F(Run, AReplacedResultKeepsItsOldContentUntilTheRunEnds) {
    Src("r.txt", "old");
    Choose({Src("a.txt", "h\r\n31/12/99;1\r\n01/01/05;2\r\n")}, dir.file("r.txt"));
    s.page.OutReplace = true; // the user agreed
    std::vector<std::string> seen;
    view.onLine = [&] { seen.push_back(ReadFile(dir.file("r.txt")) + " " + std::to_string(Names(dir.path()).size())); };
    EXPECT_EQ(s.runner.RunConversion(view, {}), StatusCode::Ok);
    // Lumivex.fmt, a.txt, r.txt: the run's file has no name yet.
    EXPECT_EQ(seen, (std::vector<std::string>{"old 3", "old 3"}));
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "H1\r\nH2\r\n1;1999-12-31\r\n2;2005-01-01\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "a.txt", "r.txt"}));
}

} // namespace
} // namespace lmx::test

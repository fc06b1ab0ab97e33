#include "EngineRig.h"
#include "support/FailingSink.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

TEST(ConversionPlan, LinksByExactName) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("DATE"), Col("OPEN"), Col("CLOSE")}), Fmt(";", ",", {Col("CLOSE"), Col("DATE")}));
    const std::vector<IoLinkEntry>& link = rig.conv.Plan().Link();
    ASSERT_EQ(link.size(), 4u);
    EXPECT_EQ(link[1].target, 2);
    EXPECT_EQ(link[2].target, 0);
    EXPECT_EQ(link[3].target, 1);
    EXPECT_EQ(link[3].index, 3);
    EXPECT_EQ(rig.Convert("d;o;c\r\n", ecStandard), "c;d\r\n");
}

TEST(ConversionPlan, CaseMattersAndFirstNamesakeIsFed) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("DATE"), Col("V")}), Fmt(";", ",", {Col("Date"), Col("V"), Col("V")}));
    EXPECT_EQ(rig.Convert("d;1\n", ecStandard), ";1;\r\n");
}

struct SelCase {
    std::string inDec, outDec, inDate, outDate, casing, control, affix;
    int32_t code;
};

class SelEngineCodes : public ::testing::TestWithParam<SelCase> {};

TEST_P(SelEngineCodes, FromTheDifferences) {
    const SelCase& c = GetParam();
    const ConversionPlan plan(Fmt(";", c.inDec, {Col("A"), Col("D", c.inDate)}),
                              Fmt(";", c.outDec, {Col("B"), Col("A", "AN", c.casing, c.control, c.affix, "x"), Col("D", c.outDate)}));
    EXPECT_EQ(plan.Engine(), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SelEngineCodes,
    ::testing::Values(SelCase{",", ",", "/DD/MM/YYYY", "/DD/MM/YYYY", "0", "0", "0", 0},
                      SelCase{",", ".", "/DD/MM/YYYY", "/DD/MM/YYYY", "0", "0", "0", 16},
                      SelCase{",", ",", "/DD/MM/YYYY", "-DD/MM/YYYY", "0", "0", "0", 2},
                      SelCase{",", ",", "/DD/MM/YYYY", "/YYYY/MM/DD", "0", "0", "0", 2},
                      SelCase{",", ".", "0YYYYMMDD", "/DD/MM/YY", "0", "0", "0", 18},
                      SelCase{",", ".", "/DD/MM/YYYY", "-DD/MM/YYYY", "1", "0", "0", 255},
                      SelCase{",", ",", "/DD/MM/YYYY", "/DD/MM/YYYY", "0", "2", "0", 255},
                      SelCase{",", ",", "/DD/MM/YYYY", "/DD/MM/YYYY", "0", "0", "2", 255}));

TEST(EngineLabels, OneLabelPerCode) {
    EXPECT_EQ(EngineLabel(ecStandard), " (Standard)");
    EXPECT_EQ(EngineLabel(ecDecimal), " (DecimalChange)");
    EXPECT_EQ(EngineLabel(ecDate), " (DateConv(Perso) + DecimalChange)");
    EXPECT_EQ(EngineLabel(ecDateDecimal), " (DateConv(Perso) + DecimalChange)");
    EXPECT_EQ(EngineLabel(ecGlobal), " (Eng. Global)");
    EXPECT_EQ(EngineLabel(ecNone), "");
}

TEST(RunEngine, CompletesThePendingLogLine) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    rig.log.LogWrite(lkPart, "   Begin -- File(1)");
    rig.Convert("x\n");
    ASSERT_FALSE(rig.log.Lines().empty());
    EXPECT_EQ(rig.log.Lines().back(), "   Begin -- File(1) (Standard)");
}

TEST(EngStandard, CopiesFieldsUnchanged) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY"), Col("V", "N")}),
            Fmt("\t", ",", {Col("D", "/DD/MM/YYYY"), Col("V", "N")}));
    EXPECT_EQ(rig.Engine(), 0);
    EXPECT_EQ(rig.Convert("31/12/2005;12,5\r\n01/01/2006;1.5"), "31/12/2005\t12,5\r\n01/01/2006\t1.5\r\n");
    EXPECT_EQ(rig.run.LineNo, 2);
    EXPECT_EQ(rig.run.LinesRead, 2);
    EXPECT_EQ(rig.run.RejectedTotal, 0);
    EXPECT_FALSE(rig.run.FileAborted);
}

TEST(EngDecimal, ChangesNumbersButLeavesDatesAndNamesAlone) {
    EngineRig rig;
    rig.Use(Fmt(";", ".", {Col("D", ".DD/MM/YYYY"), Col("T"), Col("V", "N")}),
            Fmt(";", ",", {Col("D", ".DD/MM/YYYY"), Col("T"), Col("V", "N")}));
    EXPECT_EQ(rig.Engine(), 16);
    EXPECT_EQ(rig.Convert("31.12.2005;A.B.Co;1.5\n"), "31.12.2005;A.B.Co;1,5\r\n");
}

TEST(EngDatePerso, DateAndDecimal) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YY"), Col("T"), Col("C", "N")}),
            Fmt(",", ".", {Col("D", "-YYYY/MM/DD"), Col("T"), Col("C", "N")}));
    EXPECT_EQ(rig.Engine(), 18);
    EXPECT_EQ(rig.Convert("31/12/99;ACME;12,50\n31/02/99;ACME;1,5\n05/01/05;X;3\n"),
              "1999-12-31,ACME,12.50\r\n2005-01-05,X,3\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 1);
    ASSERT_EQ(rig.table.rows(), 4u);
    EXPECT_EQ(rig.table.cell(3, 0), "2");
    EXPECT_EQ(rig.table.cell(3, 1), "#Date");
    EXPECT_EQ(rig.table.code(3), leDate) << "the row keeps the code, its name is for display";
    EXPECT_EQ(rig.table.code(2), leUnknown) << "a file row has none";
    EXPECT_EQ(rig.table.cell(3, 2), "31/02/99"); // the line as read, before any change
    EXPECT_EQ(rig.table.cell(3, 4), "1,5");
}

TEST(EngDatePerso, OutputDecimalEqualToInputSeparatorIsSafe) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY"), Col("C", "N")}),
            Fmt("|", ";", {Col("D", "0YYYYMMDD"), Col("C", "N")}));
    EXPECT_EQ(rig.Convert("31/12/2005;12,5\n"), "20051231|12;5\r\n");
}

TEST(EngGlobal, PipelineOrder) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY"), Col("T"), Col("V", "N")}),
            Fmt(";", ".",
                {Col("D", "-YYYY/MM/DD", "0", "1"), Col("T", "AN", "1", "0", "1", "abc-"),
                 Col("V", "N", "0", "1", "1", "1")}));
    EXPECT_EQ(rig.Engine(), 255);
    // Prefix before case: the prefix is upper-cased too; decimal change before the prefix.
    EXPECT_EQ(rig.Convert("31/12/2005;caf\xE9;2,5\n"), "2005-12-31;ABC-CAF\xE9;12.5\r\n");
}

TEST(EngGlobal, SuffixOfLettersOnControlledNumberIsType) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("V", "N")}), Fmt(";", ",", {Col("V", "N", "0", "1", "2", "EUR")}));
    EXPECT_EQ(rig.Convert("12,5\n3\n"), "");
    EXPECT_EQ(rig.run.RejectedTotal, 2);
    EXPECT_EQ(rig.table.cell(3, 1), "#Type");
    EXPECT_EQ(rig.table.cell(4, 1), "#Type");
}

TEST(EngGlobal, PrefixOnDateColumnIsDateAndDateOutranksType) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("V", "N"), Col("D", "/DD/MM/YYYY")}),
            Fmt(";", ",", {Col("V", "N", "0", "1"), Col("D", "/DD/MM/YYYY", "0", "0", "1", "d")}));
    rig.Convert("x;31/12/2005\n");
    ASSERT_EQ(rig.table.rows(), 4u);
    EXPECT_EQ(rig.table.cell(3, 1), "#Date");
    EXPECT_EQ(rig.table.cell(3, 2), "x");
    EXPECT_EQ(rig.table.cell(3, 3), "31/12/2005");
}

TEST(EngGlobal, ControlIfFilledSelectsTheEngineButControlsNothing) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("V", "N"), Col("W")}), Fmt(";", ",", {Col("V", "N", "0", "2"), Col("W")}));
    EXPECT_EQ(rig.Convert(";e\n1,5;f\nabc;g\n"), ";e\r\n1,5;f\r\nabc;g\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 0);
}

TEST(EngineLoop, UnstringRejectsCarryTheWholeLine) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B"), Col("C")}), Fmt(";", ",", {Col("A"), Col("B"), Col("C")}));
    EXPECT_EQ(rig.Convert("a;b\na;b;c\na;b;c;d\n"), "a;b;c\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 2);
    std::vector<int64_t> byCode(LineErrorNames().size(), 0);
    byCode[leUnstring] = 2;
    EXPECT_EQ(rig.run.RejectedByCode, byCode);
    ASSERT_EQ(rig.table.rows(), 5u);
    EXPECT_EQ(rig.table.cell(2, 1), rig.run.SourcePath);
    EXPECT_EQ(rig.table.cell(3, 0), "1");
    EXPECT_EQ(rig.table.cell(3, 2), "a;b");
    EXPECT_EQ(rig.table.cell(4, 0), "3");
    EXPECT_EQ(rig.table.cell(4, 1), "#Unstring");
    EXPECT_EQ(rig.table.cell(4, 2), "a;b;c;d");
    EXPECT_EQ(rig.table.cell(4, 3), "");
}

// A line end alone is no record, whatever the format (one column included): skipped and counted
// apart, its number kept, so that the lines after it are named as the file numbers them.
TEST(EngineLoop, EmptyLinesAreSkippedNotRejected) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")}));
    rig.run.StopOnBadLine = true; // an empty line does not stop the run either
    EXPECT_EQ(rig.Convert("\n1;2\r\n\r\n\r3;4\n\n"), "1;2\r\n3;4\r\n");
    EXPECT_EQ(rig.run.EmptyTotal, 4);
    EXPECT_EQ(rig.run.LinesRead, 2);
    EXPECT_EQ(rig.run.RejectedTotal, 0);
    EXPECT_FALSE(rig.run.StopRun);
    rig.run.StopOnBadLine = false;
    EXPECT_EQ(rig.Convert("\nbad\n"), "");
    EXPECT_EQ(rig.table.cell(3, 0), "2");
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    EXPECT_EQ(rig.Convert("a\n\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(rig.run.EmptyTotal, 6);
}

TEST(EngineLoop, StopOnBadLineReadsNothingMore) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")}));
    rig.run.StopOnBadLine = true;
    EXPECT_EQ(rig.Convert("1;2\nbad\n3;4\n5;6\n"), "1;2\r\n");
    EXPECT_TRUE(rig.run.StopRun);
    EXPECT_TRUE(rig.run.FileAborted);
    EXPECT_EQ(rig.run.LineNo, 2);
    EXPECT_EQ(rig.run.LinesRead, 2);
    EXPECT_EQ(rig.run.RejectedTotal, 1);
    EXPECT_EQ(rig.table.rows(), 4u);
    // The next file of the run is not read at all and not counted as aborted.
    rig.run.FileAborted = false;
    EXPECT_EQ(rig.Convert("7;8\n"), "");
    EXPECT_FALSE(rig.run.FileAborted);
    EXPECT_EQ(rig.run.LinesRead, 2);
}

struct CancelAfter : IRunHook {
    explicit CancelAfter(RunState& r, int64_t n) : run(r), after(n) {}
    void LineDone(const RunState& state) override {
        positions.push_back(state.LineNo * 1000 + state.LinesRead);
        if (state.LinesRead >= after) run.StopRun = run.UserCancel = true;
    }
    RunState& run;
    int64_t after;
    std::vector<int64_t> positions;
};

TEST(EngineLoop, HookSeesEveryLineAndCanStop) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    CancelAfter hook(rig.run, 4);
    rig.hook = &hook;
    // Lines that keep their bytes go many at a time: the hook still sees each one, and the stop
    // leaves only the lines counted.
    EXPECT_EQ(rig.Convert("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(rig.Convert("c\r\nd\r\ne\r\n"), "c\r\nd\r\n");
    EXPECT_EQ(hook.positions, (std::vector<int64_t>{1001, 2002, 1003, 2004}));
    EXPECT_TRUE(rig.run.FileAborted);
}

TEST(EngineLoop, RefusedWritesAreListedAsWrite) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    const std::string src = rig.dir.file("w.txt");
    WriteFile(src, "a\nb\nc\n");
    LineReader reader;
    ASSERT_TRUE(reader.Open(src));
    FailingSink sink(1);
    EngineRunner runner(rig.conv, rig.run, rig.errors, rig.log, rig.nullHook);
    runner.RunEngine(ecStandard, reader, sink);
    EXPECT_EQ(sink.data, "a\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 2);
    EXPECT_EQ(rig.table.cell(3, 1), "#Write");
    EXPECT_EQ(rig.table.cell(3, 2), "b");
    EXPECT_EQ(rig.table.cell(4, 0), "3");
}

TEST(EngineLoop, LineNumbersStartAfterSkippedLines) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")}));
    const std::string src = rig.dir.file("j.txt");
    WriteFile(src, "HEADER\r\n1;2\r\nbad\r\n");
    LineReader reader;
    ASSERT_TRUE(reader.Open(src));
    EXPECT_EQ(reader.Skip(1), 1);
    StringSink sink;
    EngineRunner runner(rig.conv, rig.run, rig.errors, rig.log, rig.nullHook);
    runner.RunEngine(ecStandard, reader, sink);
    EXPECT_EQ(sink.data, "1;2\r\n");
    EXPECT_EQ(rig.table.cell(3, 0), "2");
    EXPECT_EQ(rig.run.LineNo, 2);
}

TEST(EngineLoop, ReadFailureAbortsTheFile) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    LineReader reader;
    reader.Attach(987654); // not an open descriptor
    StringSink sink;
    EngineRunner runner(rig.conv, rig.run, rig.errors, rig.log, rig.nullHook);
    runner.RunEngine(ecStandard, reader, sink);
    EXPECT_TRUE(rig.run.FileAborted);
    EXPECT_TRUE(reader.Error());
}

TEST(EngineLoop, UnknownEngineCodeReadsNothing) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    EXPECT_EQ(rig.Convert("a\n", static_cast<EngineCodeValue>(7)), "");
    EXPECT_TRUE(rig.run.FileAborted);
    EXPECT_EQ(rig.run.LinesRead, 0);
}

} // namespace

#include "EngineRig.h"
#include "common/Text.h"
#include "env/LangTexts.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

TEST(LineErrorNames, InCodeOrder) {
    EXPECT_EQ(LineErrorNames()[0], "#ok");
    EXPECT_EQ(LineErrorNames()[1], "#Unstring");
    EXPECT_EQ(LineErrorNames()[2], "#Dec Sep.");
    EXPECT_EQ(LineErrorNames()[3], "#Write");
    EXPECT_EQ(LineErrorNames()[4], "#Date");
    EXPECT_EQ(LineErrorNames()[5], "#Value");
    EXPECT_EQ(LineErrorNames()[6], "#Type");
    EXPECT_EQ(LineErrorNames()[7], "#Length");
    EXPECT_EQ(LineErrorNames()[8], "#Dec Clash");
}

struct ErrRig : EngineRig {
    ErrRig() {
        Use(Fmt(";", ",", {Col("DATE"), Col("OPEN"), Col("CLOSE")}), Fmt(";", ",", {Col("DATE")}));
        errors.SetInput(";", 3);
        run.SourcePath = "/data/quotes.txt";
    }
};

TEST(RejectTable, TitlesAndMark) {
    ErrRig rig;
    EXPECT_EQ(rig.table.cols(), 5u);
    ASSERT_EQ(rig.table.rows(), 2u);
    EXPECT_EQ(rig.table.cell(0, 0), "N\xB0");
    EXPECT_EQ(rig.table.cell(0, 1), "#Error");
    EXPECT_EQ(rig.table.cell(0, 2), "DATE");
    EXPECT_EQ(rig.table.cell(0, 4), "CLOSE");
    EXPECT_EQ(rig.table.cell(1, 0), "...");
    EXPECT_EQ(rig.table.cell(1, 1), "");
    EXPECT_EQ(rig.table.cell(9, 0), "");
    EXPECT_EQ(rig.table.cell(0, 9), "");
}

TEST(WriteErrLine, FileRowOnceThenLineRows) {
    ErrRig rig;
    rig.errors.WriteErrLine(leUnstring, "a;b;c;d", 7, 0);
    rig.errors.WriteErrLine(leType, "d;1,5;x", 9, 0);
    rig.errors.WriteErrLine(leDecSep, "q", 10, 0);
    ASSERT_EQ(rig.table.rows(), 6u);
    EXPECT_EQ(rig.table.cell(2, 0), "");
    EXPECT_EQ(rig.table.cell(2, 1), "/data/quotes.txt");
    EXPECT_EQ(rig.table.cell(3, 0), "7");
    EXPECT_EQ(rig.table.cell(3, 1), "#Unstring");
    EXPECT_EQ(rig.table.cell(3, 2), "a;b;c;d");
    EXPECT_EQ(rig.table.cell(4, 1), "#Type");
    EXPECT_EQ(rig.table.cell(4, 2), "d");
    EXPECT_EQ(rig.table.cell(4, 3), "1,5");
    EXPECT_EQ(rig.table.cell(4, 4), "x");
    EXPECT_EQ(rig.table.cell(5, 1), "#Dec Sep.");
    EXPECT_EQ(rig.table.cell(5, 2), "q");
    EXPECT_FALSE(rig.run.StopRun);
    // A new file gets its own row before its first rejected line.
    rig.run.FileRowShown = false;
    rig.run.SourcePath = "/data/b.txt";
    rig.errors.WriteErrLine(leDate, "x;;", 1, 0);
    ASSERT_EQ(rig.table.rows(), 8u);
    EXPECT_EQ(rig.table.cell(6, 1), "/data/b.txt");
    EXPECT_EQ(rig.table.cell(7, 2), "x");
    EXPECT_EQ(rig.table.cell(7, 4), "");
}

TEST(WriteErrLine, StopOnBadLineSetsStopRun) {
    ErrRig rig;
    rig.run.StopOnBadLine = true;
    rig.errors.WriteErrLine(leDate, "a;b;c", 1, 0);
    EXPECT_TRUE(rig.run.StopRun);
    EXPECT_FALSE(rig.run.UserCancel);
}

TEST(WriteErrLine, BadCallIsLogged) {
    ErrRig rig;
    rig.errors.WriteErrLine(9, "a;b", 12, 3);
    ASSERT_GE(rig.log.Lines().size(), 2u);
    const auto& lines = rig.log.Lines();
    EXPECT_EQ(lines[lines.size() - 2], "#WERRLN : Bad call to WriteErrLine, Args = >9<  Line>a;b<");
    EXPECT_EQ(lines.back(), "    LineNum>12<  ColNumber>3<");
    ASSERT_EQ(rig.table.rows(), 4u);
    EXPECT_EQ(rig.table.cell(3, 0), "12");
    EXPECT_EQ(rig.table.cell(3, 1), "");
    EXPECT_EQ(rig.table.cell(3, 2), "");
}

TEST(RejectTable, ManyRowsStayReachableWithBoundedMemory) {
    ErrRig rig;
    for (int i = 1; i <= 200000; ++i) rig.errors.WriteErrLine(leUnstring, "a;b;" + std::to_string(i), i, 0);
    ASSERT_EQ(rig.table.rows(), 200003u);
    // Most rows went to the temporary file; each one reads back, the oldest and the newest.
    EXPECT_GT(rig.table.SpilledBytes(), 2u * RejectTable::kSpillAt);
    EXPECT_LT(rig.table.MemoryBytes(), RejectTable::kSpillAt + 100);
    EXPECT_EQ(rig.table.cell(0, 2), "DATE");
    EXPECT_EQ(rig.table.cell(2, 1), "/data/quotes.txt");
    EXPECT_EQ(rig.table.cell(100002, 0), "100000");
    EXPECT_EQ(rig.table.cell(100002, 2), "a;b;100000");
    EXPECT_EQ(rig.table.cell(200002, 2), "a;b;200000");
    rig.table.Prepare(*rig.fs.Input, 3);
    EXPECT_EQ(rig.table.rows(), 2u);
    EXPECT_EQ(rig.table.SpilledBytes(), 0u);
}

TEST(LineErrorText, Sentences) {
    LangTexts texts;
    EXPECT_EQ(LineErrorText(leUnstring, ";", "a;b;c;d;e", 2, texts),
              FillPlaceholders(texts.Text(LK::msg_NoUnstr), {"trop", ";", "4", "2"}));
    const std::string few = LineErrorText(leUnstring, ";", "a;b", 2, texts);
    EXPECT_EQ(few, FillPlaceholders(texts.Text(LK::msg_NoUnstr), {"trop peu", ";", "1", "2"}));
    EXPECT_NE(few.find("\r\n1 lus, au lieu de 2 attendus."), std::string::npos);
    EXPECT_EQ(LineErrorText(leDate, "", "31/02/99", 0, texts),
              FillPlaceholders(texts.Text(LK::msg_UnstrDate), {"31/02/99"}));
    EXPECT_EQ(LineErrorText(leDecSep, "", "", 0, texts), texts.Text(LK::msg_UnstrDecSep));
    EXPECT_EQ(LineErrorText(leWrite, "", "", 0, texts), texts.Text(LK::msg_UnstrWrite));
    EXPECT_EQ(LineErrorText(leValue, "", "", 0, texts), texts.Text(LK::msg_UnstrType));
    EXPECT_EQ(LineErrorText(leType, "", "", 0, texts), texts.Text(LK::msg_UnstrType));
    EXPECT_EQ(LineErrorText(leOk, "", "", 0, texts), texts.Text(LK::msg_UnstrUnknown));
}

TEST(LineErrorText, ValueHoldingPlaceholderIsNotReinterpreted) {
    LangTexts texts;
    EXPECT_EQ(LineErrorText(leDate, "", "%s%d", 0, texts),
              FillPlaceholders(texts.Text(LK::msg_UnstrDate), {"%s%d"}));
}

} // namespace

#include "EngineRig.h"
#include "support/FailingSink.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

struct SplitCase {
    std::string line;
    bool ok;
};

class Unstring3 : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Unstring3, CountsFieldsExactly) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B"), Col("C")}), Fmt(";", ",", {Col("A"), Col("B"), Col("C")}));
    EXPECT_EQ(rig.line.Unstring(GetParam().line), GetParam().ok) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Lines, Unstring3,
                         ::testing::Values(SplitCase{"a;;c", true}, SplitCase{"a;b", false},
                                           SplitCase{"a;b;c;", false}, SplitCase{"", false},
                                           SplitCase{";;", true}, SplitCase{"a,1;b;c", true}));

TEST(Unstring, EmptyFieldsAreKept) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B"), Col("C")}), Fmt(";", ",", {Col("A"), Col("B"), Col("C")}));
    ASSERT_TRUE(rig.line.Unstring("a;;c"));
    EXPECT_EQ(rig.line.Slots(), (std::vector<std::string>{"", "a", "", "c"}));
}

TEST(Unstring, EmptyLineIsOneEmptyField) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    EXPECT_TRUE(rig.line.Unstring(""));
    EXPECT_EQ(rig.line.Slots()[1], "");
}

TEST(Unstring, SlotsFromThePreviousLineAreEmptied) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("X"), Col("B")}));
    ASSERT_TRUE(rig.line.Unstring("long value here;second"));
    ASSERT_TRUE(rig.line.Unstring("a;b"));
    EXPECT_EQ(rig.line.Slots(), (std::vector<std::string>{"", "a", "", "b"}));
}

TEST(Unstring, UnlinkedColumnGoesToSlotZeroAndUnfedColumnIsEmpty) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("DROP"), Col("B")}), Fmt(";", ",", {Col("A"), Col("X"), Col("B")}));
    ASSERT_TRUE(rig.line.Unstring("a;gone;b"));
    EXPECT_EQ(rig.line.Slots()[0], "gone");
    StringSink sink;
    EXPECT_EQ(rig.line.WriteOutLine(sink), leOk);
    EXPECT_EQ(sink.data, "a;;b\r\n");
}

TEST(Unstring, TabSeparatorAndLongSeparatorText) {
    EngineRig rig;
    rig.Use(Fmt("\t", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")}));
    EXPECT_TRUE(rig.line.Unstring("1\t2"));
    EXPECT_EQ(rig.line.Slots()[2], "2");
    rig.Use(Fmt(";;", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")})); // never matches
    EXPECT_FALSE(rig.line.Unstring("1;;2"));
    EXPECT_EQ(rig.line.Slots()[1], "1;;2");
}

TEST(Unstring, FieldsBeyondTheColumnsAreNotStoredAndLaterDuplicateWins) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("A")}), Fmt(";", ",", {Col("A")}));
    EXPECT_TRUE(rig.line.Unstring("first;second"));
    EXPECT_EQ(rig.line.Slots()[1], "second");
    EXPECT_FALSE(rig.line.Unstring("x;y;z;w"));
    EXPECT_EQ(rig.line.Slots()[1], "y");
}

// The converter is only read: line converters that share it keep their own lines.
TEST(SlotLine, LinesSharingOneConverterKeepTheirOwnSlots) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("B"), Col("A")}));
    SlotLine other(rig.conv);
    ASSERT_TRUE(rig.line.Unstring("1;one"));
    ASSERT_TRUE(other.Unstring("2;two"));
    StringSink sink;
    ASSERT_EQ(rig.line.WriteOutLine(sink), leOk);
    ASSERT_EQ(other.WriteOutLine(sink), leOk);
    EXPECT_EQ(sink.data, "one;1\r\ntwo;2\r\n");
}

TEST(WriteOutLine, JoinsWithOutputSeparatorAndCrLf) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt("\t", ",", {Col("B"), Col("A")}));
    ASSERT_TRUE(rig.line.Unstring("1;\xE9t\xE9"));
    StringSink sink;
    EXPECT_EQ(rig.line.WriteOutLine(sink), leOk);
    EXPECT_EQ(sink.data, "\xE9t\xE9\t1\r\n");
}

TEST(WriteOutLine, RefusedWriteIsCode3) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    ASSERT_TRUE(rig.line.Unstring("x"));
    FailingSink sink(0);
    EXPECT_EQ(rig.line.WriteOutLine(sink), leWrite);
}

TEST(WriteOutLine, LineLargerThanTheWriterBufferGoesThrough) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B")}), Fmt(";", ",", {Col("A"), Col("B")}));
    const std::string big(5000, 'x');
    ASSERT_TRUE(rig.line.Unstring(big + ";y"));
    const std::string path = rig.dir.file("out.txt");
    FileWriter w(64);
    ASSERT_TRUE(w.Create(path));
    EXPECT_EQ(rig.line.WriteOutLine(w), leOk);
    EXPECT_TRUE(w.Close());
    EXPECT_EQ(ReadFile(path), big + ";y\r\n");
}

TEST(DecimalChange, ReplacesEveryFromCharacter) {
    EXPECT_EQ(Converter::DecimalChange(",", ".", "1,5"), "1.5");
    EXPECT_EQ(Converter::DecimalChange(".", ",", "A.B.Co"), "A,B,Co");
    EXPECT_EQ(Converter::DecimalChange(",", ".", "12,50 and 1234567,891"), "12.50 and 1234567.891");
    EXPECT_EQ(Converter::DecimalChange(",", "::", "1,5,"), "1::5::");
    EXPECT_EQ(Converter::DecimalChange(",", ".", ""), "");
    EXPECT_EQ(Converter::DecimalChange(",,", ".", "1,5"), "1,5");
}

TEST(TypeControl, NumericColumnWithCommaDecimal) {
    EngineRig rig;
    rig.Use(Fmt(";", ".", {Col("V")}), Fmt(";", ",", {Col("V", "N")}));
    // A sign, digits, one decimal separator at most.
    for (const char* ok : {"12,50", "", "-0,5", "+3", "7", ",5"}) EXPECT_TRUE(rig.conv.TypeControl(ok, 0)) << ok;
    for (const char* bad : {"1,2,3", "1.5", "-", ",", "1-2", "--1", "+-1", "1,5-", " 1"})
        EXPECT_FALSE(rig.conv.TypeControl(bad, 0)) << bad;
    EXPECT_FALSE(rig.conv.TypeControl("1234567,89,01", 0)); // a separator in the last word twice
    EXPECT_FALSE(rig.conv.TypeControl("12", 5)); // no such column
}

TEST(TypeControl, TextAndDateColumns) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("T"), Col("D")}), Fmt(";", ",", {Col("T", "AN"), Col("D", "-YYYY/MM/DD")}));
    EXPECT_TRUE(rig.conv.TypeControl("anything at all", 0));
    EXPECT_TRUE(rig.conv.TypeControl("2005-12-31", 1));
    EXPECT_FALSE(rig.conv.TypeControl("2005/12/31", 1));
    EXPECT_FALSE(rig.conv.TypeControl("2005-12-3a", 1));
    EXPECT_FALSE(rig.conv.TypeControl("2005-02-29", 1)); // a date of the calendar
    rig.Use(Fmt(";", ",", {Col("T"), Col("D")}), Fmt(";", ",", {Col("T", "AN"), Col("D", "0YYYY/MM/DD")}));
    EXPECT_TRUE(rig.conv.TypeControl("20051231", 1));
    EXPECT_FALSE(rig.conv.TypeControl("2005-12-31", 1));
}

TEST(ForceCase, AsciiLettersOnly) {
    EXPECT_EQ(Converter::ForceCase("caf\xE9 abc-XYZ", CaseCode::Upper), "CAF\xE9 ABC-XYZ");
    EXPECT_EQ(Converter::ForceCase("\xC9T\xC9 Abc", CaseCode::Lower), "\xC9t\xC9 abc");
    EXPECT_EQ(Converter::ForceCase("Abc", CaseCode::None), "Abc");
}

TEST(AddAffix, PrefixAndSuffix) {
    EXPECT_EQ(Converter::AddAffix("12", AffixCode::Prefix, "EUR "), "EUR 12");
    EXPECT_EQ(Converter::AddAffix("12", AffixCode::Suffix, " EUR"), "12 EUR");
    EXPECT_EQ(Converter::AddAffix("12", AffixCode::None, "x"), "12");
}

} // namespace

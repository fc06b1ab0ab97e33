// Several date columns, fields holding the output separator, a byte-order mark: the direct line
// conversion against the slot pipeline, the engine choice, and what a run writes and lists.
#include "EngineRig.h"
#include "RandomLines.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

// The quote columns with a settlement and a payment date after them.
Format Dated(std::string sep, std::string dec, std::string date, std::string settle, std::string paid = "") {
    std::vector<Column> cols{Col("DATE", date), Col("TICKER"),     Col("OPEN", "N"),   Col("HIGH", "N"),
                               Col("LOW", "N"),   Col("CLOSE", "N"), Col("VOLUME", "N"), Col("SETTLE", settle)};
    if (!paid.empty()) cols.push_back(Col("PAID", paid));
    return Fmt(std::move(sep), std::move(dec), std::move(cols));
}

std::vector<Pair> Pairs() {
    std::vector<Pair> p;
    // Two dates of different layouts, each rewritten to another, columns in place.
    p.push_back({"twoDates", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"), Dated("\t", ".", "-YYYY/MM/DD", "/MM/DD/YYYY"),
                 "-YYYY/MM/DD", "/MM/DD/YYYY"});
    // Three dates moved around: widening, cutting, a layout without separators.
    p.push_back({"threeDates", Dated(";", ",", "/DD/MM/YY", "0YYYYMMDD", ".MM/DD/YYYY"),
                 Fmt("|", ".",
                     {Col("PAID", "/DD/MM/YY"), Col("TICKER"), Col("DATE", "-YYYY/MM/DD"), Col("SETTLE", ".DD/MM/YYYY"),
                      Col("CLOSE", "N")}),
                 ".MM/DD/YYYY", ".DD/MM/YYYY"});
    // The same with case, prefix and controls (the date control takes each column's separator).
    p.push_back({"threeDatesGlobal", Dated(";", ",", "/DD/MM/YY", "0YYYYMMDD", ".MM/DD/YYYY"),
                 Fmt("\t", ".",
                     {Col("PAID", "/DD/MM/YY", "0", "1"), Col("TICKER", "AN", "1", "0", "1", "X:"),
                      Col("DATE", "-YYYY/MM/DD", "0", "1"), Col("SETTLE", ".DD/MM/YYYY"), Col("CLOSE", "N", "0", "1")}),
                 ".MM/DD/YYYY", ".DD/MM/YYYY"});
    // Equal pairs in another order: copied as they are.
    p.push_back({"twoDatesSwapped", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt(";", ",", {Col("SETTLE", "-YYYY/MM/DD"), Col("TICKER"), Col("DATE", "/DD/MM/YYYY")}),
                 "-YYYY/MM/DD", "/DD/MM/YYYY"});
    // Output separators that the fields hold: commas (the decimal comma becomes a point), a blank
    // with a prefix that holds one, a letter with forced case, a letter
    // that only dates hold, the dates' own separator.
    p.push_back({"commaOut", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"), Dated(",", ".", "-YYYY/MM/DD", "-YYYY/MM/DD"),
                 "-YYYY/MM/DD", "-YYYY/MM/DD"});
    p.push_back({"commaOutDatesKept", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Dated(",", ".", "/DD/MM/YYYY", "-YYYY/MM/DD"), "-YYYY/MM/DD", "-YYYY/MM/DD"});
    p.push_back({"blankOut", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt(" ", ".", {Col("TICKER", "AN", "1", "0", "1", "a b"), Col("DATE", "/DD/MM/YY"), Col("OPEN", "N")}),
                 "-YYYY/MM/DD", "/DD/MM/YY"});
    // Columns kept in order, one date shorter: the output is assembled from the one-pass copy.
    p.push_back({"blankOutInOrder", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt(" ", ".",
                     {Col("DATE", "-YYYY/MM/DD"), Col("TICKER", "AN", "1"), Col("OPEN", "N"), Col("HIGH", "N"),
                      Col("LOW", "N"), Col("CLOSE", "N"), Col("VOLUME", "N"), Col("SETTLE", "/DD/MM/YY")}),
                 "-YYYY/MM/DD", "/DD/MM/YY"});
    p.push_back({"letterOut", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt("a", ".", {Col("TICKER", "AN", "1"), Col("DATE", "AN", "2"), Col("HIGH", "N")}), "-YYYY/MM/DD",
                 "-YYYY/MM/DD"});
    p.push_back({"datesOnlyLetterOut", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt("x", ",", {Col("DATE", "-YYYY/MM/DD"), Col("SETTLE", "/DD/MM/YY")}), "-YYYY/MM/DD", "/DD/MM/YY"});
    p.push_back({"dateSepIsOutSep", Dated(";", ",", "/DD/MM/YYYY", "-YYYY/MM/DD"),
                 Fmt("-", ".", {Col("DATE", "-YYYY/MM/DD"), Col("TICKER"), Col("SETTLE", "-DD/MM/YY")}), "-YYYY/MM/DD",
                 "-DD/MM/YY"});
    return p;
}

class ColumnsVersusSlots : public ::testing::TestWithParam<Pair> {};

TEST_P(ColumnsVersusSlots, SameBytesAndCodes) { ExpectSameAsSlots(GetParam(), true); }

INSTANTIATE_TEST_SUITE_P(Pairs, ColumnsVersusSlots, ::testing::ValuesIn(Pairs()),
                         [](const ::testing::TestParamInfo<Pair>& p) { return p.param.name; });

struct ChoiceCase {
    std::string name;
    Format in, out;
    int32_t code;
};

std::ostream& operator<<(std::ostream& os, const ChoiceCase& c) { return os << c.name; }

class DateChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(DateChoice, PairsChooseTheEngine) {
    EngineRig rig;
    rig.Use(GetParam().in, GetParam().out);
    EXPECT_EQ(rig.Engine(), GetParam().code);
}

Format Two(std::string a, std::string b, std::string dec = ",") {
    return Fmt(";", std::move(dec), {Col("A", std::move(a)), Col("B", std::move(b)), Col("V", "N")});
}

INSTANTIATE_TEST_SUITE_P(
    Engines, DateChoice,
    ::testing::Values(
        // One date column a side: the formats' pairs decide.
        ChoiceCase{"oneDateEach", Fmt(";", ",", {Col("A", "-YYYY/MM/DD")}), Fmt(";", ",", {Col("A", "/DD/MM/YYYY")}),
                   ecDate},
        ChoiceCase{"noDateColumn", Fmt(";", ",", {Col("A")}), Fmt(";", ".", {Col("A")}), ecDecimal},
        // An output without a date column writes the input's dates as they are.
        ChoiceCase{"noOutputDate", Fmt(";", ",", {Col("A", "/DD/MM/YY")}), Fmt(";", ",", {Col("A")}), ecStandard},
        // Several: each linked pair on its own.
        ChoiceCase{"samePairsSwapped", Two("/DD/MM/YYYY", "-YYYY/MM/DD"),
                   Fmt(";", ",", {Col("B", "-YYYY/MM/DD"), Col("A", "/DD/MM/YYYY")}), ecStandard},
        ChoiceCase{"onePairDiffers", Two("/DD/MM/YYYY", "-YYYY/MM/DD"), Two("/DD/MM/YYYY", "/DD/MM/YYYY", "."),
                   ecDateDecimal},
        ChoiceCase{"separatorDiffers", Two("/DD/MM/YYYY", "-YYYY/MM/DD"), Two("/DD/MM/YYYY", ".YYYY/MM/DD"), ecDate},
        // An output date column that no input column feeds is no pair.
        ChoiceCase{"unfedColumn", Two("/DD/MM/YYYY", "-YYYY/MM/DD"),
                   Fmt(";", ",", {Col("A", "/DD/MM/YYYY"), Col("Z", "0YYMMDD")}), ecStandard}),
    [](const ::testing::TestParamInfo<ChoiceCase>& p) { return p.param.name; });

// The examples of the fault: each date with its own layouts, in both directions.
TEST(SeveralDates, EachPairWithItsOwnLayouts) {
    EngineRig rig;
    const Format in = Fmt(";", ",", {Col("D1", "/DD/MM/YYYY"), Col("D2", "-YYYY/MM/DD")});
    rig.Use(in, Fmt(";", ",", {Col("D1", "-YYYY/MM/DD"), Col("D2", "/MM/DD/YYYY")}));
    EXPECT_EQ(rig.Convert("31/12/2005;2005-12-31\r\n"), "2005-12-31;12/31/2005\r\n");
    rig.Use(in, Fmt(";", ",", {Col("D2", ".DD/MM/YY"), Col("D1", "0YYYYMMDD")}));
    EXPECT_EQ(rig.Convert("31/12/2005;2005-12-31\r\n31/12/2005;2005-12-\r\n"), "31.12.05;20051231\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 1); // the second date has no day
}

// The line is listed whole with "#Write"; a prefix holding the separator is written as it stands.
TEST(SeparatorInField, LineRejectedAsWrite) {
    EngineRig rig;
    rig.Use(Fmt(";", ".", {Col("NAME"), Col("CLOSE", "N")}),
            Fmt(",", ".", {Col("NAME", "AN", "0", "0", "1", "Co, "), Col("CLOSE", "N")}));
    EXPECT_EQ(rig.Convert("ACME;12.5\r\nACME, Inc.;13.5\r\nBolt;1.25\r\n"), "Co, ACME,12.5\r\nCo, Bolt,1.25\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 1);
    ASSERT_EQ(rig.table.rows(), 4u); // titles, "...", the file, the line
    EXPECT_EQ(rig.table.cell(3, 0), "2");
    EXPECT_EQ(rig.table.cell(3, 1), "#Write");
    EXPECT_EQ(rig.table.cell(3, 2), "ACME, Inc.;13.5");
}

// Tickers and names keep their dots; a number in a text column, and every numeric column, take the
// new separator; a date only its layouts. The same whatever the engine.
TEST(DecimalChange, TextColumnsChangeOnlyPlainNumbers) {
    EngineRig rig;
    const Format in = Fmt(";", ".", {Col("T"), Col("N", "A"), Col("P", "N"), Col("D", ".DD/MM/YYYY")});
    for (const auto& [date, code] : {std::pair{".DD/MM/YYYY", ecDecimal}, {"-YYYY/MM/DD", ecDateDecimal}, {".DD/MM/YYYY", ecGlobal}}) {
        const std::string control = code == ecGlobal ? "2" : "0"; // picks the engine, controls nothing
        rig.Use(in, Fmt(";", ",", {Col("T"), Col("N", "A"), Col("P", "N", "0", control), Col("D", date)}));
        ASSERT_EQ(rig.Engine(), code);
        const bool iso = code == ecDateDecimal;
        EXPECT_EQ(rig.Convert("MC.PA;Soc. Gen.;1.5;31.12.2005\r\n-12.50;1.2.3;.5;01.02.2003\r\n"),
                  std::string("MC.PA;Soc. Gen.;1,5;") + (iso ? "2005-12-31" : "31.12.2005") + "\r\n-12,50;1.2.3;,5;" +
                      (iso ? "2003-02-01" : "01.02.2003") + "\r\n")
            << code;
    }
    // A text kept as read may hold the output separator: the line cannot be written.
    rig.Use(Fmt(";", ",", {Col("T"), Col("P", "N")}), Fmt(",", ".", {Col("T"), Col("P", "N")}));
    EXPECT_EQ(rig.Convert("1,5;2,5\r\nA,B;2,5\r\n"), "1.5,2.5\r\n");
    EXPECT_EQ(rig.run.RejectedTotal, 1);
}

// A prefix is the format's text: written in the data files' encoding, the line end theirs.
TEST(DataText, PrefixInUtf8AndLfLineEnd) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("T"), Col("V", "N")}), Fmt(";", ",", {Col("T", "AN", "0", "0", "1", "\xE9:"), Col("V", "N")}));
    rig.conv.TakeDataSettings("UTF-8", "LF");
    EXPECT_EQ(rig.Convert("\xC3\xA9;1,5\r\n"), "\xC3\xA9:\xC3\xA9;1,5\n");
    rig.conv.TakeDataSettings("Windows-1252", "CRLF");
    EXPECT_EQ(rig.Convert("\xE9;1,5\n"), "\xE9:\xE9;1,5\r\n");
}

// The mark starts no field; only at the very start of the source is it no data.
TEST(ByteOrderMark, SkippedAtTheStartOnly) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("T"), Col("V", "N")}), Fmt("\t", ".", {Col("T"), Col("V", "N")}));
    const std::string mark = "\xEF\xBB\xBF";
    const std::string expected = "AB\t1.5\r\n" + mark + "CD\t2\r\n";
    EXPECT_EQ(rig.Convert("AB;1,5\r\n" + mark + "CD;2\r\n"), expected);
    EXPECT_EQ(rig.Convert(mark + "AB;1,5\r\n" + mark + "CD;2\r\n"), expected);
    EXPECT_EQ(rig.run.RejectedTotal, 0);
}

} // namespace

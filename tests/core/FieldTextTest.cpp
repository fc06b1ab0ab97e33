// Fields as downloads write them: quotes, grouping separators, number suffixes and percent signs;
// and the faults of the conversion that no format option causes: a decimal change that would make
// another number, an impossible date under the control, a date column that nothing feeds.
#include "EngineRig.h"
#include "core/FieldText.h"

#include <gtest/gtest.h>

#include <random>

using namespace lmx;
using namespace lmx::test;

namespace {

struct NumberCase {
    std::string in;
    char dec, group;
    bool scaled, percent;
    std::string out;
};

TEST(ReadNumber, OnlyWhatReadsAsANumberChanges) {
    const NumberCase cases[] = {
        {"1,948.00", '.', ',', false, false, "1948.00"},
        {"4.913,94", ',', '.', false, false, "4913,94"},
        {"-1 234 567,5", ',', ' ', false, false, "-1234567,5"},
        {"51.34M", '.', '\0', true, false, "51340000"},
        {"18,67M", ',', '.', true, false, "18670000"},
        {"1.2345K", '.', '\0', true, false, "1234.5"},
        {"0.5B", '.', '\0', true, false, "500000000"},
        {"2.5k", '.', '\0', true, false, "2500"},
        {"12,03%", ',', '.', false, true, "12,03"},
        {"-0.52%", '.', ',', true, true, "-0.52"},
        {"1.5", '.', ',', true, true, "1.5"},            // nothing to read
        {"12%", '.', '\0', false, false, "12%"},          // the column reads no percent
        {"abc%", '.', '\0', false, true, "abc%"},         // no number: left whole
        {"1,,948", '.', ',', false, false, "1,,948"},
        {",948", '.', ',', false, false, ",948"},
        {"1.948,5", ',', '.', false, false, "1948,5"},
        {"1,9.48", '.', ',', false, false, "19.48"},
        {"1.2.3", ',', '.', false, false, "123"},
        {"M", '.', '\0', true, false, "M"},
        {"1,5M,", '.', ',', true, false, "1,5M,"},
    };
    for (const NumberCase& c : cases) {
        std::string v = c.in;
        ReadNumber(v, c.dec, c.group, c.scaled, c.percent);
        EXPECT_EQ(v, c.out) << c.in;
    }
}

TEST(GroupDigits, WholePartOfAPlainNumberOnly) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"1948.00", ".", ",", "1,948.00"},        {"-1234567", ".", ",", "-1,234,567"},
        {"1234567,891", ",", ".", "1.234.567,891"}, {"123.4", ".", ",", "123.4"},
        {"12a345", ".", ",", "12a345"},           {"1234.5x", ".", ",", "1234.5x"},
        {"+1000", ".", "\xA0", "+1\xA0" "000"},  {"", ".", ",", ""},
    };
    for (const auto& [in, dec, group, out] : cases) {
        std::string v = in;
        GroupDigits(v, dec, group);
        EXPECT_EQ(v, out) << in;
    }
}

// Three columns read from a quoted comma-separated line.
struct Quoted : ::testing::Test {
    EngineRig rig;
    void SetUp() override {
        Format in = Fmt(",", ".", {Col("A"), Col("B"), Col("C")});
        in.quoting = QuoteMode::AsNeeded;
        rig.Use(in, Fmt(";", ".", {Col("A"), Col("B"), Col("C")}));
    }
    std::vector<std::string> Split(std::string_view line) {
        if (!rig.line.Unstring(line)) return {"#Unstring"};
        return {rig.line.Slots().begin() + 1, rig.line.Slots().end()};
    }
};

TEST_F(Quoted, SeparatorsAndDoubledQuotesInsideQuotes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split(R"("Jun 14, 2024","1,948.00","x")"), (V{"Jun 14, 2024", "1,948.00", "x"}));
    EXPECT_EQ(Split(R"("say ""hi""",,"")"), (V{"say \"hi\"", "", ""}));
    EXPECT_EQ(Split(R"(plain,a"b,"")"), (V{"plain", "a\"b", ""}));
    EXPECT_EQ(Split(R"("a,b","c")"), V{"#Unstring"});            // two fields
    EXPECT_EQ(Split(R"("a,b,c)"), V{"#Unstring"});               // not closed
    EXPECT_EQ(Split(R"("a"x,b,c)"), V{"#Unstring"});             // a byte after the closing quote
    EXPECT_EQ(Split(R"(a,"b","c",)"), V{"#Unstring"});
}

// Whatever a field holds, written by a quoting format and read back by it, it is the same field.
TEST(QuotedFields, WrittenThenReadGiveTheSameValues) {
    for (const QuoteMode mode : {QuoteMode::AsNeeded, QuoteMode::Always}) {
        // The fields reach the quoting format's writer through a plain format whose separator they
        // never hold.
        EngineRig writer, rig;
        Format f = Fmt(",", ".", {Col("A"), Col("B"), Col("C")});
        f.quoting = mode;
        writer.Use(Fmt("|", ".", {Col("A"), Col("B"), Col("C")}), f);
        rig.Use(f, f);
        std::mt19937 rng(7);
        const std::string bytes = "ab,\"\r\n; 1";
        for (int i = 0; i < 500; ++i) {
            std::vector<std::string> fields(3);
            for (std::string& s : fields)
                for (std::size_t n = rng() % 6; n > 0; --n) s += bytes[rng() % bytes.size()];
            ASSERT_TRUE(writer.line.Unstring(fields[0] + "|" + fields[1] + "|" + fields[2]));
            StringSink sink;
            ASSERT_EQ(writer.line.WriteOutLine(sink), leOk);
            const std::string line = sink.data.substr(0, sink.data.size() - 2);
            ASSERT_TRUE(rig.line.Unstring(line)) << line;
            EXPECT_EQ(std::vector<std::string>(rig.line.Slots().begin() + 1, rig.line.Slots().end()), fields);
            if (mode == QuoteMode::Always) {
                EXPECT_EQ(line.front(), '"');
            }
        }
    }
}

// A download in quotes with grouped numbers and suffixes, into a plain tab-separated format.
TEST(QuotedFields, DownloadToPlainAndBack) {
    Format download = Fmt(",", ".", {Col("DATE", "/MM/DD/YYYY"), Col("CLOSE", "N"), Col("VOLUME", "NK"),
                                     Col("CHANGE PCT", "N%")});
    download.quoting = QuoteMode::AsNeeded;
    download.groupSep = ",";
    const Format plain = Fmt("\t", ".", {Col("DATE", "-YYYY/MM/DD"), Col("CLOSE", "N"), Col("VOLUME", "N"),
                                          Col("CHANGE PCT", "N")});
    EngineRig there;
    there.Use(download, plain);
    EXPECT_EQ(there.Convert("\"06/14/2024\",\"1,948.00\",\"51.34M\",\"-0.52%\"\r\n"
                            "\"6/3/2024\",\"12.5\",\"1.2K\",\"3%\"\r\n"),
              "2024-06-14\t1948.00\t51340000\t-0.52\r\n2024-06-03\t12.5\t1200\t3\r\n");
    EngineRig back;
    back.Use(plain, download);
    EXPECT_EQ(back.Convert("2024-06-14\t1948.00\t51340000\t-0.52\r\n"),
              "06/14/2024,\"1,948.00\",\"51,340,000\",-0.52\r\n");
}

// A decimal change never makes another number of a value; a grouping separator declared makes it
// one number.
TEST(DecimalClash, RejectedUnderEveryEngineUnlessTheGroupingIsDeclared) {
    const std::string source = "4.913,94;12,5\n";
    for (const bool control : {false, true}) {
        for (const bool date : {false, true}) {
            EngineRig rig;
            const std::string dateType = date ? "-YYYY/MM/DD" : "/DD/MM/YYYY";
            rig.Use(Fmt(";", ",", {Col("V", "N"), Col("W", "N")}),
                    Fmt(";", ".", {Col("V", "N", "0", control ? "1" : "0"), Col("W", "N"), Col("D", dateType)}));
            EXPECT_EQ(rig.Convert(source), "") << control << date;
            ASSERT_EQ(rig.table.rows(), 4u);
            EXPECT_EQ(rig.table.cell(3, 1), "#Dec Clash");
        }
    }
    EngineRig grouped;
    Format in = Fmt(";", ",", {Col("V", "N"), Col("W", "N")});
    in.groupSep = ".";
    grouped.Use(in, Fmt(";", ".", {Col("V", "N"), Col("W", "N")}));
    EXPECT_EQ(grouped.Convert(source), "4913.94;12.5\r\n");
}

// Under the date control a date is one of the calendar; without it, dates convert as ever.
TEST(DateControl, CalendarDatesOnly) {
    const std::pair<std::string, bool> cases[] = {
        {"29/02/2024", true}, {"31/02/2024", false}, {"29/02/2023", false}, {"45/13/2024", false},
        {"00/01/2024", false}, {"31/12/2024", true},  {"1/2/2024", true},
    };
    for (const auto& [date, ok] : cases) {
        EngineRig rig;
        rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY")}), Fmt(";", ",", {Col("D", "-YYYY/MM/DD", "0", "1")}));
        rig.Convert(date + "\n");
        EXPECT_EQ(rig.run.RejectedTotal, ok ? 0 : 1) << date;
    }
    EngineRig shortYear; // 00 is 2000 in 2026: a leap year
    shortYear.Use(Fmt(";", ",", {Col("D", "/DD/MM/YY")}), Fmt(";", ",", {Col("D", "-YY/MM/DD", "0", "1")}));
    EXPECT_EQ(shortYear.Convert("29/02/00\n29/02/01\n"), "00-02-29\r\n");
    EngineRig unchecked;
    unchecked.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY")}), Fmt(";", ",", {Col("D", "-YYYY/MM/DD")}));
    EXPECT_EQ(unchecked.Convert("31/02/2024\n"), "2024-02-31\r\n");
}

// A close-only file into a format with a date: the date column stays empty.
TEST(UnfedDate, StaysEmptyUnderEveryEngine) {
    for (const std::string control : {"0", "1"}) {
        EngineRig rig;
        rig.Use(Fmt(";", ",", {Col("CLOSE", "N")}),
                Fmt(";", ".", {Col("DATE", "-YYYY/MM/DD", "0", control), Col("TICKER"), Col("CLOSE", "N")}));
        EXPECT_EQ(rig.Convert("12,5\n"), ";;12.5\r\n") << control;
    }
}

} // namespace

#include "EngineRig.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

struct DateCase {
    std::string value;
    std::string inLayout;
    std::string outSep;
    std::string outLayout;
    std::string expected;
};

std::ostream& operator<<(std::ostream& os, const DateCase& c) {
    return os << c.value << " " << c.inLayout << " -> [" << c.outSep << "] " << c.outLayout;
}

class DateConv : public ::testing::TestWithParam<DateCase> {};

// Runs the date set-up the way the engines do, at a fixed current year 2026.
TEST_P(DateConv, Rewrites) {
    const DateCase& c = GetParam();
    const Converter conv = DatedConverter("/" + c.inLayout, (c.outSep.empty() ? "0" : c.outSep) + c.outLayout);
    // The order code cannot say a month name.
    if (!HasMonthName(c.outLayout)) {
        EXPECT_EQ(conv.DateConvPerso(c.value, c.inLayout, conv.Pair().OutSepText, conv.Pair().OutLen, conv.Pair().CutYear,
                                     conv.Pair().WidenYear, conv.Pair().Order),
                  c.expected);
    }
    std::string fast = "stale";
    const bool ok = conv.DateConvInto(c.value, fast);
    EXPECT_EQ(ok ? fast : std::string("0"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DateConv,
    ::testing::Values(
        // Widening with the century window 1976..2075.
        DateCase{"31/12/99", "DD/MM/YY", "-", "YYYY/MM/DD", "1999-12-31"},
        DateCase{"31/12/05", "DD/MM/YY", "-", "YYYY/MM/DD", "2005-12-31"},
        DateCase{"01/01/76", "DD/MM/YY", "/", "DD/MM/YYYY", "01/01/1976"},
        DateCase{"01/01/75", "DD/MM/YY", "/", "DD/MM/YYYY", "01/01/2075"},
        DateCase{"12/31/00", "MM/DD/YY", "/", "DD/MM/YYYY", "31/12/2000"},
        DateCase{"991231", "YYMMDD", "", "YYYYMMDD", "19991231"},
        DateCase{"99/31/12", "YY/DD/MM", ".", "MM/DD/YYYY", "12.31.1999"},
        DateCase{"29/02/04", "DD/MM/YY", "/", "DD/MM/YYYY", "29/02/2004"},
        // Invalid dates found while widening.
        DateCase{"31/02/99", "DD/MM/YY", "/", "DD/MM/YYYY", "0"},
        DateCase{"29/02/99", "DD/MM/YY", "/", "DD/MM/YYYY", "0"},
        DateCase{"00/12/99", "DD/MM/YY", "/", "DD/MM/YYYY", "0"},
        DateCase{"31/13/99", "DD/MM/YY", "/", "DD/MM/YYYY", "0"},
        DateCase{"3a/12/99", "DD/MM/YY", "/", "DD/MM/YYYY", "0"},
        // Four-digit years are not checked against the calendar.
        DateCase{"31/02/1999", "DD/MM/YYYY", "-", "YYYY/MM/DD", "1999-02-31"},
        // Cutting.
        DateCase{"1999-12-31", "YYYY/MM/DD", "/", "DD/MM/YY", "31/12/99"},
        DateCase{"1999.12.31", "YYYY/MM/DD", "/", "DD/MM/YY", "31/12/99"},
        DateCase{"20051231", "YYYYMMDD", "", "YYMMDD", "051231"},
        DateCase{"2005/31/12", "YYYY/DD/MM", "-", "YY/DD/MM", "05-31-12"},
        // Two short layouts keep the two digits.
        DateCase{"31/12/99", "DD/MM/YY", "-", "YY/MM/DD", "99-12-31"},
        // With and without separators.
        DateCase{"20051231", "YYYYMMDD", "/", "DD/MM/YYYY", "31/12/2005"},
        DateCase{"20051231", "YYYYMMDD", "", "YYYYMMDD", "20051231"},
        DateCase{"31/12/2005", "DD/MM/YYYY", "", "YYYYMMDD", "20051231"},
        DateCase{"12/31/2005", "MM/DD/YYYY", "/", "YYYY/DD/MM", "2005/31/12"},
        // The placeholder only fits the layouts without separators, a separator only the others.
        DateCase{"31/12/2005", "DD/MM/YYYY", "", "YYYY/MM/DD", "0"},
        DateCase{"20051231", "YYYYMMDD", "-", "YYYYMMDD", "0"},
        // Length mismatch.
        DateCase{"31/12/200", "DD/MM/YYYY", "-", "YYYY/MM/DD", "0"},
        DateCase{"", "DD/MM/YYYY", "-", "YYYY/MM/DD", "0"},
        // A day or month without its leading zero, a time after the date, a month by its name.
        DateCase{"1/12/2005", "DD/MM/YYYY", "-", "YYYY/MM/DD", "2005-12-01"},
        DateCase{"1/2/24", "DD/MM/YY", "-", "YYYY/MM/DD", "2024-02-01"},
        DateCase{"1/2/2024", "MM/DD/YYYY", "", "YYYYMMDD", "20240102"},
        DateCase{"2021-06-24 16:05:00", "YYYY/MM/DD", "/", "DD/MM/YYYY", "24/06/2021 16:05:00"},
        DateCase{"20210624T1605", "YYYYMMDD", "-", "YYYY/MM/DD", "2021-06-24T1605"},
        DateCase{"2021-06-24x16:05", "YYYY/MM/DD", "/", "DD/MM/YYYY", "0"},
        DateCase{"2021-06-24 ", "YYYY/MM/DD", "/", "DD/MM/YYYY", "0"},
        DateCase{"1/1234/2005", "DD/MM/YYYY", "-", "YYYY/MM/DD", "0"},
        DateCase{"1/2/205", "DD/MM/YYYY", "-", "YYYY/MM/DD", "0"},
        DateCase{"2024612", "YYYYMMDD", "-", "YYYY/MM/DD", "0"},
        DateCase{"Jun 14, 2024", "MMM DD, YYYY", "-", "YYYY/MM/DD", "2024-06-14"},
        DateCase{"jun 4, 2024", "MMM DD, YYYY", "/", "DD/MM/YYYY", "04/06/2024"},
        DateCase{"14-Jun-2024", "DD/MMM/YYYY", "", "YYYYMMDD", "20240614"},
        DateCase{"2024-06-04", "YYYY/MM/DD", "", "MMM DD, YYYY", "Jun 04, 2024"},
        DateCase{"04/06/2024", "DD/MM/YYYY", "-", "DD/MMM/YYYY", "04-Jun-2024"},
        DateCase{"14/13/2024", "DD/MM/YYYY", "-", "DD/MMM/YYYY", "0"},
        DateCase{"Jux 14, 2024", "MMM DD, YYYY", "-", "YYYY/MM/DD", "0"},
        DateCase{"Jun 14 2024", "MMM DD, YYYY", "-", "YYYY/MM/DD", "0"},
        // No order for an unknown output layout.
        DateCase{"31/12/2005", "DD/MM/YYYY", "-", "DD-MM-YYYY", "0"}));

TEST(ExpandYear, CenturyWindowAndCalendar) {
    Converter conv;
    conv.SetCurrentYear(2026);
    EXPECT_EQ(conv.ExpandYear("99/12/31"), "1999");
    EXPECT_EQ(conv.ExpandYear("5/1/1"), "2005");
    EXPECT_EQ(conv.ExpandYear("75/06/30"), "2075");
    EXPECT_EQ(conv.ExpandYear("76/06/30"), "1976");
    EXPECT_EQ(conv.ExpandYear("2000/02/29"), "2000");
    EXPECT_EQ(conv.ExpandYear("1900/02/29"), "0");
    EXPECT_EQ(conv.ExpandYear("99/04/31"), "0");
    EXPECT_EQ(conv.ExpandYear("99/12"), "0");
    EXPECT_EQ(conv.ExpandYear("99//31"), "0");
    EXPECT_EQ(conv.ExpandYear("99/12/31/1"), "0");
    conv.SetCurrentYear(2090); // the window moves with the clock: 2040..2139
    EXPECT_EQ(conv.ExpandYear("39/01/01"), "2139");
    EXPECT_EQ(conv.ExpandYear("40/01/01"), "2040");
}

TEST(DateLayoutOrder, Codes) {
    EXPECT_EQ(Converter::DateLayoutOrder("YYYYMMDD"), 1);
    EXPECT_EQ(Converter::DateLayoutOrder("YY/MM/DD"), 1);
    EXPECT_EQ(Converter::DateLayoutOrder("YYYY/DD/MM"), 2);
    EXPECT_EQ(Converter::DateLayoutOrder("DD/MM/YY"), 3);
    EXPECT_EQ(Converter::DateLayoutOrder("MM/DD/YYYY"), 4);
    EXPECT_EQ(Converter::DateLayoutOrder("dd/mm/yyyy"), 0);
    EXPECT_EQ(Converter::DateLayoutOrder(""), 0);
}

TEST(DatePair, FlagsFollowTheLayouts) {
    Converter conv = DatedConverter("/YYMMDD", ".DD/MM/YYYY");
    EXPECT_TRUE(conv.Pair().InShortYear);
    EXPECT_TRUE(conv.Pair().WidenYear);
    EXPECT_FALSE(conv.Pair().CutYear);
    EXPECT_EQ(conv.Pair().Order, 3);
    EXPECT_EQ(conv.Pair().OutSepText, ".");
    EXPECT_EQ(conv.Pair().OutLen, 10);
    conv = DatedConverter("/YYYYMMDD", "0YYMMDD");
    EXPECT_FALSE(conv.Pair().InShortYear);
    EXPECT_TRUE(conv.Pair().CutYear);
    EXPECT_FALSE(conv.Pair().WidenYear);
    EXPECT_EQ(conv.Pair().OutSepText, "");
    EXPECT_EQ(conv.Pair().OutLen, 6);
}

} // namespace

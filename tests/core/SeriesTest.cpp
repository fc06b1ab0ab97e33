#include "core/Series.h"
#include "core/SeriesSummary.h"

#include "core/EngineRig.h"
#include "env/LangTexts.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

// TICKER;DATE;CLOSE;VOLUME with the date as DD/MM/YYYY and a decimal comma.
Format Quotes() {
    return Fmt(";", ",", {Col("TICKER"), Col("DATE", "/DD/MM/YYYY"), Col("CLOSE", "N"), Col("VOLUME", "N")});
}

TEST(SeriesTest, ASingleSpikeKeepsItsValueAtEveryWidth) {
    constexpr int kPoints = 1000;
    for (const int64_t at : {int64_t{0}, int64_t{417}, int64_t{kPoints - 1}}) {
        ChartColumns fine(2048, 0, kPoints - 1);
        for (int64_t x = 0; x < kPoints; ++x) fine.Add(SeriesPoint{x == at ? 1000.0 : 10.0, x, x + 1, 0});
        for (int width = 1; width <= 1100; ++width) {
            ChartColumns direct(width, 0, kPoints - 1);
            for (int64_t x = 0; x < kPoints; ++x) direct.Add(SeriesPoint{x == at ? 1000.0 : 10.0, x, x + 1, 0});
            for (const ChartColumns& chart : {direct, fine.Resized(width)}) {
                int spikes = 0;
                for (const ChartColumns::Column& c : chart.Columns()) {
                    if (!c.used || c.high.value != 1000.0) continue;
                    ++spikes;
                    EXPECT_EQ(c.high.lineNo, at + 1);
                }
                ASSERT_EQ(spikes, 1) << "width " << width << ", spike at " << at;
                EXPECT_TRUE(chart.Columns()[static_cast<std::size_t>(chart.ColumnOf(at))].used);
            }
        }
    }
}

TEST(SeriesTest, NumbersReadAsTheFormatWritesThem) {
    struct Case {
        std::string_view text;
        bool ok;
        double value;
    };
    for (const Case& c : std::vector<Case>{{"12", true, 12}, {"-3,5", true, -3.5}, {"+1,25", true, 1.25},
                                           {"1,", false, 0}, {",5", false, 0}, {"1.5", false, 0}, {"", false, 0},
                                           {"12a", false, 0}, {"1,2,3", false, 0}, {"-", false, 0}}) {
        double v = 0;
        EXPECT_EQ(ReadSeriesNumber(c.text, ",", v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

// Newest first, as many downloads are; a BOM, CR LF, a header line, an empty line and bad lines.
TEST(SeriesTest, AFileReadsInDateOrderWithItsBadLinesCounted) {
    TempDir dir;
    const std::string path = dir.file("q.txt");
    WriteFile(path, "\xEF\xBB\xBF" + CrLf({"TICKER;DATE;CLOSE;VOLUME",
                                          "AB;08/01/2001;10,5;100",   // line 2
                                          "AB;05/01/2001;1050;0",     // line 3: the bad value, x100
                                          "AB;04/01/2001;10,5;90",    // line 4: back down, /100
                                          "",                         // empty: no data
                                          "AB;31/02/2001;10,2;80",    // no such date
                                          "AB;03/01/2001;10",         // a column short
                                          "AB;02/01/2001;n/a;70",     // no number in CLOSE
                                          "AB;29/12/2000;9,8;60"}));  // line 9
    SeriesRequest req{path, Quotes(), 1, {}};
    SeriesReader reader(req);
    SeriesScan scan;
    ASSERT_EQ(reader.Scan({2, 3}, scan), SeriesStatus::Ok);
    EXPECT_EQ(scan.lines, 7);
    EXPECT_EQ(scan.rejected, 2);
    const ColumnSummary& close = scan.columns[0];
    EXPECT_EQ(close.name, "CLOSE");
    EXPECT_EQ(close.points, 4);
    EXPECT_EQ(close.unread, 1);
    EXPECT_EQ(close.firstDate, "29/12/2000");
    EXPECT_EQ(close.lastDate, "08/01/2001");
    EXPECT_EQ(close.minText, "9,8");
    EXPECT_EQ(close.maxText, "1050");
    ASSERT_TRUE(close.hasJump);
    EXPECT_EQ(close.jumpAt.lineNo, 3); // both jumps are x100: the first one met counts
    EXPECT_DOUBLE_EQ(close.jump, 100);
    // A zero volume has no ratio with its neighbours.
    EXPECT_EQ(scan.columns[1].jumpAt.lineNo, 8);

    std::string line;
    ASSERT_TRUE(ReadLineAt(path, close.jumpAt.offset, line));
    EXPECT_EQ(line, "AB;05/01/2001;1050;0");
    ASSERT_TRUE(ReadLineAt(path, close.first.offset, line));
    EXPECT_EQ(line, "AB;29/12/2000;9,8;60");

    // Drawn in date order: the earliest date at the left.
    ChartColumns chart(10, scan.xMin, scan.xMax);
    ASSERT_EQ(reader.Draw(2, chart), SeriesStatus::Ok);
    EXPECT_EQ(chart.Columns().front().low.lineNo, 9);
    EXPECT_EQ(chart.Columns().back().low.lineNo, 2);
    int drawn = 0;
    for (const auto& c : chart.Columns()) drawn += c.used ? (c.low.lineNo == c.high.lineNo ? 1 : 2) : 0;
    EXPECT_EQ(drawn, 4);
}

// Dates are placed by their day: two-digit years get their century first, impossible days are refused.
TEST(SeriesTest, DatesBecomeDaysInCalendarOrder) {
    SeriesFields shortYears(Fmt(";", ",", {Col("DATE", "/DD/MM/YY"), Col("CLOSE", "N")}), {1}, 2026);
    ASSERT_TRUE(shortYears.Split("31/12/99;1"));
    const int64_t lastOf1999 = shortYears.Day();
    ASSERT_TRUE(shortYears.Split("01/01/00;1"));
    EXPECT_EQ(shortYears.Day(), 10957); // 2000-01-01, days since 1970-01-01
    EXPECT_EQ(lastOf1999 + 1, 10957);
    EXPECT_TRUE(shortYears.Split("29/02/00;1"));
    EXPECT_FALSE(shortYears.Split("29/02/01;1"));
    SeriesFields longYears(Quotes(), {2}, 2026);
    EXPECT_FALSE(longYears.Split("AB;29/02/1900;1;1"));
    EXPECT_FALSE(longYears.Split("AB;01/13/2000;1;1"));
}

TEST(SeriesTest, AReadingStopsWhenCancelledAndAMissingFileSaysSo) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "AB;02/01/2001;10;1\n";
    WriteFile(dir.file("q.txt"), text);
    SeriesRequest req{dir.file("q.txt"), Quotes(), 0, {}};
    std::atomic<bool> cancel{true};
    SeriesScan scan;
    EXPECT_EQ(SeriesReader(req).Scan({2}, scan, {&cancel, nullptr}), SeriesStatus::Cancelled);
    req.path = dir.file("none.txt");
    EXPECT_EQ(SeriesReader(req).Scan({2}, scan), SeriesStatus::CannotOpen);
}

TEST(SeriesTest, TheSummarySaysTheJumpAndItsLine) {
    LangTexts lang;
    ColumnSummary s;
    s.name = "CLOSE";
    s.Add(SeriesPoint{10, 0, 4320, 0}, "10", "01/01/2000");
    s.Add(SeriesPoint{1000, 1, 4321, 0}, "1000", "02/01/2000");
    EXPECT_EQ(SummaryFields(s, ",", lang),
              (std::vector<std::string>{"CLOSE", "2 points", "du 01/01/2000", "au 02/01/2000", "min 10", "max 1000",
                                        "ligne 4 321 : \xD7" "100"}));
    s.Add(SeriesPoint{2, 2, 4322, 0}, "2", "03/01/2000"); // a fall by 500
    EXPECT_EQ(SummaryFields(s, ",", lang).back(), "ligne 4 322 : \xF7" "500");
    EXPECT_EQ(RatioText(2.5, ","), "2,5");
    EXPECT_EQ(RatioText(12.26, "."), "12.3"); // three digits are enough to tell a slip from a move
    EXPECT_EQ(GroupedNumber(1234567, ","), "1,234,567");
    EXPECT_EQ(GroupedNumber(-999, ","), "-999");
}

} // namespace
} // namespace lmx::test

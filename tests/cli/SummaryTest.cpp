#include "CliRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace lmx::test {
namespace {

// 100,000 days of FRJOUR quotes (a header line, then one line a day from 01/01/1990); the close
// of the data line at file line `planted` is a hundred times what it should be.
std::string Quotes(int planted) {
    std::string text = "Date;Ticker;Open;High;Low;Close;Volume\r\n";
    int y = 1990, m = 1, d = 1;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char line[96];
    for (int n = 2; n <= 100001; ++n) {
        const char* close = n == planted ? "1050" : n % 2 ? "10,6" : "10,5";
        std::snprintf(line, sizeof line, "%02d/%02d/%04d;AB;10,5;10,7;10,4;%s;1200\r\n", d, m, y, close);
        text += line;
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        if (++d > kDays[m - 1] + (m == 2 && leap ? 1 : 0)) d = 1, m = m == 12 ? (++y, 1) : m + 1;
    }
    return text;
}

TEST(Summary, TheResultsLargestJumpGivesThePlantedValueAway) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), ExampleFormatFile());
    WriteFile(dir.file("Lumivex.lng"), ReadFile(std::string(LUMIVEX_SOURCE_DIR) + "/examples/Lumivex.lng"));
    WriteFile(dir.file("q.txt"), Quotes(4321));
    const std::vector<std::string> run{"--dir", dir.path(), "-q", "--in", "FRJOUR", "--out", "ISOTAB", "--summary",
                                       "-o", dir.file("q.tsv"), dir.file("q.txt")};
    const CliResult french = RunCli(run);
    ASSERT_EQ(french.status, 0) << french.err;
    // One line per number column of ISOTAB, in its order; the result's header line is no data.
    const std::string close = "CLOSE\t100 000 points\tdu 1990-01-01\tau 2263-10-16\tmin 10.5\tmax 1050\tligne 4 321 : ×100\n";
    EXPECT_NE(french.out.find(close), std::string::npos) << french.out;
    EXPECT_EQ(french.out.substr(0, french.out.find('\t')), "OPEN");
    EXPECT_EQ(std::count(french.out.begin(), french.out.end(), '\n'), 5);

    std::vector<std::string> english = run;
    english.insert(english.begin(), {"--lang", "English", "--force"});
    EXPECT_NE(RunCli(english).out.find("\tline 4,321: ×100\n"), std::string::npos);

    // Standard output is the summary's own.
    const CliResult both = RunCli({"--dir", dir.path(), "--summary", "-o", "-", dir.file("q.txt")});
    EXPECT_EQ(both.status, 3);
}

} // namespace
} // namespace lmx::test

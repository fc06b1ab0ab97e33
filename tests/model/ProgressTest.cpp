#include "model/Progress.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

TEST(Progress, ByteSizesKeepThreeDigits) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 B"},          {999, "999 B"},         {1000, "1.0 kB"},      {1549, "1.5 kB"},
        {99949, "99.9 kB"},  {99950, "100 kB"},      {999499, "999 kB"},    {999500, "1.0 MB"},
        {98100000, "98.1 MB"}, {265000000, "265 MB"}, {1200000000, "1.2 GB"}, {-5, "0 B"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(ByteSize(bytes), text) << bytes;
}

TEST(Progress, LineSaysShareRateAndTimeLeftWhenTheSizeIsKnown) {
    struct Case {
        ProgressFigures f;
        const char* text;
    };
    const Case cases[] = {
        {{50000000, 200000000, 2000, 1000, 3}, "25% of 200 MB, 25.0 MB/s, 0:06 left, 1000 lines, 3 rejected"},
        {{1000000, 4000000000, 1000, 10, 0}, "0% of 4.0 GB, 1.0 MB/s, 1:06:39 left, 10 lines, 0 rejected"},
        // A source that grew while read: never beyond the whole.
        {{300, 200, 1000, 2, 0}, "100% of 200 B, 300 B/s, 0:00 left, 2 lines, 0 rejected"},
        // Standard input from a pipe: no share, no time left.
        {{3000000, -1, 1500, 7, 1}, "3.0 MB read, 2.0 MB/s, 7 lines, 1 rejected"},
        // Nothing read yet: no rate.
        {{0, 1000, 600, 0, 0}, "0% of 1.0 kB, 0 lines, 0 rejected"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgressText(c.f), c.text);
    // In the language of the run.
    EXPECT_EQ(ProgressText(cases[0].f, {"%s % de %s", "%s lus", "reste %s", "%s lignes, %s rejet\xE9" "es"}),
              "25 % de 200 MB, 25.0 MB/s, reste 0:06, 1000 lignes, 3 rejet\xE9" "es");
}

} // namespace
} // namespace lmx::test

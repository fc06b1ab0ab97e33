#include "common/Contrast.h"

#include <gtest/gtest.h>

namespace lmx {
namespace {

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};
const Rgb kDarkButton{0x35, 0x35, 0x35}, kSkyBlue{0xA6, 0xCA, 0xF0};

TEST(Contrast, RatiosOfKnownPairs) {
    const struct {
        Rgb a, b;
        double ratio;
    } cases[] = {
        {kBlack, kWhite, 21.0}, {kWhite, kWhite, 1.0}, {kRed, kWhite, 4.0}, {kWhite, kRed, 4.0},
        {kBlue, kWhite, 8.59}, {kBlue, kDarkButton, 1.42}, {kWhite, kSkyBlue, 1.70},
    };
    for (const auto& c : cases) EXPECT_NEAR(c.ratio, ContrastRatio(c.a, c.b), 0.01) << c.ratio;
    EXPECT_EQ((Rgb{0xA6, 0xCA, 0xF0}), RgbFromBgr(0xF0CAA6));
}

// A colour that reads is kept; one that does not keeps its hue, goes darker on a light ground and
// lighter on a dark one, and stops as soon as it reads.
TEST(Contrast, ReadableOnKeepsWhatReadsAndMovesTheRestJustEnough) {
    EXPECT_EQ(kBlue, ReadableOn(kBlue, kWhite));
    EXPECT_EQ(kBlack, ReadableOn(kBlack, kSkyBlue));
    const struct {
        Rgb wanted, other;
        bool darker;
    } cases[] = {
        {kRed, kWhite, true},       // the rejected count on a light window, the title band under white text
        {kBlue, kDarkButton, false}, // a lit caption on a dark button
        {kWhite, kSkyBlue, true},   // a dark theme's text on the preview's titles
        {kRed, kDarkButton, false},
    };
    for (const auto& c : cases) {
        const Rgb got = ReadableOn(c.wanted, c.other);
        EXPECT_GE(ContrastRatio(got, c.other), kReadableRatio);
        EXPECT_LT(ContrastRatio(got, c.other), kReadableRatio + 0.3) << "no further than needed";
        EXPECT_EQ(c.darker, RelativeLuminance(got) < RelativeLuminance(c.wanted));
        if (c.wanted == kRed) {
            EXPECT_TRUE(c.darker ? got.g == 0 && got.b == 0 : got.r == 255) << "still red";
        }
    }
    // A theme's text that does not read becomes black or white.
    EXPECT_EQ(kBlack, TextOn(Rgb{0xEE, 0xEE, 0xEC}, kSkyBlue));
    EXPECT_EQ(kWhite, TextOn(kBlack, Rgb{0x80, 0x00, 0x00}));
    EXPECT_EQ(kBlue, TextOn(kBlue, kWhite));
    // A ground where neither black nor white gives more than 4.58:1 still gets a readable colour.
    const Rgb mid{0x76, 0x76, 0x76};
    EXPECT_GE(ContrastRatio(ReadableOn(mid, mid), mid), kReadableRatio);
}

} // namespace
} // namespace lmx

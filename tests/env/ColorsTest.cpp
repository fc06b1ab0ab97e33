#include "env/Colors.h"

#include <gtest/gtest.h>

namespace lmx {
namespace {

TEST(Colors, DefaultsOfTheLogPageReadBack) {
    uint32_t bgr = 0;
    ASSERT_TRUE(ColorFromText("$00B7C9A7", bgr));
    EXPECT_EQ(bgr, 0xB7C9A7u);
    EXPECT_EQ(bgr, 12044711u);
    ASSERT_TRUE(ColorFromText("$00857883", bgr));
    EXPECT_EQ(bgr, 0x857883u);
    EXPECT_EQ(bgr, 8747139u);
    EXPECT_EQ(ColorToText(0xB7C9A7), "$00B7C9A7");
    EXPECT_EQ(ColorToText(0x857883), "$00857883");
}

struct NamedCase {
    const char* name;
    uint32_t bgr;
};

TEST(Colors, SixteenStandardNamesBothWays) {
    const NamedCase cases[] = {
        {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},  {"clOlive", 0x008080},
        {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},   {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t bgr = 0x123456;
        ASSERT_TRUE(ColorFromText(c.name, bgr));
        EXPECT_EQ(bgr, c.bgr);
        EXPECT_EQ(ColorToText(c.bgr), c.name);
    }
}

struct ReadCase {
    const char* text;
    bool ok;
    uint32_t bgr;
};

TEST(Colors, ReadingTable) {
    const ReadCase cases[] = {
        {"CLRED", true, 0x0000FF},
        {"clnavy", true, 0x800000},
        {"$FF", true, 0x0000FF},
        {"$ff", true, 0x0000FF},
        {"$00b7c9a7", true, 0xB7C9A7},
        {"$0", true, 0},
        {"$00FFFFFF", true, 0xFFFFFF},
        {"$0000000000FF", true, 0xFF}, // leading zeros are harmless
        {"12044711", true, 0xB7C9A7},  // the plain number form
        {"0", true, 0},
        {"16777215", true, 0xFFFFFF},
        {"16777216", false, 0},
        {"-1", false, 0},
        {"$01000000", false, 0},       // top byte must be zero
        {"$FFFFFFFF", false, 0},
        {"$123456789", false, 0},
        {"$", false, 0},
        {"", false, 0},
        {"$00B7C9AG", false, 0},
        {" $00B7C9A7", false, 0},
        {"$00B7C9A7 ", false, 0},
        {"clRedd", false, 0},
        {"Red", false, 0},
        {"clPink", false, 0},
        {"0x00FF", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t bgr = 0xABCDEF;
        EXPECT_EQ(ColorFromText(c.text, bgr), c.ok);
        EXPECT_EQ(bgr, c.ok ? c.bgr : 0xABCDEFu); // untouched on failure
    }
}

TEST(Colors, UnnamedColoursUseEightUpperCaseDigits) {
    EXPECT_EQ(ColorToText(0x000001), "$00000001");
    EXPECT_EQ(ColorToText(0xABCDEF), "$00ABCDEF");
    EXPECT_EQ(ColorToText(0x7F7F7F), "$007F7F7F");
}

TEST(Colors, EveryWrittenTextReadsBackToItsColour) {
    for (uint32_t bgr : {0x000000u, 0x000080u, 0xC0C0C0u, 0x010203u, 0xFEDCBAu, 0xFFFFFEu, 0xFFFFFFu}) {
        uint32_t back = 0xFFFFFFFF;
        ASSERT_TRUE(ColorFromText(ColorToText(bgr), back)) << ColorToText(bgr);
        EXPECT_EQ(back, bgr);
    }
}

} // namespace
} // namespace lmx

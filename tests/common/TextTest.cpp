#include "common/Cp1252.h"
#include "common/Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace lmx {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, KnownMappings) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xE7", "ç"}, {"\x80", "€"}, {"\x9C", "œ"}, {"\x8C", "Œ"}, {"\x9F", "Ÿ"},
        {"\xA0", "\u00A0"}, {"\xFF", "ÿ"}, {"abc", "abc"}, {"Fran\xE7" "ais", "Français"},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(Cp1252ToUtf8(bytes), utf8);
        EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
    }
}

TEST(Cp1252, UnmappableAndInvalidBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(Utf8ToCp1252("\U0001F600"), "?");
    EXPECT_EQ(Utf8ToCp1252("\u0100"), "?");
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");    // cut short
    EXPECT_EQ(Utf8ToCp1252("\xFF" "a"), "?a");  // never a lead byte
    EXPECT_EQ(Utf8ToCp1252("\xC3(x"), "?(x");   // resynchronises on the next byte
}

TEST(Cp1252, WhatTheFilesCanHold) {
    for (char32_t held : {U'a', U'\t', U'\u00E9', U'\u20AC', U'\u0081', U'\u00FF'}) EXPECT_TRUE(Cp1252Holds(held));
    for (char32_t not_held : {U'\u0100', U'\u4E2D', U'\U0001F600', U'\u0080'}) EXPECT_FALSE(Cp1252Holds(not_held));
}

// A format file's text typed as UTF-8 is told from Windows-1252 text.
TEST(Cp1252, IsUtf8Text) {
    const std::pair<std::string, bool> cases[] = {
        {"Close", false},                 // ASCII is both: nothing to tell
        {"Cl\xF4ture", false},            // Windows-1252
        {"Cl\xC3\xB4ture", true},         // UTF-8
        {"\xE6\x97\xA5\xE6\x9C\x9F", true}, // CJK
        {"\xF0\x9F\x93\x88", true},       // beyond the first plane
        {"\xC0\xAF", false},              // overlong
        {"\xED\xA0\x80", false},          // surrogate
        {"\xE6\x97", false},              // cut short
        {"\xF4\x90\x80\x80", false},      // past U+10FFFF
    };
    for (const auto& [bytes, utf8] : cases) EXPECT_EQ(IsUtf8Text(bytes), utf8) << bytes;
}

TEST(Cp1252, UpperAndLowerCase) {
    const std::pair<char, char> pairs[] = {
        {'a', 'A'}, {'z', 'Z'}, {'\xE9', '\xC9'} /* é É */, {'\xE0', '\xC0'}, {'\xFE', '\xDE'},
        {'\xFF', '\x9F'} /* ÿ Ÿ */, {'\x9C', '\x8C'} /* œ Œ */, {'\x9A', '\x8A'}, {'\x9E', '\x8E'},
        {'\xE7', '\xC7'},
    };
    for (const auto& [lower, upper] : pairs) {
        EXPECT_EQ(Cp1252Upper(lower), upper) << int(static_cast<unsigned char>(lower));
        EXPECT_EQ(Cp1252Lower(upper), lower) << int(static_cast<unsigned char>(upper));
    }
    for (char same : {'\xDF' /* ß */, '\xB5' /* µ */, '\xF7' /* ÷ */, '\xD7' /* × */, '1', '[', '\0', '\x80'}) {
        EXPECT_EQ(Cp1252Upper(same), same) << int(static_cast<unsigned char>(same));
        EXPECT_EQ(Cp1252Lower(same), same) << int(static_cast<unsigned char>(same));
    }
    EXPECT_EQ(Cp1252Upper(std::string_view("\xE9t\xE9 \xDF")), "\xC9T\xC9 \xDF");
    EXPECT_EQ(Cp1252Lower(std::string_view("FRAN\xC7" "AIS")), "fran\xE7" "ais");
}

TEST(FillPlaceholders, Table) {
    struct Case {
        std::string tmpl;
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {"Le fichier %s existe", {"a.txt"}, "Le fichier a.txt existe"},
        {"%s lus, %s attendus", {"3", "5"}, "3 lus, 5 attendus"},
        {"%s%s", {"a", "b"}, "ab"},
        {"no holder", {"x"}, "no holder"},
        {"one %s", {"a", "b", "c"}, "one a"},
        {"%s and %s", {"a"}, "a and %s"},
        {"%s then %s", {"%s", "b"}, "%s then b"},
        {"%s", {"%d %x %%"}, "%d %x %%"},
        {"", {"a"}, ""},
        {"100%", {"a"}, "100%"},
        {"%%s", {"a"}, "%a"},
        {"%s", {""}, ""},
    };
    for (const auto& c : cases) {
        std::string got;
        switch (c.args.size()) {
        case 1: got = FillPlaceholders(c.tmpl, {c.args[0]}); break;
        case 2: got = FillPlaceholders(c.tmpl, {c.args[0], c.args[1]}); break;
        default: got = FillPlaceholders(c.tmpl, {c.args[0], c.args[1], c.args[2]}); break;
        }
        EXPECT_EQ(got, c.expected) << c.tmpl;
    }
    EXPECT_EQ(FillPlaceholders("%s", {}), "%s");
}

TEST(StrToInt32, Table) {
    struct Case {
        std::string text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
        {"-2147483648", true, -2147483647 - 1},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"+12", true, 12},
        {"-0", true, 0},
        {"000042", true, 42},
        {"", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"x", false, 0},
        {"1x", false, 0},
        {"1.0", false, 0},
        {"++1", false, 0},
        {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        int32_t v = 777;
        EXPECT_EQ(StrToInt32(c.text, v), c.ok) << "'" << c.text << "'";
        EXPECT_EQ(v, c.ok ? c.value : 777) << "'" << c.text << "'";
    }
}

TEST(IntToStrAndTrim, Table) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(4294967303LL), "4294967303");
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // only ASCII blanks and controls
}

TEST(EscapePath, TabCrLfAndTheBackslashItself) {
    EXPECT_EQ(EscapePath("/d/a\tb\r\nc\\d.txt"), "/d/a\\tb\\r\\nc\\\\d.txt");
    EXPECT_EQ(EscapePath("/d/\xE9t\xE9 ok.txt"), "/d/\xE9t\xE9 ok.txt");
}

TEST(TextWithPaths, PathsKeepTheirPlacesAndTheirBytes) {
    // A path holding "%s" is a path, never a placeholder; an empty one marks nothing.
    const TextWithPaths t = FillPathPlaceholders("Le fichier %s existe (%s)%s.", {"/a/\xC3\xA9", "%s", ""});
    EXPECT_EQ(t.Text(), "Le fichier /a/\xC3\xA9 existe (%s).");
    EXPECT_EQ(t.Paths(), (std::vector<PathSpan>{{11, 5}, {25, 2}}));
    TextWithPaths built;
    built.Words("Log saved (").Path("/x").Words(")");
    EXPECT_EQ(built.Text(), "Log saved (/x)");
    EXPECT_EQ(built.Paths(), (std::vector<PathSpan>{{11, 2}}));
}

} // namespace
} // namespace lmx

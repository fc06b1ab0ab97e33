#include "common/Basics.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace lmx {
namespace {

std::vector<std::string> SplitCrLf(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto p = s.find("\r\n", start);
        lines.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos) return lines;
        start = p + 2;
    }
}

TEST(FileBanner, SevenLinesOf69ForEveryKind) {
    const std::string stars(69, '*');
    const std::string generic = "****" + std::string(25, ' ') + "Parvolin" + std::string(28, ' ') + "****";
    const std::pair<int, std::string> titles[] = {
        {10, "****     Parvolin : Fichier de parametres -- Parameters file     ****"},
        {11, "****   Parvolin : Fichier des formats -- Data Description file   ****"},
        {12, "****        Parvolin : Fichier historique -- history file        ****"},
        {0, generic},
        {-1, generic},
        {13, generic},
    };
    for (const auto& [kind, title] : titles) {
        SCOPED_TRACE(kind);
        const std::string banner = FileBanner(kind);
        EXPECT_EQ(banner.size(), 7u * 69u + 6u * 2u);
        EXPECT_NE(banner.substr(banner.size() - 2), "\r\n");
        const auto lines = SplitCrLf(banner);
        ASSERT_EQ(lines.size(), 7u);
        for (const auto& l : lines) {
            EXPECT_EQ(l.size(), 69u) << l;
            EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos);
        }
        EXPECT_EQ(lines[0], stars);
        EXPECT_EQ(lines[1], title);
        EXPECT_EQ(lines[2], "****     ---------------------------------------------------     ****");
        EXPECT_EQ(lines[3], "****     NE PAS EDITER !  Fichier maintenu par le programme.     ****");
        EXPECT_EQ(lines[4], "****       DO NOT EDIT !    File produced by the software.       ****");
        EXPECT_EQ(lines[5], "****" + std::string(61, ' ') + "****");
        EXPECT_EQ(lines[6], stars);
    }
}

TEST(FileBanner, KindsDifferOnlyInTheTitle) {
    auto a = SplitCrLf(FileBanner(bkParameters));
    auto b = SplitCrLf(FileBanner(bkFormats));
    EXPECT_NE(a[1], b[1]);
    a.erase(a.begin() + 1);
    b.erase(b.begin() + 1);
    EXPECT_EQ(a, b);
}

struct CheckCase {
    int rule;
    std::string value;
    bool expected;
};

TEST(CheckValue, RuleTable) {
    const CheckCase cases[] = {
        {ckZero, "0", true},           {ckZero, "1", false},          {ckZero, "", false},
        {ckZero, "-0", true},          {ckZero, "x", false},
        {ckPositiveInt, "1", true},    {ckPositiveInt, "0", false},   {ckPositiveInt, "-1", false},
        {ckPositiveInt, "abc", false}, {ckPositiveInt, "", false},    {ckPositiveInt, "+7", true},
        {ckPositiveInt, "2147483647", true}, {ckPositiveInt, "2147483648", false},
        {ckPositiveInt, " 1", false},  {ckPositiveInt, "1.5", false}, {ckPositiveInt, "007", true},
        {ckNonNegativeInt, "0", true}, {ckNonNegativeInt, "3", true}, {ckNonNegativeInt, "-1", false},
        {ckNonNegativeInt, "", false}, {ckNonNegativeInt, "z", false},
        {ckDirectory, "", false},      {ckDirectory, "/", true},      {ckDirectory, "/no/such/dir/", false},
        {ckDirectory, std::string("/\0x", 3), false},
        {ckZeroText, "0", true},       {ckZeroText, "00", false},     {ckZeroText, "", false},
        {ckZeroText, " 0", false},
        {ckDateLayout, "YYMMDD", true}, {ckDateLayout, "YY/MM/DD", true}, {ckDateLayout, "MM/DD/YYYY", true},
        {ckDateLayout, "yy/mm/dd", false}, {ckDateLayout, "YY-MM-DD", false}, {ckDateLayout, "", false},
        {ckDateLayout, "YYMMDD ", false},
        {54, "0", false}, {57, "0", false}, {61, "YYMMDD", false}, {65, "1", false}, {99, "", false},
        {0, "0", false},  {-51, "0", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckValue(c.rule, std::string_view(c.value)), c.expected)
            << "rule " << c.rule << " value '" << c.value << "'";
    }
}

TEST(CheckValue, IntegerOverload) {
    const std::tuple<int, int32_t, bool> cases[] = {
        {ckZero, 0, true},           {ckZero, 1, false},           {ckZero, -1, false},
        {ckPositiveInt, 5, true},    {ckPositiveInt, 0, false},    {ckNonNegativeInt, 0, true},
        {ckNonNegativeInt, -2147483647 - 1, false}, {ckPositiveInt, 2147483647, true},
        {ckZeroText, 0, true},       {54, 0, false},               {99, 1, false},
    };
    for (const auto& [rule, value, expected] : cases)
        EXPECT_EQ(CheckValue(rule, value), expected) << rule << " " << value;
}

TEST(CheckValue, LayoutCatalogueInOrder) {
    const std::vector<std::string> expected = {"YY/MM/DD", "YYYY/MM/DD", "YYMMDD",   "YYYYMMDD", "YY/DD/MM",
                                               "YYYY/DD/MM", "DD/MM/YY", "DD/MM/YYYY", "MM/DD/YY", "MM/DD/YYYY",
                                               "DD/MMM/YYYY", "MMM DD, YYYY"};
    const auto& layouts = DateLayouts();
    ASSERT_EQ(layouts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(layouts[i], expected[i]);
        EXPECT_TRUE(CheckValue(ckDateLayout, layouts[i]));
    }
}

TEST(BoolText, Styles) {
    EXPECT_EQ(BoolText(true, 2), "Ok");
    EXPECT_EQ(BoolText(false, 2), "Ko");
    EXPECT_EQ(BoolText(true, 0), "True");
    EXPECT_EQ(BoolText(false, 0), "False");
    EXPECT_EQ(BoolText(true, 1), "True");
    EXPECT_EQ(BoolText(false, 3), "False");
}

TEST(ProgramVersion, FourDecimalNumbers) {
    const std::string v = ProgramVersion();
    int dots = 0;
    for (char c : v) {
        if (c == '.') ++dots;
        else EXPECT_TRUE(c >= '0' && c <= '9') << v;
    }
    EXPECT_EQ(dots, 3);
}

} // namespace
} // namespace lmx

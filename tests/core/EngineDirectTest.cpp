// The direct line conversion against the slot pipeline: same bytes, same line-error codes, same
// moment of a failed write, on generated lines that include hostile ones.
#include "EngineRig.h"
#include "RandomLines.h"
#include "core/ByteScan.h"
#include "core/DirectLine.h"
#include "core/SlotLine.h"

#include <cstring>
#include <gtest/gtest.h>

#include <random>

using namespace lmx;
using namespace lmx::test;

namespace {

Pair Quotes(std::string name, std::string outSep, std::string outDec, std::string outDate,
            std::vector<Column> outCols, std::string inDec = ",", std::string inDate = "/DD/MM/YYYY") {
    Format in = Fmt(";", inDec,
                     {Col("DATE", inDate), Col("TICKER"), Col("OPEN", "N"), Col("HIGH", "N"), Col("LOW", "N"),
                      Col("CLOSE", "N"), Col("VOLUME", "N")});
    return Pair{std::move(name), std::move(in), Fmt(std::move(outSep), std::move(outDec), std::move(outCols)),
                std::move(inDate), std::move(outDate)};
}

std::vector<Column> SameColumns(const std::string& date, const std::vector<std::string>& opts = {"0", "0", "0", ""}) {
    return {Col("DATE", date),       Col("TICKER", "AN", opts[0], opts[1], opts[2], opts[3]), Col("OPEN", "N"),
            Col("HIGH", "N"),        Col("LOW", "N"),
            Col("CLOSE", "N"),       Col("VOLUME", "N")};
}

std::vector<Pair> Pairs() {
    std::vector<Pair> p;
    // Columns kept in order (one pass over the line).
    p.push_back(Quotes("datedec", "\t", ".", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD")));
    p.push_back(Quotes("decimal", "\t", ".", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY")));
    p.push_back(Quotes("copy", "\t", ",", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY")));
    p.push_back(Quotes("dateonly", ";", ",", "/MM/DD/YYYY", SameColumns("/MM/DD/YYYY")));
    p.push_back(Quotes("dotdates", "\t", ",", ".DD/MM/YYYY", SameColumns(".DD/MM/YYYY"), ".", ".DD/MM/YYYY"));
    p.push_back(Quotes("decIsOutSep", ",", ",", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY"), "."));
    p.push_back(Quotes("decToInSep", "\t", ";", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD")));
    p.push_back(Quotes("decIsInSep", "\t", ".", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY"), ";"));
    p.push_back(Quotes("highBytes", "\xFF", "\xE9", "\x80YYYY/MM/DD", SameColumns("\x80YYYY/MM/DD"), "\r"));
    // Columns moved, dropped, doubled or unfed.
    p.push_back(Quotes("standard", "\t", ",", "/DD/MM/YYYY",
                       {Col("TICKER"), Col("DATE", "/DD/MM/YYYY"), Col("CLOSE", "N"), Col("VOLUME", "N")}));
    p.push_back(Quotes("reorderDec", "|", ".", "/DD/MM/YYYY",
                       {Col("VOLUME", "N"), Col("NONE"), Col("DATE", "/DD/MM/YYYY"), Col("OPEN", "N"), Col("OPEN", "N")}));
    // Dates that change length, widen or cut the year, or have no separator.
    p.push_back(Quotes("widen", "\t", ".", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD"), ",", "/DD/MM/YY"));
    p.push_back(Quotes("cut", ";", ",", "/YY/MM/DD", SameColumns("/YY/MM/DD")));
    p.push_back(Quotes("compact", "\t", ".", "0YYYYMMDD", SameColumns("0YYYYMMDD")));
    p.push_back(Quotes("compactIn", "\t", ".", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY"), ",", "0YYYYMMDD"));
    p.push_back(Quotes("noOrder", "\t", ".", "/XX/MM/DD", SameColumns("/XX/MM/DD")));
    // Separators of other lengths than one.
    p.push_back(Quotes("longOutSep", "<>", ".", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD")));
    p.push_back(Quotes("emptyOutSep", "", ".", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD")));
    p.push_back(Quotes("longDecTo", "\t", "::", "-YYYY/MM/DD", SameColumns("-YYYY/MM/DD")));
    p.push_back(Quotes("emptyDecTo", "\t", "", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY")));
    p.push_back(Quotes("longDecFrom", "\t", ".", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY"), ",,"));
    // Every per-column option.
    p.push_back(Quotes("global", "\t", ".", "-YYYY/MM/DD",
                       {Col("DATE", "-YYYY/MM/DD"), Col("TICKER", "AN", "1", "0", "1", "X:"), Col("OPEN", "N", "0", "1"),
                        Col("HIGH", "N", "0", "1"), Col("LOW", "N", "2", "1", "2", "5"), Col("CLOSE", "N", "0", "1"),
                        Col("VOLUME", "A", "0", "1")}));
    p.push_back(Quotes("globalDatePrefix", ";", ",", "/DD/MM/YYYY",
                       {Col("OPEN", "N", "0", "1"), Col("DATE", "/DD/MM/YYYY", "0", "0", "1", "d"),
                        Col("TICKER", "AN", "2", "2", "2", "Q")}));
    p.push_back(Quotes("globalSame", "\t", ",", "/DD/MM/YYYY", SameColumns("/DD/MM/YYYY", {"2", "0", "0", ""})));
    return p;
}

class DirectVersusSlots : public ::testing::TestWithParam<Pair> {};

TEST_P(DirectVersusSlots, SameBytesAndCodes) { ExpectSameAsSlots(GetParam(), GetParam().name != "noOrder"); }

INSTANTIATE_TEST_SUITE_P(Pairs, DirectVersusSlots, ::testing::ValuesIn(Pairs()),
                         [](const ::testing::TestParamInfo<Pair>& p) { return p.param.name; });

class RunVersusSlots : public ::testing::TestWithParam<Pair> {};

TEST_P(RunVersusSlots, SameResultAndCounts) {
    ExpectRunSameAsSlots(GetParam(), false);
    ExpectRunSameAsSlots(GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(Pairs, RunVersusSlots, ::testing::ValuesIn(Pairs()),
                         [](const ::testing::TestParamInfo<Pair>& p) { return p.param.name; });

struct LineCase {
    std::string line;
    int code;
    std::string out;
};

class DirectLines : public ::testing::TestWithParam<LineCase> {};

// Three columns, the middle one dropped, the third fed twice (the later field wins).
TEST_P(DirectLines, Converts) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A"), Col("B", "N"), Col("C"), Col("C")}), Fmt("\t", ".", {Col("C"), Col("A"), Col("X")}));
    DirectLine direct;
    ASSERT_TRUE(direct.Prepare(rig.conv, rig.Engine()));
    StringSink sink;
    EXPECT_EQ(direct.Convert(GetParam().line, sink), GetParam().code);
    EXPECT_EQ(sink.data, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Lines, DirectLines,
                         ::testing::Values(LineCase{"1,5;b;c,2;-3,25", leOk, "-3.25\t1.5\t\r\n"},
                                           LineCase{";;;", leOk, "\t\t\r\n"},
                                           LineCase{"a;b;c", leUnstring, ""},
                                           LineCase{"a;b;c;d;", leUnstring, ""},
                                           LineCase{"", leUnstring, ""},
                                           LineCase{"\xE9,\r;x;y;z\x80,", leOk, "z\x80,\t\xE9,\r\t\r\n"}));

TEST(DirectLine, EmptyLineIsValidWithOneColumnOnly) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ".", {Col("A"), Col("B")}));
    DirectLine direct;
    ASSERT_TRUE(direct.Prepare(rig.conv, rig.Engine()));
    StringSink sink;
    EXPECT_EQ(direct.Convert("", sink), leOk);
    EXPECT_EQ(direct.Convert("1,5", sink), leOk);
    EXPECT_EQ(direct.Convert(";", sink), leUnstring);
    EXPECT_EQ(sink.data, ";\r\n1.5;\r\n");
}

TEST(DirectLine, EmptyFirstLineOfAControlledColumn) {
    // The first line is empty, so the one-pass copy has no storage yet (found by the fuzzer).
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A", "N")}), Fmt(";", ",", {Col("A", "N", "0", "1")}));
    DirectLine direct;
    ASSERT_TRUE(direct.Prepare(rig.conv, rig.Engine()));
    StringSink sink;
    EXPECT_EQ(direct.Convert("", sink), leOk);
    EXPECT_EQ(direct.Convert("x", sink), leType);
    EXPECT_EQ(sink.data, "\r\n");
}

TEST(DirectLine, UnknownCodeIsRefused) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("A")}), Fmt(";", ",", {Col("A")}));
    DirectLine direct;
    EXPECT_FALSE(direct.Prepare(rig.conv, static_cast<EngineCodeValue>(7)));
    EXPECT_FALSE(direct.Prepare(rig.conv, ecNone));
}

// A result file on a full disk: the failure shows on the same line as with the slots, since the
// output is handed to the system only for a line that is written.
TEST(DirectLine, FailedWriteOnTheSameLineAsTheSlots) {
    EngineRig rig;
    rig.Use(Fmt(";", ",", {Col("D", "/DD/MM/YYYY"), Col("V", "N")}), Fmt(";", ".", {Col("D", "-YYYY/MM/DD"), Col("V", "N")}));
    const EngineCodeValue code = rig.Engine();
    DirectLine direct;
    ASSERT_TRUE(direct.Prepare(rig.conv, code));
    SlotLine slots(rig.conv);
    ASSERT_TRUE(slots.Prepare(code));
    FileWriter a(40), b(40);
    ASSERT_TRUE(a.Create("/dev/full"));
    ASSERT_TRUE(b.Create("/dev/full"));
    std::vector<int> got, expected;
    for (int i = 0; i < 12; ++i) {
        const std::string line = i % 3 == 1 ? "31/02/205;1,5" : "31/12/2005;" + std::to_string(i) + ",25";
        got.push_back(direct.Convert(line, a));
        expected.push_back(slots.Convert(line, b));
    }
    EXPECT_EQ(got, expected);
    // 17 bytes a line in the smallest buffer a writer takes (64): the fourth written line fails.
    EXPECT_EQ(got, (std::vector<int>{leOk, leDate, leOk, leOk, leDate, leWrite, leWrite, leDate, leWrite, leWrite,
                                     leDate, leWrite}));
}

class Recipe : public ::testing::TestWithParam<std::string> {};

// Every pair of layouts, with and without an output separator, against the primitive.
TEST_P(Recipe, MatchesTheDatePrimitive) {
    std::mt19937 rng(7);
    for (const std::string& outLayout : kLayouts) {
        for (const std::string sep : {"-", "0", "/"}) {
            const Converter conv = DatedConverter("/" + GetParam(), sep + outLayout);
            DateRecipe recipe;
            recipe.Prepare(conv);
            for (int i = 0; i < 200; ++i) {
                const std::string value = DateLike(rng, GetParam());
                const std::string expected = conv.DateConvPerso(value, GetParam(), conv.Pair().OutSepText,
                                                                conv.Pair().OutLen, conv.Pair().CutYear, conv.Pair().WidenYear,
                                                                conv.Pair().Order);
                std::string got = "0";
                char in[DateRecipe::kMaxLen] = {};
                char out[2 * DateRecipe::kMaxLen] = {};
                std::memcpy(in, value.data(), value.size());
                if (value.size() == recipe.InLen()) {
                    if (recipe.Rewrite(in, out)) got.assign(out, recipe.OutLen());
                } else if (const std::size_t n = recipe.RewriteOther(in, value.size(), out); n != DateRecipe::kNoDate) {
                    got.assign(out, n);
                }
                ASSERT_EQ(got, expected) << value << " " << GetParam() << " -> " << sep << outLayout;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, Recipe, ::testing::ValuesIn(kLayouts));

TEST(ByteScan, CopyBytesEveryLength) {
    std::string src;
    for (int i = 0; i < 40; ++i) src += ",a\xE9\x01,,9"[i % 7];
    for (std::size_t n = 0; n <= src.size(); ++n) {
        std::string plain(n + 4, '#'), changed(n + 4, '#');
        bytescan::CopyBytes<false>(plain.data(), src.data(), n);
        bytescan::CopyBytes<true>(changed.data(), src.data(), n, ',', '.');
        std::string expected = src.substr(0, n);
        EXPECT_EQ(plain, expected + "####") << n;
        for (char& c : expected)
            if (c == ',') c = '.';
        EXPECT_EQ(changed, expected + "####") << n;
    }
}

// Every byte value at every place of values of 1 to 20 bytes, against the control primitive.
TEST(ByteScan, AllDigitsOrAgreesWithTheControl) {
    for (const std::string other : {"", ".", "\xFF", "5", "::"}) {
        for (std::size_t n = 1; n <= 20; ++n) {
            for (int b = 0; b < 256; ++b) {
                std::string value(n, '7');
                value[(static_cast<std::size_t>(b) * 7) % n] = static_cast<char>(b);
                const bool hasOther = other.size() == 1;
                EXPECT_EQ(bytescan::AllDigitsOr(value.data(), n, hasOther, hasOther ? other[0] : '\0'),
                          Converter::ControlValue(value, ckDateChars, "", other))
                    << n << " " << b << " [" << other << "]";
            }
        }
    }
    EXPECT_TRUE(bytescan::AllDigitsOr("", 0, false, '\0'));
    // The numeric control, word by word, against the bytes one by one: a sign, one separator.
    const auto byBytes = [](const std::string& v, char dec) {
        const std::size_t s = !v.empty() && (v[0] == '-' || v[0] == '+') ? 1 : 0;
        std::size_t decs = 0, digits = 0;
        for (std::size_t i = s; i < v.size(); ++i) {
            if (v[i] == dec) ++decs;
            else if (v[i] >= '0' && v[i] <= '9') ++digits;
            else return false;
        }
        return v.empty() || (decs <= 1 && digits > 0);
    };
    for (const bool hasDec : {true, false})
        for (std::size_t n = 1; n <= 20; ++n)
            for (const char a : {'.', '-', 'x', '7'})
                for (const char b : {'.', '+', '7'})
                    for (std::size_t i = 0; i < n; ++i) {
                        std::string v(n, '1');
                        v[i] = a;
                        v[(i * 5 + 3) % n] = b;
                        EXPECT_EQ(bytescan::NumberBytes(v.data(), v.size(), hasDec, '.'),
                                  byBytes(v, hasDec ? '.' : '\1'))
                            << v << " " << hasDec;
                    }
    EXPECT_FALSE(bytescan::AllDigitsOr("12.5", 4, true, ','));
    EXPECT_TRUE(bytescan::AllDigitsOr("12,50", 5, true, ','));
}

} // namespace

#include "core/FormatFile.h"
#include "env/LangTexts.h"
#include "FmtTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

using namespace lmx;
using namespace lmx::test;

namespace {

class FmtReader : public ::testing::Test, protected FmtFileRig {
protected:
    void Write(const std::vector<std::string>& lines) { WriteFile(file.FmtFileName, FmtFileText(lines)); }
};

struct LoadCase {
    const char* what;
    std::vector<std::string> lines;
    StatusCode expected;
};

const std::string kColA = "COL=A|N|0|0|0|";
const std::string kColB = "COL=B|AN|0|0|0|";
const std::string kColC = "COL=C|AN|0|0|0|";

class FmtLoadCodes : public FmtReader, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FmtLoadCodes, ResultOfLoadingX) {
    Write(GetParam().lines);
    EXPECT_EQ(file.FmtLoadDescription(flmReadOnly, "X"), GetParam().expected) << GetParam().what;
}

const std::string kNomY = "NOM=Y";

INSTANTIATE_TEST_SUITE_P(
    Blocks, FmtLoadCodes,
    ::testing::Values(
        LoadCase{"two columns as counted", Block("X", "2", {kColA, kColB}), StatusCode::Ok},
        LoadCase{"two columns then the next block", Join({Block("X", "2", {kColA, kColB}), Block("Y", "1", {kColA})}),
                 StatusCode::Ok},
        LoadCase{"three columns then a NOM line", Join({Block("X", "2", {kColA, kColB, kColC}), {kNomY, "CMT="}}),
                 StatusCode::FmtColCountDiffers},
        LoadCase{"three columns up to the end of the file", Block("X", "2", {kColA, kColB, kColC}),
                 StatusCode::FmtTooManyColsAtEof},
        LoadCase{"one column up to the end of the file", Block("X", "2", {kColA}), StatusCode::FmtColCountDiffers},
        LoadCase{"one column then a NOM line", Join({Block("X", "2", {kColA}), {kNomY, "CMT="}}), StatusCode::FmtColCountDiffers},
        LoadCase{"an empty line ends the block", Join({Block("X", "2", {kColA, kColB}), {"", kColC, "HDR=h"}}), StatusCode::Ok},
        LoadCase{"HDR between COL lines", Block("X", "2", {kColA, "HDR=head", kColB}), StatusCode::Ok},
        LoadCase{"CMT and CLC swapped",
                 {"NOM=X", "CLC=2", "CMT=c", "SEP=;", "DEC=,", "IFL=0", kColA, kColB}, StatusCode::FmtBadDescr},
        LoadCase{"DEC equal to SEP", {"NOM=X", "CMT=c", "CLC=1", "SEP=;", "DEC=;", "IFL=0", kColA}, StatusCode::FmtBadDescr},
        LoadCase{"empty SEP", {"NOM=X", "CMT=c", "CLC=1", "SEP=", "DEC=,", "IFL=0", kColA}, StatusCode::FmtBadDescr},
        LoadCase{"empty DEC", {"NOM=X", "CMT=c", "CLC=1", "SEP=;", "DEC=", "IFL=0", kColA}, StatusCode::FmtBadDescr},
        LoadCase{"IFL=-1", {"NOM=X", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=-1", kColA}, StatusCode::FmtBadDescr},
        LoadCase{"IFL=x", {"NOM=X", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=x", kColA}, StatusCode::FmtBadDescr},
        LoadCase{"CLC=0", Block("X", "0", {kColA}), StatusCode::FmtBadDescr},
        LoadCase{"CLC=x", Block("X", "x", {kColA}), StatusCode::FmtBadDescr},
        LoadCase{"CLC with a blank", Block("X", " 1", {kColA}), StatusCode::FmtBadDescr},
        LoadCase{"fourth character not '='",
                 {"NOM=X", "CMT:c", "CLC:1", "SEP;;", "DEC ,", "IFL-0", kColA}, StatusCode::Ok},
        LoadCase{"file ends after CMT", {"NOM=X", "CMT=c"}, StatusCode::FmtEmptyName},
        LoadCase{"file ends after SEP, count known", {"NOM=X", "CMT=c", "CLC=2", "SEP=;"}, StatusCode::FmtColCountDiffers},
        LoadCase{"single field COL", Block("X", "1", {"COL=NAME"}), StatusCode::FmtBadColumn},
        LoadCase{"slash DD/MM/YYYY is a date", Block("X", "1", {"COL=D|/DD/MM/YYYY|0|1|0|"}), StatusCode::Ok},
        LoadCase{"lower-case layout", Block("X", "1", {"COL=D|/dd/mm/yyyy|0|1|0|"}), StatusCode::FmtBadColumn},
        LoadCase{"layout without its separator", Block("X", "1", {"COL=D|YYMMDD|0|1|0|"}), StatusCode::FmtBadColumn},
        LoadCase{"type A accepted", Block("X", "1", {"COL=T|A|0|0|0|"}), StatusCode::Ok},
        LoadCase{"empty type", Block("X", "1", {"COL=T||0|0|0|"}), StatusCode::FmtBadColumn},
        LoadCase{"case 3", Block("X", "1", {"COL=T|N|3|0|0|"}), StatusCode::FmtBadColumn},
        LoadCase{"empty control", Block("X", "1", {"COL=T|N|0||0|"}), StatusCode::FmtBadColumn},
        LoadCase{"prefix code 5", Block("X", "1", {"COL=T|N|0|0|5|x"}), StatusCode::FmtBadColumn},
        LoadCase{"prefix 1 without text", Block("X", "1", {"COL=T|N|0|0|1|"}), StatusCode::FmtBadColumn},
        LoadCase{"suffix 2 with text", Block("X", "1", {"COL=T|N|0|0|2|EUR"}), StatusCode::Ok},
        LoadCase{"prefix 0 with text", Block("X", "1", {"COL=T|N|0|0|0|zz"}), StatusCode::Ok},
        LoadCase{"seven fields", Block("X", "1", {"COL=T|N|0|0|1|p|extra"}), StatusCode::Ok},
        LoadCase{"empty COL value", Block("X", "1", {"COL="}), StatusCode::FmtBadColumn},
        LoadCase{"quotes, grouping, number suffixes", Block("X", "2", {"GUI=2", "MIL=.", "COL=V|NK|0|0|0|", "COL=P|N%|0|0|0|"}),
                 StatusCode::Ok},
        LoadCase{"suffix and percent in their order only", Block("X", "1", {"COL=V|N%K|0|0|0|"}), StatusCode::FmtBadColumn},
        LoadCase{"GUI=3", Block("X", "1", {"GUI=3", kColA}), StatusCode::FmtBadDescr},
        LoadCase{"GUI twice", Block("X", "1", {"GUI=1", "GUI=1", kColA}), StatusCode::FmtBadDescr},
        LoadCase{"quotes with a quote for separator", {"NOM=X", "CMT=c", "CLC=1", "SEP=\"", "DEC=,", "IFL=0", "GUI=1", kColA},
                 StatusCode::FmtBadDescr},
        LoadCase{"grouping separator equal to DEC", Block("X", "1", {"MIL=,", kColA}), StatusCode::FmtBadDescr},
        LoadCase{"grouping separator of two bytes", Block("X", "1", {"MIL=..", kColA}), StatusCode::FmtBadDescr},
        LoadCase{"grouping separator a digit", Block("X", "1", {"MIL=0", kColA}), StatusCode::FmtBadDescr},
        LoadCase{"bad column wins over a short count",
                 Join({Block("X", "2", {"COL=NAME"}), {kNomY, "CMT="}}), StatusCode::FmtBadColumn},
        LoadCase{"bad column wins over too many at the end", Block("X", "1", {kColA, "COL=NAME"}), StatusCode::FmtBadColumn},
        LoadCase{"huge count with two columns then a block",
                 Join({Block("X", "2000000000", {kColA, kColB}), {kNomY, "CMT="}}), StatusCode::FmtColCountDiffers},
        LoadCase{"largest count with two columns at the end", Block("X", "2147483647", {kColA, kColB}),
                 StatusCode::FmtColCountDiffers},
        LoadCase{"count beyond 32 bits", Block("X", "2147483648", {kColA}), StatusCode::FmtBadDescr},
        LoadCase{"names are case-sensitive", Block("x", "1", {kColA}), StatusCode::FmtNotFound},
        // Cut off right after its NOM line: the format is there, its block is not complete.
        LoadCase{"the wanted NOM as the last line", {"NOM=Y", "NOM=X"}, StatusCode::FmtEmptyName},
        LoadCase{"banner only", {}, StatusCode::FmtNotFound}),
    [](const ::testing::TestParamInfo<LoadCase>& p) { return "Case" + std::to_string(p.index); });

TEST_F(FmtReader, EmptyNameAndMissingFile) {
    EXPECT_EQ(file.FmtLoadDescription(flmInput, ""), StatusCode::FmtEmptyName);
    EXPECT_EQ(file.FmtLoadDescription(flmInput, "X"), StatusCode::FmtNoFile);
    EXPECT_EQ(file.FmtLoadList(), StatusCode::FmtNoFile);
}

TEST_F(FmtReader, UnreadableFileIsAnOpenFailure) {
    std::filesystem::create_directory(file.FmtFileName); // exists, yet cannot be read as a file
    EXPECT_EQ(file.FmtLoadDescription(flmReadOnly, "X"), StatusCode::FmtOpenFailed);
    EXPECT_EQ(file.FmtLoadList(), StatusCode::FmtNoFormat);
}

TEST_F(FmtReader, HugeCountDoesNotAllocateUpFront) {
    Write(Block("X", "2000000000", {kColA, kColB}));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(file.FmtLoadDescription(flmInput, "X"), StatusCode::FmtColCountDiffers);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(file.LastFault().colLines, 2);
    EXPECT_FALSE(state.Input);
}

TEST_F(FmtReader, LoadFillsWorkAndInput) {
    Write(Join({Block("Z", "1", {kColA}),
                {"NOM=X", "CMT=quotes", "CLC=3", "SEP=\t", "DEC=.", "IFL=2", "HDR=Date\tOpen", "COL=DATE|-DD/MM/YYYY|1|1|0|",
                 "HDR=second", "COL=OPEN|N|0|2|1|$", "COL=T|A|2|0|2|EUR"}}));
    ASSERT_EQ(file.FmtLoadDescription(flmInput, "X"), StatusCode::Ok);
    ASSERT_TRUE(state.Input);
    const Format& w = *state.Input;
    EXPECT_EQ(w.name, "X");
    EXPECT_EQ(w.comment, "quotes");
    EXPECT_EQ(w.countText, "3");
    EXPECT_EQ(w.colSep, "\t");
    EXPECT_EQ(w.decSep, ".");
    EXPECT_EQ(w.skipText, "2");
    EXPECT_EQ(w.headers, (std::vector<std::string>{"Date\tOpen", "second"}));
    ASSERT_EQ(w.columns.size(), 3u);
    const Column& date = w.columns[0];
    EXPECT_TRUE(date.IsDate());
    EXPECT_EQ(date.dateSep + "|" + date.dateLayout, "-|DD/MM/YYYY");
    EXPECT_TRUE(date.casing == CaseCode::Upper && date.control == ControlCode::Always && date.affix == AffixCode::None);
    const Column& open = w.columns[1];
    EXPECT_TRUE(open.type == ColumnType::Number && open.control == ControlCode::IfNotEmpty);
    EXPECT_TRUE(open.affix == AffixCode::Prefix && open.affixText == "$");
    const Column& t = w.columns[2];
    EXPECT_TRUE(t.type == ColumnType::Alpha && t.casing == CaseCode::Lower && t.affix == AffixCode::Suffix);

    EXPECT_FALSE(state.Output);
}

TEST_F(FmtReader, ReadOnlyLoadChoosesNothingAndFailedChoiceLeavesNone) {
    Write(Join({Block("GOOD", "1", {kColA}), Block("BAD", "2", {kColA})}));
    ASSERT_EQ(file.FmtLoadDescription(flmReadOnly, "GOOD"), StatusCode::Ok);
    EXPECT_FALSE(state.Input || state.Output);
    ASSERT_EQ(file.FmtLoadDescription(flmInput, "GOOD"), StatusCode::Ok);
    EXPECT_EQ(file.FmtLoadDescription(flmInput, "BAD"), StatusCode::FmtColCountDiffers);
    EXPECT_FALSE(state.Input); // no earlier format stands in for the one chosen
}

TEST_F(FmtReader, TwoBlocksOfTheSameNameLoadTheFirst) {
    Write(Join({Block("X", "1", {kColA}, "first"), Block("X", "1", {kColB}, "second")}));
    EXPECT_EQ(file.Load("X").format.comment, "first");
    ASSERT_EQ(file.FmtLoadList(), StatusCode::Ok);
    EXPECT_EQ(state.Catalogue.FormatNames, (std::vector<std::string>{"X", "X"}));
}

TEST_F(FmtReader, AnyLineEndIsRead) {
    const std::vector<std::string> lines = Block("X", "2", {"HDR=h", kColA, kColB});
    for (const std::string eol : {"\n", "\r", "\r\n"}) {
        std::string text = FileBanner(bkFormats) + eol;
        for (const auto& l : lines) text += l + eol;
        WriteFile(file.FmtFileName, text);
        const FormatRead read = file.Load("X");
        EXPECT_EQ(read.status, StatusCode::Ok) << static_cast<int>(eol.back());
        EXPECT_EQ(read.format.headers, (std::vector<std::string>{"h"}));
        EXPECT_EQ(read.format.columns.size(), 2u);
    }
}

TEST_F(FmtReader, LastLineWithoutLineEnd) {
    WriteFile(file.FmtFileName, FmtFileText(Block("X", "2", {kColA})) + kColB);
    EXPECT_EQ(file.FmtLoadDescription(flmReadOnly, "X"), StatusCode::Ok);
}

TEST(ReadColumn, TypesTheFieldsOrNamesTheFirstBadOne) {
    struct Case {
        std::string value;
        std::string text; // what the column writes back; empty when refused
        int field;        // the field at fault, -1 for none
    };
    const Case cases[] = {
        {"N1|N|0|0|0|", "N1|N|0|0|0|", -1},
        {"N1|0YYMMDD|1|2|2|s", "N1|0YYMMDD|1|2|2|s", -1},
        {"N1|N|0|0|1|a|b|c", "N1|N|0|0|1|a", -1},
        {"N1|N", "", cfCaseRule},
        {"|N|0|0|0|", "", cfName},
        {"N1|-YYYY/DD/MM|x|0|0|", "", cfCaseRule},
        {"N1|/", "", cfType},
        {"N1|N|0|0|1|", "", cfAffixText},
    };
    for (const Case& c : cases) {
        FormatRead read;
        Column col;
        EXPECT_EQ(ReadColumn(1, c.value, col, read), !c.text.empty()) << c.value;
        if (!c.text.empty()) {
            EXPECT_EQ(col.Text(), c.text);
        }
        EXPECT_EQ(read.fault.field, c.field) << c.value;
    }
    FormatRead read;
    Column col;
    EXPECT_FALSE(ReadColumn(0, "N1|N|0|0|0|", col, read));
    EXPECT_FALSE(ReadColumn(1, "", col, read));
}

TEST_F(FmtReader, ListSortsNamesAndKeepsColumnsInFileOrder) {
    Write(Join({Block("B", "2", {"COL=Z|N|0|0|0|", "COL=NOBAR"}), Block("A", "1", {"COL=Y|N|0|0|0|"}),
                Block("B", "1", {"COL=Z|N|0|0|0|"})}));
    EXPECT_EQ(file.FmtLoadList(), StatusCode::Ok);
    EXPECT_EQ(state.Catalogue.FormatNames, (std::vector<std::string>{"A", "B", "B"}));
    EXPECT_EQ(state.Catalogue.ColumnNames, (std::vector<std::string>{"Z", "", "Y", "Z"}));
}

TEST_F(FmtReader, ListOfBannerOnlyIsEmpty) {
    state.Catalogue = {{"OLD"}, {"OLD"}};
    Write({});
    EXPECT_EQ(file.FmtLoadList(), StatusCode::FmtNoFormat);
    EXPECT_TRUE(state.Catalogue.FormatNames.empty());
    EXPECT_TRUE(state.Catalogue.ColumnNames.empty());
}

TEST_F(FmtReader, HundredThousandFormatsListQuickly) {
    std::string text = FileBanner(bkFormats) + "\r\n";
    for (int i = 100000; i > 0; --i) {
        for (const auto& l : Block("F" + std::to_string(i * 7919 % 100003), "1", {"COL=C" + std::to_string(i) + "|N|0|0|0|"}))
            text += l + "\r\n";
    }
    WriteFile(file.FmtFileName, text);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(file.FmtLoadList(), StatusCode::Ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
    ASSERT_EQ(state.Catalogue.FormatNames.size(), 100000u);
    EXPECT_TRUE(std::is_sorted(state.Catalogue.FormatNames.begin(), state.Catalogue.FormatNames.end()));
    EXPECT_EQ(state.Catalogue.ColumnNames.size(), 100000u);
}

} // namespace

namespace {

// A CR LF cut by the reader's 64 KiB buffer is still one line end: an extra empty line would end
// the block early.
TEST_F(FmtReader, CrLfAcrossTheReadBuffer) {
    std::string text = FmtFileText({"NOM=X", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=0"});
    const std::size_t crAt = 65536 - 1;
    const std::string hdr = "HDR=" + std::string(crAt - text.size() - 4, 'h');
    text += hdr + "\r\n" + "COL=A|N|0|0|0|\r\n";
    ASSERT_EQ(text[crAt], '\r');
    WriteFile(file.FmtFileName, text);
    EXPECT_EQ(file.Load("X").format.headers, (std::vector<std::string>{hdr.substr(4)}));
}

} // namespace

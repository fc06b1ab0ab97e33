#include "core/FormatCheck.h"
#include "env/LangTexts.h"

#include <gtest/gtest.h>

using namespace lmx;

namespace {

std::vector<std::string> Keys(const ErrList& list) {
    std::vector<std::string> keys;
    for (const auto& e : list) keys.push_back(e.Key);
    return keys;
}

ColumnDraft GoodColumn(const std::string& name = "CLOSE") {
    ColumnDraft c;
    c.ColName = name;
    c.ColType = "N";
    c.Valid = true;
    return c;
}

struct ColumnCase {
    const char* what;
    ColumnDraft col;
    std::vector<std::string> keys; // empty: the column passes
};

ColumnDraft With(ColumnDraft c, void (*change)(ColumnDraft&)) {
    change(c);
    return c;
}

class CheckDraftRules : public ::testing::TestWithParam<ColumnCase> {
protected:
    LangTexts lang;
};

TEST_P(CheckDraftRules, MessagesInRuleOrder) {
    ErrList list{{"x", "Before", "kept"}};
    const bool ok = CheckDraft(GetParam().col, ",", ";", true, &list, lang);
    EXPECT_EQ(ok, GetParam().keys.empty()) << GetParam().what;
    std::vector<std::string> expected{"Before"};
    expected.insert(expected.end(), GetParam().keys.begin(), GetParam().keys.end());
    EXPECT_EQ(Keys(list), expected) << GetParam().what;
    for (std::size_t i = 1; i < list.size(); ++i) EXPECT_EQ(list[i].Label, "          * ");
}

INSTANTIATE_TEST_SUITE_P(
    Columns, CheckDraftRules,
    ::testing::Values(
        ColumnCase{"plain numeric", GoodColumn(), {}},
        ColumnCase{"empty name", With(GoodColumn(), [](ColumnDraft& c) { c.ColName.clear(); }), {"SvColName"}},
        ColumnCase{"placeholder name", With(GoodColumn(), [](ColumnDraft& c) { c.ColName = kBlankColName; }), {"SvColName"}},
        ColumnCase{"date without separator",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "DD/MM/YYYY"; }), {"SvColDtSep"}},
        ColumnCase{"layout without separators, DtSep 0",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "YYYYMMDD"; c.DtSep = "0"; }), {}},
        ColumnCase{"YYMMDD with an empty DtSep",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "YYMMDD"; }), {}},
        ColumnCase{"date separator equal to both separators",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "DD/MM/YY"; c.DtSep = ","; }), {"SvColDtSepDecSep"}},
        ColumnCase{"date separator equal to the column separator",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "DD/MM/YY"; c.DtSep = ";"; }), {"SvColDtSepColSep"}},
        ColumnCase{"pipe as date separator",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType = "YY/MM/DD"; c.DtSep = "|"; }), {"SvColDtSep"}},
        ColumnCase{"unknown type checks the separator",
                   With(GoodColumn(), [](ColumnDraft& c) { c.ColType.clear(); }), {"SvColDtSep"}},
        ColumnCase{"prefix without text",
                   With(GoodColumn(), [](ColumnDraft& c) { c.AffixOn = true; c.AffixType = AffixCode::Prefix; }), {"SvColFixeType"}},
        ColumnCase{"prefix type 0 switched on",
                   With(GoodColumn(), [](ColumnDraft& c) { c.AffixOn = true; c.AffixText = "p"; }), {"SvColFixeType"}},
        ColumnCase{"suffix with text",
                   With(GoodColumn(), [](ColumnDraft& c) { c.AffixOn = true; c.AffixType = AffixCode::Suffix; c.AffixText = "s"; }), {}},
        ColumnCase{"prefix rule off whatever the fields",
                   With(GoodColumn(), [](ColumnDraft& c) { c.AffixType = static_cast<AffixCode>(7); }), {}},
        ColumnCase{"case on with code 0", With(GoodColumn(), [](ColumnDraft& c) { c.CaseOn = true; }), {"SvColCasse"}},
        ColumnCase{"case on with code 2",
                   With(GoodColumn(), [](ColumnDraft& c) { c.CaseOn = true; c.CaseRule = CaseCode::Lower; }), {}},
        ColumnCase{"everything wrong",
                   With(GoodColumn(),
                        [](ColumnDraft& c) {
                            c.ColName.clear();
                            c.ColType = "MM/DD/YYYY";
                            c.AffixOn = true;
                            c.CaseOn = true;
                            c.CaseRule = static_cast<CaseCode>(3);
                        }),
                   {"SvColName", "SvColDtSep", "SvColFixeType", "SvColCasse"}}),
    [](const ::testing::TestParamInfo<ColumnCase>& p) { return "Case" + std::to_string(p.index); });

TEST(CheckDraft, SilentCheckLeavesTheListAlone) {
    LangTexts lang;
    ColumnDraft blank;
    ErrList list{{"l", "k", "t"}};
    EXPECT_FALSE(CheckDraft(blank, ",", ";", false, &list, lang));
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"k"}));
    EXPECT_FALSE(CheckDraft(blank, ",", ";", true, nullptr, lang));
}

TEST(CheckDraft, MessageTexts) {
    LangTexts lang;
    ColumnDraft c = GoodColumn("");
    c.ColType = "DD/MM/YYYY";
    ErrList list;
    CheckDraft(c, ",", ";", true, &list, lang);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Text, lang.Format(LK::err_fmtDColName, {""}));
    EXPECT_EQ(ErrListToMemo(&list)[1], "          *  " + lang.Text(LK::err_fmtDDateSep));
}

class CheckSave : public ::testing::Test {
protected:
    CheckSave() {
        v.EditFmtName = "QUOTES";
        v.General.Comment = "daily";
        v.General.ColCountText = "2";
        v.General.ColSepText = ";";
        v.General.DecSepText = ",";
        v.General.JmpLinesText = "0";
        columns = {GoodColumn("DATE"), GoodColumn("CLOSE")};
        columns[0].ColType = "DD/MM/YYYY";
        columns[0].DtSep = "/";
        v.Columns = &columns;
    }
    bool Check() {
        const bool ok = CheckFormatForSave(v, work, errs, lang);
        colLines.clear();
        for (const Column& c : work.columns) colLines.push_back(c.Text());
        return ok;
    }

    LangTexts lang;
    FmtEditorValues v;
    ColList columns;
    Format work;
    std::vector<std::string> colLines;
    ErrList errs{{"stale", "Stale", "from before"}};
};

TEST_F(CheckSave, GoodFormatFillsTheWorkingFormat) {
    v.General.HdrOn = true;
    v.General.HdrLines = {"h1"};
    v.General.JmpLinesText = "1";
    ASSERT_TRUE(Check());
    EXPECT_TRUE(errs.empty());
    EXPECT_EQ(work.BlockText(), "NOM=QUOTES\r\nCMT=daily\r\nCLC=2\r\nSEP=;\r\nDEC=,\r\nIFL=1\r\nHDR=h1\r\n"
                                "COL=DATE|/DD/MM/YYYY|0|0|0|\r\nCOL=CLOSE|N|0|0|0|\r\n");
}

TEST_F(CheckSave, ThreeErrorsInOrder) {
    v.EditFmtName.clear();
    v.General.ColCountText = "0";
    v.General.DecSepText.clear();
    work.name = "KEPT";
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"FmtName", "ColCount", "SepDec"}));
    for (const auto& e : errs) EXPECT_EQ(e.Label, "Erreur  : ");
    EXPECT_EQ(errs[1].Text, lang.Text(LK::err_fmtDColCount));
    EXPECT_EQ(work.name, "KEPT");
    EXPECT_EQ(work.colSep, ";"); // the steps after an error still run
}

TEST_F(CheckSave, SkipCountDifferentFromHeaderIsOnlyInformation) {
    v.General.JmpLinesText = "1";
    v.General.HdrLines = {"not written when the header is off"};
    EXPECT_TRUE(Check());
    EXPECT_EQ(ErrListToMemo(&errs), (std::vector<std::string>{"Info... :  " + lang.Text(LK::err_fmtDIgnAdd)}));
    EXPECT_TRUE(work.headers.empty());
}

TEST_F(CheckSave, NegativeSkipCountPasses) {
    v.General.JmpLinesText = "-1";
    EXPECT_TRUE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"HdrCount"}));
    EXPECT_EQ(work.skipText, "-1");
}

TEST_F(CheckSave, NonIntegerSkipCountStopsTheCheck) {
    v.General.JmpLinesText = "two";
    columns[1].Valid = false;
    work.columns = {Column{}};
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"JmpLines"}));
    EXPECT_EQ(errs[0].Label, "Erreur  : ");
    EXPECT_NE(errs[0].Text.find("\"two\""), std::string::npos);
    EXPECT_EQ(colLines.size(), 1u); // the columns are not reached
}

TEST_F(CheckSave, SeparatorRules) {
    v.General.ColSepText.clear();
    work.colSep = "old";
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"SepCols"}));
    EXPECT_EQ(work.colSep, "old");

    v.General.TabSep = true;
    EXPECT_TRUE(Check());
    EXPECT_EQ(work.colSep, "\t");
}

TEST_F(CheckSave, TabSeparatorIsWhatDateSeparatorsAreComparedWith) {
    v.General.TabSep = true;
    v.General.ColSepText = "x";
    columns[0].DtSep = "\t";
    columns[0].Valid = false;
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"BadColDscr", "SvColDtSepColSep"}));
}

TEST_F(CheckSave, BlankColumnOfANewFormat) {
    columns = {ColumnDraft{}};
    v.General.ColCountText = "1";
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"BadColDscr", "SvColName", "SvColDtSep"}));
    EXPECT_EQ(errs[0].Text, lang.Format(LK::err_fmtDInvalid, {"1", "--\x3F\x3F\x3F--"}));
    EXPECT_EQ(colLines, (std::vector<std::string>{"--\x3F\x3F\x3F--||0|0|0|"}));
}

TEST_F(CheckSave, InvalidColumnsAreNumberedFromOne) {
    columns = {GoodColumn("A"), GoodColumn("B"), GoodColumn("C"), GoodColumn("D")};
    v.General.ColCountText = "4";
    columns[1].Valid = false;
    columns[1].CaseOn = true;
    columns[3].Valid = false;
    columns[3].AffixOn = true;
    columns[3].CaseOn = true;
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"BadColDscr", "SvColCasse", "BadColDscr", "SvColFixeType", "SvColCasse"}));
    EXPECT_EQ(errs[0].Text, lang.Format(LK::err_fmtDInvalid, {"2", "B"}));
    EXPECT_EQ(errs[2].Text, lang.Format(LK::err_fmtDInvalid, {"4", "D"}));
    EXPECT_EQ(colLines.size(), 4u);
}

TEST_F(CheckSave, InvalidFlagAloneIsAnError) {
    columns[1].Valid = false; // stored while broken, mended since
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"BadColDscr"}));
}

TEST_F(CheckSave, ShownColumnIsStoredBeforeTheColumnsAreRead) {
    v.ShownTab = 1;
    v.StoreShown = [&](int tab) {
        columns[static_cast<std::size_t>(tab)].ColName = "STORED";
        return true;
    };
    EXPECT_TRUE(Check());
    EXPECT_EQ(colLines[1], "STORED|N|0|0|0|");

    v.StoreShown = [](int) { return false; };
    EXPECT_FALSE(Check());
    EXPECT_EQ(Keys(errs), (std::vector<std::string>{"SvColDscr"}));
    EXPECT_EQ(errs[0].Text, lang.Format(LK::err_fmtDNoSave, {"1"}));

    v.ShownTab = -1; // no tab shown: nothing to store
    EXPECT_TRUE(Check());
}

TEST(ErrListToMemo, AbsentOrEmptyListGivesNoLine) {
    EXPECT_TRUE(ErrListToMemo(nullptr).empty());
    ErrList empty;
    EXPECT_TRUE(ErrListToMemo(&empty).empty());
    ErrList one{{"L:", "never shown", "text"}};
    EXPECT_EQ(ErrListToMemo(&one), (std::vector<std::string>{"L: text"}));
}

} // namespace

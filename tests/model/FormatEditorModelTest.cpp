// The format editor's rules, without a window: loading, columns, guards, naming, saving, deleting.
#include "model/Session.h"

#include "core/FormatCheck.h"
#include "core/FmtTestFiles.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

// Q: tab-separated, one header line, a date, a suffixed price, a name upper-cased.
const std::vector<std::string> kQ{"NOM=Q",        "CMT=quotes",        "CLC=3",
                                  "SEP=\t",       "DEC=,",             "IFL=1",
                                  "HDR=Date",     "COL=DATE|-DD/MM/YYYY|0|1|0|", "COL=CLOSE|N|0|0|2|EUR",
                                  "COL=TICK|AN|1|0|0|"};

class Editor : public ::testing::Test {
protected:
    Editor() : s(messages, trash) {
        s.SetProgramDir(dir.path());
        s.params.Defaults();
        WriteFile(dir.file("Lumivex.fmt"), FmtFileText(Join({kQ, Block("A", "1", {"COL=BID|N|0|0|0|"})})));
        s.fmtFile.FmtLoadList();
    }
    // The dialog answered as the user would, then the page filled.
    void Name(int mode, const std::string& edit1, const std::string& chosen = "") {
        ASSERT_TRUE(e.BeginNameDialog(mode));
        ASSERT_TRUE(e.NameDialogOk(edit1, chosen).Close);
        e.NameAccepted();
    }
    std::string Fmt() const { return ReadFile(dir.file("Lumivex.fmt")); }

    TempDir dir;
    RecordingMessages messages;
    NoTrash trash;
    Session s;
    FormatEditorModel& e = s.editor;
};

TEST_F(Editor, ModifyLoadsTheFormatAndItsColumns) {
    Name(ndModify, "", "Q");
    EXPECT_EQ(e.EditStatus, s.lang.Format(LK::hnt_fmtModifyName, {"Q"}));
    const FmtGeneralValues& g = e.General;
    EXPECT_EQ(g.FmtName, "Q");
    EXPECT_TRUE(g.TabSep);
    EXPECT_EQ(g.ColSepText, "");
    EXPECT_EQ(g.DecSample, "(0,00)");
    EXPECT_EQ(g.JmpLinesText, "1");
    EXPECT_EQ(g.HdrLines, std::vector<std::string>{"Date"});
    EXPECT_EQ(e.Tabs, (std::vector<std::string>{"DATE", "CLOSE", "TICK"}));
    EXPECT_EQ(e.NameList, (std::vector<std::string>{"BID", "CLOSE", "DATE", "TICK"}));
    EXPECT_EQ(e.Column.Type, "DD/MM/YYYY");
    EXPECT_EQ(e.Column.DtSep, "-");
    EXPECT_EQ(e.Column.Control, 1);
    const EditorButtons b = e.Buttons;
    EXPECT_TRUE(b.Save && b.Cancel && b.Del && b.Columns && !b.Left && b.Right);

    // A suffix shows as such and is stored unchanged.
    e.SelectTab(1);
    EXPECT_TRUE(e.Column.AffixOn && e.Column.Suffix && !e.Column.Prefix);
    EXPECT_TRUE(e.StoreDraft(1));
    EXPECT_EQ(e.Columns[1].AffixType, AffixCode::Suffix);
    EXPECT_EQ(e.Columns[1].AffixText, "EUR");
    EXPECT_TRUE(e.Columns[0].Valid);
}

TEST_F(Editor, AFormatThatDoesNotLoadIsLoggedAndCannotBeSaved) {
    e.Buttons.Save = true;
    EXPECT_FALSE(e.LoadFmtIntoEditor("NONE"));
    EXPECT_FALSE(e.Buttons.Save);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], s.lang.Format(LK::err_fmtLoad, {"NONE", s.lang.Text(LK::err_fmtNoLoad)}));
    const auto& log = s.log.Lines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "!  #FMTDEF, FmtLoadDescription returns(-795)  !");
}

TEST_F(Editor, TheTypeDecidesTheDateSeparator) {
    Name(ndNew, "n");
    e.TypeChosen("YYMMDD");
    EXPECT_EQ(e.Column.DtSep, "");
    ASSERT_TRUE(e.StoreDraft(0));
    EXPECT_EQ(e.Columns[0].DtSep, "0");
    e.TypeChosen("DD/MM/YY");
    EXPECT_TRUE(TypeHasDateSep(e.Column.Type));
    EXPECT_EQ(e.Column.DtSep, "");
}

struct GuardCase {
    const char* what;
    bool editCol; // the column separator edited, else the decimal one
    const char* col;
    const char* dec;
    const char* colAfter;
    const char* decAfter;
    const char* sample; // nullptr: unchanged
    LK message;         // LK::Count: the memo emptied
    const char* arg;
};

TEST_F(Editor, SeparatorGuards) {
    const GuardCase cases[] = {
        {"pipe as column separator", true, "|", ".", "", ".", nullptr, LK::hnt_fmtNoPipe, nullptr},
        {"column separator takes the decimal one", true, ",", ",", ",", "", "(000)", LK::hnt_fmtSepIsDec, ","},
        {"plain column separator", true, ";", ",", ";", ",", nullptr, LK::Count, nullptr},
        {"pipe as decimal separator", false, ";", "|", ";", "", "(000)", LK::hnt_fmtNoPipe, nullptr},
        {"decimal separator takes the column one", false, ",", ",", "", ",", "(0 ? 00)", LK::hnt_fmtSepIsCol, ","},
        {"plain decimal separator", false, ";", ".", ";", ".", "(0.00)", LK::Count, nullptr},
    };
    for (const GuardCase& c : cases) {
        e.Memo = {"old"};
        e.General.ColSepText = c.col;
        e.General.DecSepText = c.dec;
        e.General.DecSample = "unchanged";
        c.editCol ? e.ColSepEdited() : e.DecSepEdited();
        EXPECT_EQ(e.General.ColSepText, c.colAfter) << c.what;
        EXPECT_EQ(e.General.DecSepText, c.decAfter) << c.what;
        EXPECT_EQ(e.General.DecSample, c.sample ? c.sample : "unchanged") << c.what;
        if (c.message == LK::Count) {
            EXPECT_TRUE(e.Memo.empty()) << c.what;
        } else {
            const std::string text = c.arg ? s.lang.Format(c.message, {c.arg}) : s.lang.Text(c.message);
            EXPECT_EQ(e.Memo, std::vector<std::string>{s.lang.Text(LK::itm_error) + " " + text}) << c.what;
        }
    }
}

TEST_F(Editor, ColumnButtons) {
    Name(ndModify, "", "Q");
    e.SelectTab(1);
    e.DeleteColumn();
    EXPECT_EQ(e.Tabs, (std::vector<std::string>{"DATE", "TICK"}));
    EXPECT_EQ(e.TabIndex, 0);
    EXPECT_EQ(e.Column.Name, "DATE");
    EXPECT_EQ(e.General.ColCountText, "2");

    // What was typed into the shown column moves with it.
    e.SelectTab(1);
    e.Column.AffixOn = e.Column.Prefix = true;
    e.Column.AffixText = "X";
    e.MoveColumn(-1);
    EXPECT_EQ(e.Tabs, (std::vector<std::string>{"TICK", "DATE"}));
    EXPECT_EQ(e.Columns[0].AffixText, "X");
    EXPECT_EQ(e.TabIndex, 1);
    EXPECT_EQ(e.Column.Name, "DATE");

    e.DeleteColumn();
    e.DeleteColumn(); // the last column stays
    EXPECT_EQ(e.Tabs, std::vector<std::string>{"TICK"});
}

TEST_F(Editor, BlankColumnsAddedAndNeverEditedAreInvalid) {
    Name(ndNew, "n");
    e.Column.Name = "PRICE";
    e.AddColumn();
    e.AddColumn();
    EXPECT_EQ(e.General.ColCountText, "3");
    EXPECT_EQ(e.Tabs, (std::vector<std::string>{kBlankColName, kBlankColName, kBlankColName}));
    EXPECT_EQ(e.TabIndex, 0);
    EXPECT_FALSE(e.Save().Written);
    std::vector<std::string> invalid;
    for (const EditorMessage& m : e.Errors)
        if (m.Key == "BadColDscr") invalid.push_back(m.Text);
    EXPECT_EQ(invalid, (std::vector<std::string>{s.lang.Format(LK::err_fmtDInvalid, {"2", kBlankColName}),
                                                 s.lang.Format(LK::err_fmtDInvalid, {"3", kBlankColName})}));
    EXPECT_EQ(e.Memo.size(), e.Errors.size());
}

TEST_F(Editor, ANewColumnNameJoinsTheChoicesOnce) {
    Name(ndModify, "", "A");
    e.AddColumn();
    e.ColNameEdited("ASK");
    EXPECT_EQ(e.Tabs[0], "ASK");
    e.ColNameEdited("BID"); // a known name still shows on the tab
    EXPECT_EQ(e.Tabs[0], "BID");
    e.ColNameEdited("BIDX");
    e.SelectTab(1);
    e.SelectTab(0);
    EXPECT_EQ(std::count(e.NameList.begin(), e.NameList.end(), "BIDX"), 1);
    EXPECT_EQ(std::count(e.NameList.begin(), e.NameList.end(), "ASK"), 0);
}

TEST_F(Editor, SavingTheFormatInUseDropsItsSelection) {
    s.params.settings.inputFormat = "Q";
    s.params.settings.outputFormat = "A";
    s.formats.Input = s.formats.Output = Format{};
    Name(ndModify, "", "Q");
    e.General.Comment = "changed";
    const FileOutcome r = e.Save();
    EXPECT_TRUE(r.Written && r.Refill);
    EXPECT_EQ(e.Choices.Names, (std::vector<std::string>{"A", "Q"}));
    EXPECT_EQ(e.Choices.InIndex, -1);
    EXPECT_EQ(e.Choices.OutIndex, 0);
    EXPECT_FALSE(s.formats.Input);
    EXPECT_TRUE(s.formats.Output);
    EXPECT_NE(Fmt().find("CMT=changed\r\n"), std::string::npos);
    EXPECT_EQ(messages.shown, std::vector<std::string>{s.lang.Text(LK::msg_FmtDFileUpd)});
    EXPECT_EQ(e.Memo.back(), s.lang.Text(LK::itm_info) + " " + s.lang.Text(LK::msg_NoError));
    EXPECT_EQ(s.log.Lines().back(), " DEF  FMT(Reload)    Ok");
    // A blank page at its start: nothing to save until New, Modify or Model is chosen again.
    EXPECT_EQ(e.Tabs, std::vector<std::string>{kBlankColName});
    EXPECT_EQ(e.EditFmtName, "");
    EXPECT_EQ(e.General.FmtName, "");
    EXPECT_EQ(e.EditStatus, "");
    EXPECT_FALSE(e.Buttons.Save || e.Buttons.Cancel || e.Buttons.Del || e.Buttons.Columns);
}

TEST_F(Editor, DeletionAsksFirst) {
    Name(ndModify, "", "A");
    const std::string before = Fmt();
    messages.answers = {false, true};
    EXPECT_FALSE(e.Delete().Written);
    EXPECT_EQ(Fmt(), before);
    EXPECT_TRUE(e.Buttons.Del);

    EXPECT_TRUE(e.Delete().Refill);
    EXPECT_EQ(messages.confirmed[1], s.lang.Format(LK::msg_fmtDelConf, {"A"}));
    EXPECT_EQ(Fmt(), FmtFileText(kQ));
    EXPECT_EQ(e.Choices.Names, std::vector<std::string>{"Q"});
    EXPECT_EQ(e.EditFmtName, "");
    EXPECT_FALSE(e.Buttons.Save || e.Buttons.Cancel || e.Buttons.Del);
}

struct NameCase {
    const char* what;
    int mode;
    const char* edit1;
    const char* chosen;
    bool close;
    std::string message;
    const char* editName; // EditFmtName afterwards
    const char* model;
};

TEST_F(Editor, NameDialogRules) {
    const LangTexts& l = s.lang;
    const NameCase cases[] = {
        {"new, lower case with a blank", ndNew, "quotes 2", "Q", true, "", "QUOTES 2", ""},
        {"existing once upper-cased", ndNew, "q", "", false, l.Format(LK::msg_fmtNameExists, {"Q"}), "before", "m"},
        {"model with an empty name", ndModel, "", "Q", false, l.Text(LK::msg_fmtFillOrUndo), "before", "m"},
        {"model", ndModel, "b", "Q", true, "", "B", "Q"},
        {"modify takes the list's choice", ndModify, "ignored", "A", true, "", "A", "m"},
        {"accents keep their case", ndNew, "\xE9t\xE9", "", true, "", "\xE9T\xE9", ""},
    };
    for (const NameCase& c : cases) {
        e.EditFmtName = "before";
        e.ModelFmtName = "m";
        e.NameDlgMode = c.mode;
        const NameDlgOutcome r = e.NameDialogOk(c.edit1, c.chosen);
        EXPECT_EQ(r.Close, c.close) << c.what;
        EXPECT_EQ(r.Message, c.message) << c.what;
        EXPECT_EQ(r.ClearEdit1, c.what == cases[1].what) << c.what;
        EXPECT_EQ(e.EditFmtName, c.editName) << c.what;
        EXPECT_EQ(e.ModelFmtName, c.model) << c.what;
    }
    // Nothing to modify or copy in a file without formats.
    WriteFile(dir.file("Lumivex.fmt"), FmtFileText({}));
    EXPECT_FALSE(e.BeginNameDialog(ndModel));
    EXPECT_TRUE(e.BeginNameDialog(ndNew));
    EXPECT_EQ(messages.shown, std::vector<std::string>{l.Text(LK::err_fmtNone)});
}

TEST_F(Editor, ColumnNameKeys) {
    for (char c : std::string("AZaz09_.")) EXPECT_TRUE(ColNameCharOk(c)) << c;
    for (char c : std::string("|- \xE9\r")) EXPECT_FALSE(ColNameCharOk(c)) << c;
}

TEST_F(Editor, ValuesTheFileCannotHoldAreRefusedWhoeverSaves) {
    Name(ndNew, "n");
    e.Column.Name = "P";
    e.Column.Type = "N";
    e.Column.AffixOn = e.Column.Prefix = true;
    e.Column.AffixText = "a|b";
    e.General.Comment = "two\r\nlines";
    const std::string before = Fmt();
    EXPECT_FALSE(e.Save().Written);
    std::vector<std::string> keys;
    for (const EditorMessage& m : e.Errors) keys.push_back(m.Key);
    EXPECT_EQ(keys, (std::vector<std::string>{"SvColPipe", "LineBreak"}));
    EXPECT_EQ(Fmt(), before);

    // The writer itself refuses them too.
    Format w = FormatOf("N", ";", ".", {"P|N|0|0|0|"});
    EXPECT_TRUE(FormatWritable(w));
    w.columns[0].affixText = "a|b";
    EXPECT_FALSE(s.fmtFile.FmtSaveFile(fsmSave, "N", w).Ok());
    w.columns[0].affixText.clear();
    w.headers = {"x\ny"};
    EXPECT_FALSE(s.fmtFile.FmtSaveFile(fsmSave, "N", w).Ok());
    EXPECT_EQ(Fmt(), before);
}

TEST_F(Editor, FormatChoicesSelectTheLastUsedNames) {
    s.formats.Catalogue.FormatNames = {"A", "B", "B", "C"};
    s.params.settings.inputFormat = "B";
    s.params.settings.outputFormat = "C";
    s.formats.Input = s.formats.Output = Format{};
    FormatChoices c = RefillFormatChoices(s.formats, s.params, nullptr);
    EXPECT_EQ(c.InIndex, 2);
    EXPECT_EQ(c.OutIndex, 3);
    EXPECT_TRUE(s.formats.Input && s.formats.Output);
    const std::string skip = "C";
    c = RefillFormatChoices(s.formats, s.params, &skip);
    EXPECT_EQ(c.OutIndex, -1);
    EXPECT_FALSE(s.formats.Output);
    EXPECT_TRUE(s.formats.Input);
}

// Two windows on one folder: what one saved is never replaced by the other without asking.
TEST_F(Editor, AnotherWindowsFormatsAreNeverReplacedSilently) {
    RecordingMessages messagesB;
    Session b(messagesB, trash);
    b.SetProgramDir(dir.path());
    b.fmtFile.FmtLoadList(); // B's list as it started
    FormatEditorModel& eb = b.editor;
    auto saveNew = [](FormatEditorModel& ed, const std::string& name, const std::string& comment) {
        EXPECT_TRUE(ed.BeginNameDialog(ndNew));
        EXPECT_TRUE(ed.NameDialogOk(name, "").Close);
        ed.NameAccepted();
        ed.General.Comment = comment;
        ed.Column.Name = "P";
        return ed.Save();
    };

    // A name A has added meanwhile is refused by B's name dialog.
    saveNew(e, "n", "by a");
    ASSERT_TRUE(eb.BeginNameDialog(ndNew));
    EXPECT_EQ(eb.NameDialogOk("n", "").Message, b.lang.Format(LK::msg_fmtNameExists, {"N"}));

    // Taken after B's dialog: B is asked, and Cancel loads A's format for modification.
    ASSERT_TRUE(eb.BeginNameDialog(ndNew));
    ASSERT_TRUE(eb.NameDialogOk("m", "").Close);
    eb.NameAccepted();
    saveNew(e, "m", "by a");
    const std::string withA = Fmt();
    eb.Column.Name = "P";
    messagesB.answers = {false};
    const FileOutcome r = eb.Save();
    EXPECT_TRUE(!r.Written && r.Refill);
    EXPECT_EQ(messagesB.confirmed.back(), b.lang.Format(LK::msg_fmtAddedElsewhere, {"M"}));
    EXPECT_EQ(Fmt(), withA);
    EXPECT_EQ(eb.NameDlgMode, ndModify);
    EXPECT_EQ(eb.General.Comment, "by a");
    EXPECT_EQ(eb.Choices.Names, (std::vector<std::string>{"A", "M", "N", "Q"}));

    // Changed by A since B loaded it: OK replaces it with B's.
    Name(ndModify, "", "M");
    e.General.Comment = "changed by a";
    ASSERT_TRUE(e.Save().Written);
    eb.General.Comment = "changed by b";
    messagesB.answers = {true};
    EXPECT_TRUE(eb.Save().Written);
    EXPECT_EQ(messagesB.confirmed.back(), b.lang.Format(LK::msg_fmtChangedElsewhere, {"M"}));
    EXPECT_NE(Fmt().find("CMT=changed by b\r\n"), std::string::npos);
    EXPECT_EQ(Fmt().find("CMT=changed by a\r\n"), std::string::npos);

    // Deleted by A: Cancel drops B's definition and leaves the page at its start.
    Name(ndModify, "", "N");
    ASSERT_TRUE(eb.BeginNameDialog(ndModify));
    ASSERT_TRUE(eb.NameDialogOk("", "N").Close);
    eb.NameAccepted();
    messages.answers = {true};
    ASSERT_TRUE(e.Delete().Written);
    messagesB.answers = {false};
    EXPECT_FALSE(eb.Save().Written);
    EXPECT_EQ(messagesB.confirmed.back(), b.lang.Format(LK::msg_fmtDeletedElsewhere, {"N"}));
    EXPECT_EQ(Fmt().find("NOM=N\r\n"), std::string::npos);
    EXPECT_FALSE(eb.Buttons.Save);
    EXPECT_EQ(eb.EditFmtName, "");
}

} // namespace
} // namespace lmx::test

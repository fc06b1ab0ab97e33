// The format editor page and the name dialog driven by their controls; the rules themselves are
// tested in the core. Dialogs are answered in advance.
#include "UiFixture.h"

#include "common/Basics.h"
#include "core/FormatCheck.h"
#include "ui/FormatNameDialog.h"
#include "ui/MainWindow.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/QtBridge.h"
#include "ui/ResultViews.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace lmx {
namespace {

using test::CrLf;
using test::ReadFile;
using test::WriteFile;

const std::vector<std::string> kIn{"NOM=IN", "CMT=in", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=DATE|/DD/MM/YYYY|0|1|0|",
                                   "COL=CLOSE|N|0|0|0|", "COL=TICK|AN|0|0|0|"};
const std::vector<std::string> kX{"NOM=X", "CMT=x", "CLC=1", "SEP=;", "DEC=.", "IFL=0", "COL=TICK|AN|0|0|0|"};

std::string FileOf(const std::vector<std::vector<std::string>>& blocks) {
    std::vector<std::string> lines;
    for (const auto& b : blocks) lines.insert(lines.end(), b.begin(), b.end());
    return FileBanner(bkFormats) + "\r\n" + CrLf(lines);
}

class FormatEditor : public ::testing::Test {
protected:
    FormatEditor() {
        WriteFile(p.path("Lumivex.fmt"), FileOf({kIn, kX}));
        p.session.SetProgramDir(p.dir.path());
        p.params.Defaults();
        p.params.settings.inputFormat = "IN";
        p.params.Save();
    }
    void Open() {
        form = p.Open();
        form->show();
        page = form->formatEditorPage;
        form->pages->setCurrentIndex(1);
    }
    template <class W> W* Get(const char* name) { return test::Find<W>(*page, name); }
    void Click(const char* name) { test::Click(*page, name); }
    void Type(const char* name, const QString& text) {
        QWidget* w = page->findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            box->lineEdit()->selectAll(); // typed over the name shown
            w = box->lineEdit();
        }
        QTest::keyClicks(w, text);
        QCoreApplication::processEvents();
    }
    void Tab(int index) { Get<QTabBar>(names::kColumnTabs)->setCurrentIndex(index); }
    void ChooseType(const char* type) {
        Get<QComboBox>(names::kTypeBox)->setCurrentText(QString::fromLatin1(type));
    }
    std::string Memo3() { return Cp(Get<QPlainTextEdit>(names::kNotesMemo)->toPlainText()); }
    std::vector<std::string> Tabs() {
        std::vector<std::string> t;
        for (int i = 0; i < page->columnTabs->count(); ++i) t.push_back(page->columnTabs->tabText(i).toStdString());
        return t;
    }

    test::Program p;
    std::unique_ptr<MainWindow> form;
    FormatEditorPage* page = nullptr;
};

TEST_F(FormatEditor, ANewFormatIsTypedSavedChosenAndUsed) {
    Open();
    EXPECT_EQ(form->StatusText(4).toStdString(), "D\xC3\xA9" "finition des formats");
    EXPECT_FALSE(Get<QWidget>(names::kSaveFormatButton)->isEnabled());
    p.dialogs.nameAnswers.push_back({true, "out", ""});
    Click(names::kNewFormatButton);
    EXPECT_EQ(p.dialogs.nameModes, std::vector<int>{ndNew});
    EXPECT_EQ(Get<QLineEdit>(names::kFormatNameEdit)->text().toStdString(), "OUT");
    Type(names::kCommentEdit, "sortie");

    Type(names::kColumnNameBox, "da-te"); // "-" is no name character; a to z show in upper case
    EXPECT_EQ(Tabs(), std::vector<std::string>{"DATE"});
    ChooseType("DD/MM/YYYY");
    EXPECT_FALSE(Get<QLineEdit>(names::kDateSepEdit)->isHidden());
    Type(names::kDateSepEdit, "-");
    Click(names::kAddColumnButton);
    Click(names::kAddColumnButton);
    EXPECT_EQ(Get<QLineEdit>(names::kColumnCountEdit)->text().toStdString(), "3");

    Tab(1);
    Type(names::kColumnNameBox, "close");
    ChooseType("N");
    Get<QCheckBox>(names::kAffixBox)->click();
    Get<QRadioButton>(names::kPrefixRadio)->click();
    Type(names::kAffixEdit, "E|UR"); // the bar would be cut off on reading: refused, and said in Memo3
    EXPECT_EQ(Get<QLineEdit>(names::kAffixEdit)->text().toStdString(), "EUR");
    EXPECT_EQ(Memo3(), "Erreur  :  " + p.lang.Text(LK::hnt_fmtNoPipe));

    Tab(2);
    Type(names::kColumnNameBox, "tick");
    ChooseType("AN");
    Get<QCheckBox>(names::kCaseBox)->click();
    Get<QRadioButton>(names::kUpperRadio)->click();
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"DATE", "CLOSE", "TICK"}));

    p.dialogs.shown.clear();
    Click(names::kSaveFormatButton);
    ASSERT_EQ(p.dialogs.shown, std::vector<std::string>{p.lang.Text(LK::msg_FmtDFileUpd)});
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")),
              FileOf({kIn, kX, {"NOM=OUT", "CMT=sortie", "CLC=3", "SEP=;", "DEC=.", "IFL=0", "COL=DATE|-DD/MM/YYYY|0|0|0|",
                                "COL=CLOSE|N|0|0|1|EUR", "COL=TICK|AN|1|0|0|"}}));
    EXPECT_EQ(Tabs(), std::vector<std::string>{"--\x3F\x3F\x3F--"}); // a blank page after the save
    // ... at its start: New, Modify or Model comes before another save.
    for (const char* off : {names::kSaveFormatButton, names::kUndoFormatButton, names::kDeleteFormatButton,
                            names::kDeleteColumnButton, names::kAddColumnButton})
        EXPECT_FALSE(Get<QWidget>(off)->isEnabled()) << off;
    EXPECT_EQ(Get<QLineEdit>(names::kFormatNameEdit)->text().toStdString(), "");
    EXPECT_EQ(p.session.editor.EditFmtName, "");

    // The conversion page offers the new format; chosen, it converts.
    auto* out = form->findChild<QComboBox*>(names::kOutputFormatBox);
    ASSERT_EQ(out->count(), 3);
    EXPECT_EQ(form->findChild<QComboBox*>(names::kInputFormatBox)->currentText().toStdString(), "IN");
    out->setCurrentText("OUT");
    emit out->activated(out->currentIndex());
    EXPECT_TRUE(p.formats.Output);
    WriteFile(p.path("q.txt"), CrLf({"01/02/2024;12,5;abc"}));
    p.Choose(*form, {p.path("q.txt")});
    test::Convert(*form);
    EXPECT_EQ(ReadFile(p.path("q_conv.txt")), "01-02-2024;EUR12.5;ABC\r\n");
}

TEST_F(FormatEditor, ANewFormatFromAModel) {
    Open();
    p.dialogs.nameAnswers.push_back({true, "copy", "IN"});
    Click(names::kModelFormatButton);
    EXPECT_EQ(page->hintLabel->text().toStdString(), "Definition du nouveau format : COPY \xC3\xA0 partir du mod\xC3\xA8le IN.");
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"DATE", "CLOSE", "TICK"}));
    EXPECT_FALSE(Get<QWidget>(names::kDeleteFormatButton)->isEnabled());
    Click(names::kSaveFormatButton);
    std::vector<std::string> copy = kIn;
    copy[0] = "NOM=COPY";
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")), FileOf({kIn, kX, copy}));
}

TEST_F(FormatEditor, AModifiedFormatIsRewrittenAndTheOldFileKept) {
    const std::string dir = p.dir.path();
    for (const char* picture : {"LG.bmp", "LR.bmp"})
        std::filesystem::copy_file(std::string(LUMIVEX_SOURCE_DIR) + "/data/" + picture, dir + picture);
    Open();
    const std::string before = ReadFile(p.path("Lumivex.fmt"));
    p.dialogs.nameAnswers.push_back({true, "", "IN"});
    Click(names::kModifyFormatButton);
    EXPECT_TRUE(page->TabMarksOn());
    EXPECT_FALSE(page->columnTabs->tabIcon(0).isNull());
    EXPECT_FALSE(Get<QWidget>(names::kMoveLeftButton)->isEnabled());
    Tab(1);
    Click(names::kMoveLeftButton); // CLOSE before DATE
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"CLOSE", "DATE", "TICK"}));
    Tab(2);
    Click(names::kDeleteColumnButton); // TICK goes
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"CLOSE", "DATE"}));
    EXPECT_EQ(page->columnTabs->currentIndex(), 1);
    Click(names::kSaveFormatButton);
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")),
              FileOf({kX, {"NOM=IN", "CMT=in", "CLC=2", "SEP=;", "DEC=,", "IFL=0", "COL=CLOSE|N|0|0|0|",
                           "COL=DATE|/DD/MM/YYYY|0|1|0|"}}));
    EXPECT_EQ(ReadFile(p.path("Lumivex.old")), before);
    // The format in use changed: it must be chosen again.
    EXPECT_EQ(form->findChild<QComboBox*>(names::kInputFormatBox)->currentIndex(), -1);
    EXPECT_FALSE(p.formats.Input);
}

// Quotes, the grouping separator and a number's suffix and percent: shown, then saved.
TEST_F(FormatEditor, FieldOptionsShownAndSaved) {
    WriteFile(p.path("Lumivex.fmt"),
              FileOf({kX, {"NOM=Q", "CMT=", "CLC=2", "SEP=,", "DEC=.", "IFL=0", "GUI=1", "MIL= ", "COL=V|NK|0|0|0|",
                           "COL=D|/MM/DD/YYYY|0|0|0|"}}));
    Open();
    p.dialogs.nameAnswers.push_back({true, "", "Q"});
    Click(names::kModifyFormatButton);
    EXPECT_EQ(Get<QComboBox>(names::kQuoteBox)->currentIndex(), 1);
    EXPECT_EQ(Get<QLineEdit>(names::kGroupingEdit)->text().toStdString(), " ");
    EXPECT_TRUE(Get<QCheckBox>(names::kScaleBox)->isChecked());
    EXPECT_FALSE(Get<QCheckBox>(names::kPercentBox)->isChecked());
    Get<QCheckBox>(names::kPercentBox)->click();
    Tab(1); // a date reads neither
    EXPECT_TRUE(Get<QCheckBox>(names::kScaleBox)->isHidden());
    Get<QComboBox>(names::kQuoteBox)->setCurrentIndex(2);
    Get<QLineEdit>(names::kGroupingEdit)->clear();
    Type(names::kGroupingEdit, "'");
    Click(names::kSaveFormatButton);
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")),
              FileOf({kX, {"NOM=Q", "CMT=", "CLC=2", "SEP=,", "DEC=.", "IFL=0", "GUI=2", "MIL='", "COL=V|NK%|0|0|0|",
                           "COL=D|/MM/DD/YYYY|0|0|0|"}}));
}

TEST_F(FormatEditor, EmptyHeaderLinesSurviveASaveWithoutEdits) {
    for (const char* hdr : {"IFL=1|HDR=", "IFL=2|HDR=Title|HDR="}) {
        std::vector<std::string> block{"NOM=H", "CMT=", "CLC=1", "SEP=;", "DEC=."};
        for (const QString& l : QString::fromLatin1(hdr).split(u'|')) block.push_back(l.toStdString());
        block.push_back("COL=TICK|AN|0|0|0|");
        WriteFile(p.path("Lumivex.fmt"), FileOf({kIn, block})); // the last block: a save puts it back there
        form.reset();
        Open();
        p.dialogs.nameAnswers.push_back({true, "", "H"});
        Click(names::kModifyFormatButton);
        p.dialogs.shown.clear();
        Click(names::kSaveFormatButton);
        EXPECT_EQ(p.dialogs.shown, std::vector<std::string>{p.lang.Text(LK::msg_FmtDFileUpd)});
        EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")), FileOf({kIn, block}));
    }
}

TEST_F(FormatEditor, AFormatFileKeptElsewhereThroughALinkIsBackedUpAndStaysLinked) {
    const std::string synced = p.path("synced.fmt");
    std::filesystem::rename(p.path("Lumivex.fmt"), synced);
    std::filesystem::create_symlink(synced, p.path("Lumivex.fmt"));
    Open();
    const std::string before = ReadFile(synced);
    p.dialogs.nameAnswers.push_back({true, "", "IN"});
    Click(names::kModifyFormatButton);
    Click(names::kSaveFormatButton); // IN moves to the end
    EXPECT_EQ(ReadFile(p.path("Lumivex.old")), before);
    EXPECT_EQ(ReadFile(synced), FileOf({kX, kIn}));
    EXPECT_TRUE(std::filesystem::is_symlink(p.path("Lumivex.fmt")));
}

TEST_F(FormatEditor, DeletionCancelledThenConfirmed) {
    Open();
    p.dialogs.nameAnswers.push_back({true, "", "X"});
    Click(names::kModifyFormatButton);
    const std::string before = ReadFile(p.path("Lumivex.fmt"));
    p.dialogs.confirmAnswers = {false, true};
    Click(names::kDeleteFormatButton);
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")), before);
    Click(names::kDeleteFormatButton);
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")), FileOf({kIn}));
    EXPECT_EQ(form->findChild<QComboBox*>(names::kInputFormatBox)->count(), 1);
    EXPECT_EQ(form->findChild<QComboBox*>(names::kInputFormatBox)->currentText().toStdString(), "IN");
    for (const char* off : {names::kSaveFormatButton, names::kUndoFormatButton, names::kDeleteFormatButton})
        EXPECT_FALSE(Get<QWidget>(off)->isEnabled()) << off;
}

TEST_F(FormatEditor, AnInvalidSaveListsItsMessages) {
    Open();
    p.dialogs.nameAnswers.push_back({true, "bad", ""});
    Click(names::kNewFormatButton);
    Type(names::kSeparatorEdit, ",");
    Type(names::kDecimalEdit, ","); // the column separator gives way
    EXPECT_EQ(Get<QLineEdit>(names::kSeparatorEdit)->text().toStdString(), "");
    EXPECT_EQ(Get<QLabel>(names::kDecimalSample)->text().toStdString(), "(0 ? 00)");
    const std::string before = ReadFile(p.path("Lumivex.fmt"));
    Click(names::kSaveFormatButton);
    EXPECT_EQ(ReadFile(p.path("Lumivex.fmt")), before);
    std::string expected;
    for (const std::string& line : ErrListToMemo(&p.session.editor.Errors)) expected += (expected.empty() ? "" : "\n") + line;
    EXPECT_EQ(Memo3(), expected);
    EXPECT_NE(Memo3().find(p.lang.Text(LK::err_fmtDColSep)), std::string::npos);
}

TEST_F(FormatEditor, TheNameDialogByMode) {
    FormatEditorModel& e = p.session.editor;
    p.session.fmtFile.FmtLoadList();
    test::RecordingMessages messages;
    FormatNameDialog dlg(e, p.formats, p.lang, messages);
    e.NameDlgMode = ndNew;
    dlg.show();
    EXPECT_FALSE(dlg.formatBox->isEnabled());
    EXPECT_FALSE(dlg.okButton->isEnabled());
    QTest::keyClicks(dlg.nameEdit, "in");
    QKeyEvent outside(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xC4\x80"));
    QApplication::sendEvent(dlg.nameEdit, &outside); // a sign outside Windows-1252 is refused
    EXPECT_EQ(dlg.nameEdit->text().toStdString(), "in");
    EXPECT_TRUE(dlg.okButton->isEnabled());
    QTest::mouseClick(dlg.okButton, Qt::LeftButton);
    EXPECT_EQ(messages.shown, std::vector<std::string>{p.lang.Format(LK::msg_fmtNameExists, {"IN"})});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.nameEdit->text().toStdString(), "");
    QTest::keyClicks(dlg.nameEdit, "new");
    QTest::mouseClick(dlg.okButton, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(e.EditFmtName, "NEW");

    e.NameDlgMode = ndModify;
    dlg.show();
    EXPECT_EQ(test::Caption(dlg.listCaption->text()), "Nom du format \xC3\xA0 modifier :");
    EXPECT_EQ(dlg.formatBox->count(), 2);
    EXPECT_EQ(dlg.formatBox->currentText().toStdString(), "IN");
    EXPECT_FALSE(dlg.nameEdit->isEnabled());
    QTest::mouseClick(dlg.okButton, Qt::LeftButton);
    EXPECT_EQ(e.EditFmtName, "IN");

    e.NameDlgMode = ndModel;
    dlg.show();
    EXPECT_TRUE(dlg.okButton->isEnabled());
    QTest::mouseClick(dlg.cancelButton, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(e.EditFmtName, "IN");

    e.NameDlgMode = ndNew; // the name kept from the last use: any key released in it enables OK
    dlg.nameEdit->setText("kept");
    dlg.show();
    EXPECT_FALSE(dlg.okButton->isEnabled());
    QTest::keyClick(dlg.nameEdit, Qt::Key_End);
    EXPECT_TRUE(dlg.okButton->isEnabled());
}

} // namespace
} // namespace lmx

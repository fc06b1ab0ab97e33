// The format editor page: controls to editor and back, the tab marks, the buttons' handlers.
#include "ui/FormatEditorPage.h"

#include "common/Text.h"
#include "common/UCommuns.h"
#include "core/UFmtEditor.h"
#include "env/ULang.h"
#include "ui/UDialogs.h"
#include "ui/UQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QBitmap>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>

namespace lmx {

namespace {

void SetText(QLineEdit* e, const std::string& text) {
    const QString t = Qs(text);
    if (e->text() == t) return; // an unchanged text keeps the cursor where the user left it
    e->setText(t);
    e->setCursorPosition(0); // a long comment shows its beginning
}

// White when the field can be typed into, the given grey when not.
void Shade(QWidget* w, bool enabled, const QColor& off) {
    w->setEnabled(enabled);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, enabled ? QColor(Qt::white) : off);
    w->setPalette(p);
}

// Both buttons of a pair may be off: the group lets go of its rule while they are set.
void CheckPair(QRadioButton* a, bool onA, QRadioButton* b, bool onB, bool enabled) {
    QButtonGroup* g = a->group();
    if (g) g->setExclusive(false);
    a->setChecked(onA);
    b->setChecked(onB);
    if (g) g->setExclusive(true);
    a->setEnabled(enabled);
    b->setEnabled(enabled);
}

// A memo's lines as the file keeps them: none for an empty memo, no empty line after a last line end.
std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return lines;
    QStringList parts = text.split(QChar(u'\n'));
    if (parts.size() > 1 && parts.back().isEmpty()) parts.removeLast();
    for (const QString& p : parts) lines.push_back(Cp(p));
    return lines;
}

// A tab mark: 9 x 9, the colour of its top left pixel (the picture's background) let through.
QPixmap Mark(const QPixmap& picture) {
    QPixmap mark = picture.scaled(9, 9);
    const QColor background = mark.toImage().pixelColor(0, 0);
    mark.setMask(mark.createMaskFromColor(background));
    return mark;
}

// The memo's text for lines: each one ends with a line end, so that MemoLines gives them back
// whole, a last empty line and a lone empty line included.
QString JoinLines(const std::vector<std::string>& lines) {
    QString out;
    for (const std::string& l : lines) out += Qs(l) + QChar(u'\n');
    return out;
}

} // namespace

void FormatEditorPage::FillLists() {
    const QSignalBlocker b6(ComboBox6), b7(ComboBox7);
    ComboBox6->clear();
    ComboBox6->addItems({QStringLiteral("N"), QStringLiteral("AN")});
    for (std::string_view layout : DateLayouts()) ComboBox6->addItem(Qs(std::string(layout)));
    ComboBox6->setCurrentIndex(0);
    ComboBox7->clear();
    ComboBox7->addItems({QString(), QString()});
    ShowControlItems();
    const int control = ed_.Column.Control;
    ComboBox7->setCurrentIndex(control >= 0 && control < ComboBox7->count() ? control : -1);
}

void FormatEditorPage::LoadTabMarks(const std::string& programDir) {
    const QPixmap lg(PathText(programDir + "LG.bmp")), lr(PathText(programDir + "LR.bmp"));
    marksOn_ = !lg.isNull() && !lr.isNull();
    if (marksOn_) {
        valid_ = Mark(lg);
        invalid_ = Mark(lr);
    }
    ShowTabs();
}

bool FormatEditorPage::RefreshTabMarks(int n) {
    if (!marksOn_) return false;
    if (valid_.isNull() || invalid_.isNull()) {
        marksOn_ = false; // until the program ends
        for (int i = 0; i < TabControl1->count(); ++i) TabControl1->setTabIcon(i, QIcon());
        return false;
    }
    for (int i = 0; i < n && i < TabControl1->count(); ++i) {
        const bool valid = ed_.Columns[static_cast<std::size_t>(i)].Valid;
        TabControl1->setTabIcon(i, QIcon(valid ? valid_ : invalid_));
    }
    return true;
}

void FormatEditorPage::PageShown() { Label8->setText(Qs(lang_.Text(LK::hnt_fmtEntry))); }

void FormatEditorPage::Collect() {
    FmtGeneralValues& g = ed_.General;
    g.Comment = Cp(Edit3->text());
    g.TabSep = CheckBox5->isChecked();
    g.ColSepText = Cp(Edit13->text());
    g.DecSepText = Cp(Edit14->text());
    g.JmpLinesText = Cp(Edit4->text());
    g.HdrOn = CheckBox1->isChecked();
    g.HdrLines = MemoLines(Memo2);
    ColumnValues& c = ed_.Column;
    c.Name = Cp(ComboBox3->currentText());
    if (ComboBox6->currentIndex() >= 0) c.Type = Cp(ComboBox6->currentText());
    c.DtSep = Cp(Edit7->text());
    c.FixeOn = CheckBox2->isChecked();
    c.Prefix = RadioButton1->isChecked();
    c.Suffix = RadioButton2->isChecked();
    c.FixeText = Cp(Edit5->text());
    c.CasseOn = CheckBox3->isChecked();
    c.Upper = RadioButton3->isChecked();
    c.Lower = RadioButton4->isChecked();
    // A control the list does not offer ("if not empty") stays as the file has it.
    if (ComboBox7->currentIndex() >= 0) c.Control = ComboBox7->currentIndex();
}

void FormatEditorPage::Act(const std::function<void()>& op) {
    if (showing_) return;
    Collect();
    op();
    ShowEditor();
}

void FormatEditorPage::ShowGeneral() {
    const FmtGeneralValues& g = ed_.General;
    SetText(Edit6, g.FmtName);
    SetText(Edit3, g.Comment);
    SetText(Edit9, g.ColCountText);
    CheckBox5->setChecked(g.TabSep);
    SetText(Edit13, g.ColSepText);
    SetText(Edit14, g.DecSepText);
    Label28->setText(Qs(g.DecSample));
    SetText(Edit4, g.JmpLinesText);
    CheckBox1->setChecked(g.HdrOn);
    const QString hdr = JoinLines(g.HdrLines);
    if (JoinLines(MemoLines(Memo2)) != hdr) Memo2->setPlainText(hdr);
    Shade(Memo2, g.HdrOn, QColor(192, 192, 192));
}

void FormatEditorPage::ShowColumn() {
    const ColumnValues& c = ed_.Column;
    QStringList names;
    for (const std::string& n : ed_.NameList) names << Qs(n);
    QStringList shown;
    for (int i = 0; i < ComboBox3->count(); ++i) shown << ComboBox3->itemText(i);
    if (shown != names) {
        ComboBox3->clear();
        ComboBox3->addItems(names);
    }
    if (ComboBox3->currentText() != Qs(c.Name)) ComboBox3->setEditText(Qs(c.Name));
    const int type = ComboBox6->findText(Qs(c.Type));
    if (type >= 0) ComboBox6->setCurrentIndex(type);
    const bool dated = TypeHasDateSep(c.Type);
    Edit7->setVisible(dated);
    Label48->setEnabled(dated);
    SetText(Edit7, c.DtSep);
    ComboBox7->setCurrentIndex(c.Control >= 0 && c.Control < ComboBox7->count() ? c.Control : -1);
    CheckBox2->setChecked(c.FixeOn);
    CheckPair(RadioButton1, c.Prefix, RadioButton2, c.Suffix, c.FixeOn);
    SetText(Edit5, c.FixeText);
    Shade(Edit5, c.FixeOn, QColor(128, 128, 128));
    CheckBox3->setChecked(c.CasseOn);
    CheckPair(RadioButton3, c.Upper, RadioButton4, c.Lower, c.CasseOn);
}

void FormatEditorPage::ShowTabs() {
    const QSignalBlocker block(TabControl1);
    const int n = static_cast<int>(ed_.Tabs.size());
    while (TabControl1->count() > n) TabControl1->removeTab(TabControl1->count() - 1);
    while (TabControl1->count() < n) TabControl1->addTab(QString());
    for (int i = 0; i < n; ++i) TabControl1->setTabText(i, Qs(ed_.Tabs[static_cast<std::size_t>(i)]));
    if (ed_.TabIndex >= 0 && ed_.TabIndex < n) TabControl1->setCurrentIndex(ed_.TabIndex);
    RefreshTabMarks(std::min(n, static_cast<int>(ed_.Columns.size())));
}

void FormatEditorPage::ShowEditor() {
    showing_ = true;
    const QSignalBlocker b3(ComboBox3), b6(ComboBox6);
    ShowGeneral();
    ShowColumn();
    ShowTabs();
    const EditorButtons& b = ed_.Buttons;
    BitBtn7->setEnabled(b.Save);
    BitBtn8->setEnabled(b.Cancel);
    BitBtn9->setEnabled(b.Del);
    BitBtn20->setEnabled(b.Columns);
    BitBtn22->setEnabled(b.Columns);
    BitBtn21->setEnabled(b.Columns && b.Left);
    BitBtn23->setEnabled(b.Columns && b.Right);
    QStringList memo;
    for (const std::string& line : ed_.Memo) memo << Qs(line);
    Memo3->setPlainText(memo.join(QChar(u'\n')));
    showing_ = false;
}

void FormatEditorPage::AskName(int mode) {
    bool accepted = false;
    Act([&] {
        if (!ed_.BeginNameDialog(mode) || !dialogs_.AskFormatName(ed_)) return;
        ed_.NameAccepted();
        accepted = true;
    });
    if (accepted) Label8->setText(Qs(ed_.EditStatus));
}

void FormatEditorPage::EnterState(int mode, const std::string& name) {
    Act([&] {
        ed_.NameDlgMode = mode;
        ed_.EditFmtName = name;
        ed_.ModelFmtName.clear();
        ed_.NameAccepted();
    });
    Label8->setText(Qs(ed_.EditStatus));
}

void FormatEditorPage::BitBtn6Click() { AskName(ndNew); }
void FormatEditorPage::BitBtn15Click() { AskName(ndModel); }
void FormatEditorPage::BitBtn16Click() { AskName(ndModify); }

void FormatEditorPage::AfterFileChange(bool refill) {
    Label8->setText(Qs(ed_.EditStatus));
    if (refill && OnFormatChoices) OnFormatChoices(ed_.Choices);
}

void FormatEditorPage::BitBtn7Click() {
    FileOutcome r;
    Act([&] { r = ed_.Save(); });
    AfterFileChange(r.Refill);
}

void FormatEditorPage::BitBtn8Click() {
    Act([&] { ed_.CancelEdits(); });
}

void FormatEditorPage::BitBtn9Click() {
    FileOutcome r;
    Act([&] { r = ed_.Delete(); });
    AfterFileChange(r.Refill);
}

void FormatEditorPage::BitBtn20Click() {
    Act([&] { ed_.DeleteColumn(); });
}
void FormatEditorPage::BitBtn21Click() {
    Act([&] { ed_.MoveColumn(-1); });
}
void FormatEditorPage::BitBtn22Click() {
    Act([&] { ed_.AddColumn(); });
}
void FormatEditorPage::BitBtn23Click() {
    Act([&] { ed_.MoveColumn(1); });
}

void FormatEditorPage::StepSkip(int step) {
    int32_t n = 0;
    if (!StrToInt32(Cp(Edit4->text()), n)) n = 0;
    n = std::clamp(n + step, 0, 32000);
    Edit4->setText(QString::number(n));
}

} // namespace lmx

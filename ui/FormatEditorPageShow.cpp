// The format editor page: controls to editor and back, the tab marks, the buttons' handlers.
#include "ui/FormatEditorPage.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "model/FormatEditorModel.h"
#include "env/LangTexts.h"
#include "ui/Dialogs.h"
#include "ui/QtBridge.h"

#include <QButtonGroup>

#include <algorithm>
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

// White when the field can be typed into, the given grey when not; its text readable on either.
void Shade(QWidget* w, bool enabled, const QColor& off) {
    w->setEnabled(enabled);
    SetReadableBackground(w, QPalette::Base, enabled ? QColor(Qt::white) : off, QPalette::Text);
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
    const QSignalBlocker b6(typeBox), b7(controlBox);
    typeBox->clear();
    typeBox->addItems({QStringLiteral("N"), QStringLiteral("AN")});
    for (std::string_view layout : DateLayouts()) typeBox->addItem(Qs(std::string(layout)));
    typeBox->setCurrentIndex(0);
    controlBox->clear();
    controlBox->addItems({QString(), QString()});
    ShowControlItems();
    const int control = ed_.Column.Control;
    controlBox->setCurrentIndex(control >= 0 && control < controlBox->count() ? control : -1);
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
        for (int i = 0; i < columnTabs->count(); ++i) columnTabs->setTabIcon(i, QIcon());
        return false;
    }
    for (int i = 0; i < n && i < columnTabs->count(); ++i) {
        const bool valid = ed_.Columns[static_cast<std::size_t>(i)].Valid;
        columnTabs->setTabIcon(i, QIcon(valid ? valid_ : invalid_));
    }
    return true;
}

void FormatEditorPage::PageShown() { hintLabel->setText(Qs(lang_.Text(LK::hnt_fmtEntry))); }

void FormatEditorPage::Collect() {
    FmtGeneralValues& g = ed_.General;
    g.Comment = Cp(commentEdit->text());
    g.TabSep = tabSeparatorBox->isChecked();
    g.ColSepText = Cp(separatorEdit->text());
    g.DecSepText = Cp(decimalEdit->text());
    g.JmpLinesText = Cp(skipEdit->text());
    g.HdrOn = headerBox->isChecked();
    g.HdrLines = MemoLines(headerMemo);
    g.Quoting = static_cast<QuoteMode>(std::max(0, quoteBox->currentIndex()));
    g.GroupSepText = Cp(groupEdit->text());
    ColumnValues& c = ed_.Column;
    c.Name = Cp(columnNameBox->currentText());
    if (typeBox->currentIndex() >= 0) c.Type = Cp(typeBox->currentText());
    c.DtSep = Cp(dateSepEdit->text());
    c.AffixOn = affixBox->isChecked();
    c.Prefix = prefixRadio->isChecked();
    c.Suffix = suffixRadio->isChecked();
    c.AffixText = Cp(affixEdit->text());
    c.CaseOn = caseBox->isChecked();
    c.Upper = upperRadio->isChecked();
    c.Lower = lowerRadio->isChecked();
    c.Scaled = scaleBox->isChecked();
    c.Percent = percentBox->isChecked();
    // A control the list does not offer ("if not empty") stays as the file has it.
    if (controlBox->currentIndex() >= 0) c.Control = controlBox->currentIndex();
}

void FormatEditorPage::Act(const std::function<void()>& op) {
    if (showing_) return;
    Collect();
    op();
    ShowEditor();
}

void FormatEditorPage::ShowGeneral() {
    const FmtGeneralValues& g = ed_.General;
    SetText(nameEdit, g.FmtName);
    SetText(commentEdit, g.Comment);
    SetText(columnCountEdit, g.ColCountText);
    tabSeparatorBox->setChecked(g.TabSep);
    SetText(separatorEdit, g.ColSepText);
    SetText(decimalEdit, g.DecSepText);
    decimalSample->setText(Qs(g.DecSample));
    SetText(skipEdit, g.JmpLinesText);
    SetText(groupEdit, g.GroupSepText);
    quoteBox->setCurrentIndex(static_cast<int>(g.Quoting));
    headerBox->setChecked(g.HdrOn);
    const QString hdr = JoinLines(g.HdrLines);
    if (JoinLines(MemoLines(headerMemo)) != hdr) headerMemo->setPlainText(hdr);
    Shade(headerMemo, g.HdrOn, QColor(192, 192, 192));
}

void FormatEditorPage::ShowColumn() {
    const ColumnValues& c = ed_.Column;
    QStringList names;
    for (const std::string& n : ed_.NameList) names << Qs(n);
    QStringList shown;
    for (int i = 0; i < columnNameBox->count(); ++i) shown << columnNameBox->itemText(i);
    if (shown != names) {
        columnNameBox->clear();
        columnNameBox->addItems(names);
    }
    if (columnNameBox->currentText() != Qs(c.Name)) columnNameBox->setEditText(Qs(c.Name));
    const int type = typeBox->findText(Qs(c.Type));
    if (type >= 0) typeBox->setCurrentIndex(type);
    const bool dated = TypeHasDateSep(c.Type);
    dateSepEdit->setVisible(dated);
    dateSepCaption->setEnabled(dated);
    SetText(dateSepEdit, c.DtSep);
    // Only a number reads a suffix or a percent sign.
    const bool number = c.Type == "N";
    scaleBox->setChecked(number && c.Scaled);
    percentBox->setChecked(number && c.Percent);
    scaleBox->setVisible(number);
    percentBox->setVisible(number);
    controlBox->setCurrentIndex(c.Control >= 0 && c.Control < controlBox->count() ? c.Control : -1);
    affixBox->setChecked(c.AffixOn);
    CheckPair(prefixRadio, c.Prefix, suffixRadio, c.Suffix, c.AffixOn);
    SetText(affixEdit, c.AffixText);
    Shade(affixEdit, c.AffixOn, QColor(128, 128, 128));
    caseBox->setChecked(c.CaseOn);
    CheckPair(upperRadio, c.Upper, lowerRadio, c.Lower, c.CaseOn);
}

void FormatEditorPage::ShowTabs() {
    const QSignalBlocker block(columnTabs);
    const int n = static_cast<int>(ed_.Tabs.size());
    while (columnTabs->count() > n) columnTabs->removeTab(columnTabs->count() - 1);
    while (columnTabs->count() < n) columnTabs->addTab(QString());
    for (int i = 0; i < n; ++i) columnTabs->setTabText(i, Qs(ed_.Tabs[static_cast<std::size_t>(i)]));
    if (ed_.TabIndex >= 0 && ed_.TabIndex < n) columnTabs->setCurrentIndex(ed_.TabIndex);
    RefreshTabMarks(std::min(n, static_cast<int>(ed_.Columns.size())));
}

void FormatEditorPage::ShowEditor() {
    showing_ = true;
    const QSignalBlocker b3(columnNameBox), b6(typeBox);
    ShowGeneral();
    ShowColumn();
    ShowTabs();
    const EditorButtons& b = ed_.Buttons;
    saveButton->setEnabled(b.Save);
    undoButton->setEnabled(b.Cancel);
    deleteButton->setEnabled(b.Del);
    deleteColumnButton->setEnabled(b.Columns);
    addColumnButton->setEnabled(b.Columns);
    moveLeftButton->setEnabled(b.Columns && b.Left);
    moveRightButton->setEnabled(b.Columns && b.Right);
    QStringList memo;
    for (const std::string& line : ed_.Memo) memo << Qs(line);
    notesMemo->setPlainText(memo.join(QChar(u'\n')));
    showing_ = false;
}

void FormatEditorPage::AskName(int mode) {
    bool accepted = false;
    Act([&] {
        if (!ed_.BeginNameDialog(mode) || !dialogs_.AskFormatName(ed_)) return;
        ed_.NameAccepted();
        accepted = true;
    });
    if (accepted) hintLabel->setText(Qs(ed_.EditStatus));
}

void FormatEditorPage::EnterState(int mode, const std::string& name) {
    Act([&] {
        ed_.NameDlgMode = mode;
        ed_.EditFmtName = name;
        ed_.ModelFmtName.clear();
        ed_.NameAccepted();
    });
    hintLabel->setText(Qs(ed_.EditStatus));
}

void FormatEditorPage::onNewClicked() { AskName(ndNew); }
void FormatEditorPage::onModelClicked() { AskName(ndModel); }
void FormatEditorPage::onModifyClicked() { AskName(ndModify); }

void FormatEditorPage::AfterFileChange(bool refill) {
    hintLabel->setText(Qs(ed_.EditStatus));
    if (refill && OnFormatChoices) OnFormatChoices(ed_.Choices);
}

void FormatEditorPage::onSaveClicked() {
    FileOutcome r;
    Act([&] { r = ed_.Save(); });
    AfterFileChange(r.Refill);
}

void FormatEditorPage::onUndoClicked() {
    Act([&] { ed_.CancelEdits(); });
}

void FormatEditorPage::onDeleteClicked() {
    FileOutcome r;
    Act([&] { r = ed_.Delete(); });
    AfterFileChange(r.Refill);
}

void FormatEditorPage::onDeleteColumnClicked() {
    Act([&] { ed_.DeleteColumn(); });
}
void FormatEditorPage::onMoveLeftClicked() {
    Act([&] { ed_.MoveColumn(-1); });
}
void FormatEditorPage::onAddColumnClicked() {
    Act([&] { ed_.AddColumn(); });
}
void FormatEditorPage::onMoveRightClicked() {
    Act([&] { ed_.MoveColumn(1); });
}

void FormatEditorPage::StepSkip(int step) {
    int32_t n = 0;
    if (!StrToInt32(Cp(skipEdit->text()), n)) n = 0;
    n = std::clamp(n + step, 0, 32000);
    skipEdit->setText(QString::number(n));
}

} // namespace lmx

// The format editor page's controls, their layout and their captions.
#include "ui/FormatEditorPage.h"

#include "model/FormatEditorModel.h"
#include "env/LangTexts.h"
#include "ui/CaptionKeys.h"
#include "ui/Dialogs.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/TextGuard.h"
#include "ui/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lmx {

namespace {

QLineEdit* OneCharEdit(const char* name, bool large) {
    auto* e = Named<QLineEdit>(name);
    e->setAlignment(Qt::AlignCenter);
    if (large) {
        QFont f = e->font();
        f.setPointSize(13);
        f.setBold(true);
        e->setFont(f);
        e->setFixedSize(30, 28);
    } else {
        e->setFixedWidth(30);
    }
    return e;
}

QButtonGroup* Pair(QObject* parent, QRadioButton* a, QRadioButton* b) {
    auto* g = new QButtonGroup(parent);
    g->addButton(a);
    g->addButton(b);
    return g;
}

} // namespace

QWidget* FormatEditorPage::BuildGeneral() {
    generalGroup = NamedGroup(names::kGeneralGroup);
    nameCaption = NamedLabel(names::kFormatNameCaption);
    nameEdit = Named<QLineEdit>(names::kFormatNameEdit);
    nameEdit->setEnabled(false);
    commentCaption = NamedLabel(names::kCommentCaption);
    commentEdit = Named<QLineEdit>(names::kCommentEdit);

    columnsGroup = NamedGroup(names::kColumnsGroup);
    columnCountCaption = NamedLabel(names::kColumnCountCaption);
    columnCountEdit = Named<QLineEdit>(names::kColumnCountEdit, QStringLiteral("1"));
    columnCountEdit->setEnabled(false);
    columnCountEdit->setFixedWidth(44);
    separatorCaption = NamedLabel(names::kSeparatorCaption);
    separatorEdit = OneCharEdit(names::kSeparatorEdit, true);
    tabSeparatorBox = Named<QCheckBox>(names::kTabSeparatorBox, QStringLiteral("Tabulation :"));
    tabSeparatorBox->setLayoutDirection(Qt::RightToLeft); // its text before the box
    decimalCaption = NamedLabel(names::kDecimalCaption);
    decimalEdit = OneCharEdit(names::kDecimalEdit, true);
    decimalSample = NamedLabel(names::kDecimalSample, QStringLiteral("(0?00)"));
    quoteCaption = NamedLabel(names::kQuoteCaption);
    quoteBox = Named<QComboBox>(names::kQuoteBox);
    quoteBox->addItems({QString(), QString(), QString()});
    groupCaption = NamedLabel(names::kGroupingCaption);
    groupEdit = OneCharEdit(names::kGroupingEdit, true);
    auto* g9 = new QGridLayout(columnsGroup);
    g9->setContentsMargins(6, 2, 6, 2);
    g9->setVerticalSpacing(2);
    g9->addWidget(columnCountCaption, 0, 0);
    g9->addWidget(columnCountEdit, 0, 1);
    g9->addWidget(separatorCaption, 1, 0);
    g9->addWidget(separatorEdit, 1, 1);
    g9->addWidget(tabSeparatorBox, 1, 2);
    g9->addWidget(decimalCaption, 2, 0);
    g9->addWidget(decimalEdit, 2, 1);
    g9->addWidget(decimalSample, 2, 2);
    // The grouping separator and the quotes share a row: the page keeps its height.
    auto* fields = new QHBoxLayout;
    fields->setSpacing(4);
    fields->addWidget(groupCaption);
    fields->addWidget(groupEdit);
    fields->addSpacing(8);
    fields->addWidget(quoteCaption);
    fields->addWidget(quoteBox, 1);
    g9->addLayout(fields, 3, 0, 1, 4);
    g9->setColumnStretch(3, 1);

    skipGroup = NamedGroup(names::kSkipGroup);
    skipEdit = Named<QLineEdit>(names::kSkipEdit, QStringLiteral("0"));
    skipEdit->setFixedWidth(54);
    skipEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), skipEdit));
    skipUpDown = Named<QWidget>(names::kSkipUpDown);
    up_ = new QToolButton(skipUpDown);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(skipUpDown);
    down_->setArrowType(Qt::DownArrow);
    auto* ud = new QVBoxLayout(skipUpDown);
    ud->setContentsMargins(0, 0, 0, 0);
    ud->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus); // the field's Up and Down keys do what they do
        ud->addWidget(b);
    }
    up_->setObjectName(names::kSkipUp);
    down_->setObjectName(names::kSkipDown);
    skipCaption = NamedLabel(names::kSkipCaption);
    auto* g8 = new QHBoxLayout(skipGroup);
    g8->setContentsMargins(6, 2, 6, 4);
    g8->addWidget(skipEdit);
    g8->addWidget(skipUpDown);
    g8->addWidget(skipCaption, 1);

    headerCaption = NamedLabel(names::kHeaderCaption);
    headerBox = Named<QCheckBox>(names::kHeaderBox);
    headerMemo = Named<QPlainTextEdit>(names::kHeaderMemo);
    headerMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    headerMemo->setTabChangesFocus(true);
    GuardMemo(headerMemo);

    auto* g5 = new QGridLayout(generalGroup);
    g5->setContentsMargins(6, 2, 6, 6);
    g5->setVerticalSpacing(3);
    g5->addWidget(nameCaption, 0, 0);
    g5->addWidget(nameEdit, 0, 1);
    g5->addWidget(commentCaption, 1, 0);
    g5->addWidget(commentEdit, 1, 1);
    g5->addWidget(columnsGroup, 2, 0, 1, 2);
    g5->addWidget(skipGroup, 3, 0, 1, 2);
    auto* hdr = new QHBoxLayout;
    hdr->addWidget(headerCaption);
    hdr->addWidget(headerBox);
    hdr->addStretch();
    g5->addLayout(hdr, 4, 0, 1, 2);
    g5->addWidget(headerMemo, 5, 0, 1, 2);
    g5->setRowStretch(5, 1);
    // Each caption names its field for screen readers (not the group's title), and its key gives
    // the field the focus.
    nameCaption->setBuddy(nameEdit);
    commentCaption->setBuddy(commentEdit);
    columnCountCaption->setBuddy(columnCountEdit);
    separatorCaption->setBuddy(separatorEdit);
    decimalCaption->setBuddy(decimalEdit);
    groupCaption->setBuddy(groupEdit);
    quoteCaption->setBuddy(quoteBox);
    skipCaption->setBuddy(skipEdit);
    headerCaption->setBuddy(headerBox);
    return generalGroup;
}

QWidget* FormatEditorPage::BuildColumns() {
    columnGroup = NamedGroup(names::kColumnGroup);
    columnTabs = Named<QTabBar>(names::kColumnTabs);
    columnTabs->setExpanding(false);
    columnTabs->setIconSize(QSize(9, 9));
    columnTabs->setUsesScrollButtons(true);
    columnTabs->setDrawBase(true);

    columnNameCaption = NamedLabel(names::kColumnNameCaption);
    columnNameBox = Named<QComboBox>(names::kColumnNameBox);
    columnNameBox->setEditable(true);
    columnNameBox->setInsertPolicy(QComboBox::NoInsert);
    columnNameBox->setCompleter(nullptr); // a new name is typed whole, never completed to a known one
    typeCaption = NamedLabel(names::kTypeCaption);
    typeBox = Named<QComboBox>(names::kTypeBox);
    dateSepCaption = NamedLabel(names::kDateSepCaption);
    dateSepEdit = OneCharEdit(names::kDateSepEdit, false);
    scaleBox = Named<QCheckBox>(names::kScaleBox);
    percentBox = Named<QCheckBox>(names::kPercentBox);
    controlCaption = NamedLabel(names::kControlCaption);
    controlBox = Named<QComboBox>(names::kControlBox);
    affixBox = Named<QCheckBox>(names::kAffixBox);
    prefixRadio = Named<QRadioButton>(names::kPrefixRadio);
    suffixRadio = Named<QRadioButton>(names::kSuffixRadio);
    affixEdit = Named<QLineEdit>(names::kAffixEdit);
    caseBox = Named<QCheckBox>(names::kCaseBox);
    upperRadio = Named<QRadioButton>(names::kUpperRadio);
    lowerRadio = Named<QRadioButton>(names::kLowerRadio);
    Pair(this, prefixRadio, suffixRadio)->setObjectName(names::kAffixPlaceGroup);
    Pair(this, upperRadio, lowerRadio)->setObjectName(names::kCaseChoiceGroup);
    deleteColumnButton = NamedButton(names::kDeleteColumnButton, QStringLiteral("X"));
    moveLeftButton = NamedButton(names::kMoveLeftButton, QStringLiteral("<<"));
    addColumnButton = NamedButton(names::kAddColumnButton, QStringLiteral("+"));
    moveRightButton = NamedButton(names::kMoveRightButton, QStringLiteral(">>"));
    for (QPushButton* b : {deleteColumnButton, moveLeftButton, addColumnButton, moveRightButton}) b->setFixedSize(34, 24);

    auto* body = new QGridLayout;
    body->setVerticalSpacing(3);
    body->addWidget(columnNameCaption, 0, 0);
    body->addWidget(columnNameBox, 0, 1, 1, 3);
    body->addWidget(typeCaption, 1, 0);
    body->addWidget(typeBox, 1, 1, 1, 2);
    body->addWidget(dateSepCaption, 2, 0);
    body->addWidget(dateSepEdit, 2, 1);
    // A number's reading options stand where a date's separator does: a column has one or the other.
    auto* number = new QHBoxLayout;
    number->setContentsMargins(0, 0, 0, 0);
    number->addWidget(scaleBox);
    number->addWidget(percentBox);
    number->addStretch();
    body->addLayout(number, 2, 1, 1, 3);
    body->addWidget(controlCaption, 3, 0);
    body->addWidget(controlBox, 3, 1, 1, 2);
    body->addWidget(affixBox, 4, 0);
    body->addWidget(prefixRadio, 4, 1);
    body->addWidget(suffixRadio, 4, 2);
    body->addWidget(affixEdit, 4, 3);
    body->addWidget(caseBox, 5, 0);
    body->addWidget(upperRadio, 5, 1);
    body->addWidget(lowerRadio, 5, 2);
    body->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {deleteColumnButton, moveLeftButton, addColumnButton, moveRightButton}) buttons->addWidget(b);

    auto* g7 = new QVBoxLayout(columnGroup);
    g7->setContentsMargins(6, 2, 6, 4);
    g7->setSpacing(3);
    g7->addWidget(columnTabs);
    g7->addLayout(body);
    g7->addStretch();
    g7->addLayout(buttons);
    columnNameCaption->setBuddy(columnNameBox);
    typeCaption->setBuddy(typeBox);
    dateSepCaption->setBuddy(dateSepEdit);
    controlCaption->setBuddy(controlBox);
    return columnGroup;
}

void FormatEditorPage::Build() {
    formatsGroup = NamedGroup(names::kFormatsGroup);
    hintPanel = Named<QWidget>(names::kHintPanel);
    hintLabel = NamedLabel(names::kHintLabel, QStringLiteral("Define or modify file descriptions ..."));
    hintLabel->setWordWrap(true);
    hintLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* p4 = new QHBoxLayout(hintPanel);
    p4->setContentsMargins(0, 0, 0, 0);
    p4->addWidget(hintLabel);
    newButton = NamedButton(names::kNewFormatButton);
    modelButton = NamedButton(names::kModelFormatButton);
    modifyButton = NamedButton(names::kModifyFormatButton);
    saveButton = NamedButton(names::kSaveFormatButton);
    undoButton = NamedButton(names::kUndoFormatButton);
    deleteButton = NamedButton(names::kDeleteFormatButton);
    // The hint line has a row of its own: the longest hints and statuses must read whole.
    hintLabel->setMinimumHeight(20);
    auto* top = new QHBoxLayout;
    top->addStretch();
    for (QPushButton* b : {newButton, modelButton, modifyButton, saveButton, undoButton, deleteButton}) top->addWidget(b);

    notesPanel = Named<QWidget>(names::kNotesPanel);
    notesMemo = Named<QPlainTextEdit>(names::kNotesMemo);
    notesMemo->setReadOnly(true);
    notesMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SetReadableBackground(notesMemo, QPalette::Base, QColor(255, 251, 240), QPalette::Text);
    auto* p3 = new QVBoxLayout(notesPanel);
    p3->setContentsMargins(0, 0, 0, 0);
    p3->addWidget(notesMemo);

    QWidget* general = BuildGeneral();
    general->setFixedWidth(330);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(BuildColumns(), 3);
    right->addWidget(notesPanel, 2);
    auto* middle = new QHBoxLayout;
    middle->addWidget(general);
    middle->addLayout(right, 1);

    auto* g3 = new QVBoxLayout(formatsGroup);
    g3->setContentsMargins(6, 4, 6, 6);
    g3->setSpacing(4);
    g3->addWidget(hintPanel);
    g3->addLayout(top);
    g3->addLayout(middle, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(formatsGroup);

    // Tab in reading order: the buttons, the general values, then the column.
    ChainTabOrder({newButton, modelButton, modifyButton, saveButton, undoButton, deleteButton, nameEdit, commentEdit,
                   columnCountEdit, separatorEdit, tabSeparatorBox, decimalEdit, groupEdit, quoteBox, skipEdit,
                   headerBox, headerMemo, columnTabs, columnNameBox, typeBox, dateSepEdit, scaleBox, percentBox,
                   controlBox, affixBox, prefixRadio, suffixRadio, affixEdit, caseBox, upperRadio, lowerRadio,
                   deleteColumnButton, moveLeftButton, addColumnButton, moveRightButton, notesMemo});
}

void FormatEditorPage::Retranslate() {
    const auto text = [this](LK key) { return Qs(lang_.Text(key)); };
    const auto words = [this](LK key) { return lang_.Text(key); };
    // The captions with a key, in reading order. The fields always greyed get none, nor do the
    // column buttons, whose captions are signs.
    CaptionKeys keys(windowKeys_);
    formatsGroup->setTitle(text(LK::cpn_fmtDef));
    keys.Add(newButton, words(LK::btn_new));
    keys.Add(modelButton, words(LK::btn_model));
    keys.Add(modifyButton, words(LK::btn_modify));
    keys.Add(saveButton, words(LK::btn_save));
    keys.Add(undoButton, words(LK::btn_cancel));
    keys.Add(deleteButton, words(LK::btn_del));
    generalGroup->setTitle(text(LK::cpn_fmtGen));
    nameCaption->setText(text(LK::cpn_fDefFName));
    keys.Add(commentCaption, words(LK::cpn_fDefComent));
    columnsGroup->setTitle(text(LK::cpn_fDefCols));
    columnCountCaption->setText(text(LK::cpn_fDefCCount));
    keys.Add(separatorCaption, words(LK::cpn_fDefCSep));
    keys.Add(tabSeparatorBox, "Tabulation :");
    keys.Add(decimalCaption, words(LK::cpn_fDefDecSep));
    keys.Add(groupCaption, words(LK::cpn_fDefGroup));
    keys.Add(quoteCaption, words(LK::cpn_fDefQuote));
    keys.Add(scaleBox, words(LK::cpn_fDefCScale));
    keys.Add(percentBox, words(LK::cpn_fDefCPct));
    skipGroup->setTitle(text(LK::cpn_ignore));
    keys.Add(skipCaption, words(LK::cpn_firstLines));
    keys.Add(headerCaption, words(LK::cpn_fDefAddHd));
    columnGroup->setTitle(text(LK::cpn_fmtCol));
    keys.Add(columnNameCaption, words(LK::cpn_fDefCName));
    keys.Add(typeCaption, words(LK::cpn_fDefCType));
    keys.Add(dateSepCaption, words(LK::cpn_fDefCDtSep));
    keys.Add(controlCaption, words(LK::cpn_fDefCCtrl));
    keys.Add(affixBox, words(LK::cpn_fDefCAddX));
    keys.Add(prefixRadio, words(LK::cpn_fDefCAddPX));
    keys.Add(suffixRadio, words(LK::cpn_fDefCAddSX));
    keys.Add(caseBox, words(LK::cpn_fDefCCasse));
    // Only a to z change: accented letters keep their case in these two captions.
    keys.Add(upperRadio, UpperAZ(words(LK::cpn_fDefCCMaj)));
    std::string lower = words(LK::cpn_fDefCCMin);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    keys.Add(lowerRadio, lower);
    keys.Apply();

    // For screen readers: what each field without a caption of its own is, and what the signs do.
    skipEdit->setAccessibleName(text(LK::acc_skipLines));
    skipUpDown->setAccessibleName(text(LK::acc_skipLines));
    up_->setAccessibleName(text(LK::acc_skipUp));
    down_->setAccessibleName(text(LK::acc_skipDown));
    headerMemo->setAccessibleName(text(LK::acc_hdrLines));
    columnTabs->setAccessibleName(text(LK::cpn_fmtCol));
    affixEdit->setAccessibleName(text(LK::acc_affixText));
    notesMemo->setAccessibleName(text(LK::acc_fmtNotes));
    const std::pair<QPushButton*, std::pair<LK, LK>> signs[] = {
        {deleteColumnButton, {LK::acc_colDel, LK::hnt_btnDelt}},
        {moveLeftButton, {LK::acc_colLeft, LK::hnt_btnLeft}},
        {addColumnButton, {LK::acc_colAdd, LK::hnt_btnAddC}},
        {moveRightButton, {LK::acc_colRight, LK::hnt_btnRight}},
    };
    for (const auto& [button, what] : signs) {
        button->setAccessibleName(text(what.first));
        button->setAccessibleDescription(text(what.second));
        button->setToolTip(text(what.second));
    }
    ShowControlItems();
    ShowQuoteItems();
}

void FormatEditorPage::ShowQuoteItems() {
    quoteBox->setItemText(0, Qs(lang_.Text(LK::itm_quoteNever)));
    quoteBox->setItemText(1, Qs(lang_.Text(LK::itm_quoteNeeded)));
    quoteBox->setItemText(2, Qs(lang_.Text(LK::itm_quoteAlways)));
}

void FormatEditorPage::ShowControlItems() {
    // The column control list: its items are texts of the language, its choice stays.
    if (controlBox->count() != 2) return;
    controlBox->setItemText(0, Qs(lang_.Text(LK::itm_never)));
    controlBox->setItemText(1, Qs(lang_.Text(LK::itm_allways)));
}

} // namespace lmx

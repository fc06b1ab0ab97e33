// The format editor page's controls, their layout and their captions.
#include "ui/FormatEditorPage.h"

#include "core/UFmtEditor.h"
#include "env/ULang.h"
#include "ui/UDialogs.h"
#include "ui/UQt.h"
#include "ui/UTextGuard.h"
#include "ui/UWidgets.h"

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
    GroupBox5 = NamedGroup("GroupBox5");
    Label9 = NamedLabel("Label9");
    Edit6 = Named<QLineEdit>("Edit6");
    Edit6->setEnabled(false);
    Label29 = NamedLabel("Label29");
    Edit3 = Named<QLineEdit>("Edit3");

    GroupBox9 = NamedGroup("GroupBox9");
    Label14 = NamedLabel("Label14");
    Edit9 = Named<QLineEdit>("Edit9", QStringLiteral("1"));
    Edit9->setEnabled(false);
    Edit9->setFixedWidth(44);
    Label13 = NamedLabel("Label13");
    Edit13 = OneCharEdit("Edit13", true);
    CheckBox5 = Named<QCheckBox>("CheckBox5", QStringLiteral("Tabulation :"));
    CheckBox5->setLayoutDirection(Qt::RightToLeft); // its text before the box
    Label27 = NamedLabel("Label27");
    Edit14 = OneCharEdit("Edit14", true);
    Label28 = NamedLabel("Label28", QStringLiteral("(0?00)"));
    auto* g9 = new QGridLayout(GroupBox9);
    g9->setContentsMargins(6, 2, 6, 4);
    g9->setVerticalSpacing(2);
    g9->addWidget(Label14, 0, 0);
    g9->addWidget(Edit9, 0, 1);
    g9->addWidget(Label13, 1, 0);
    g9->addWidget(Edit13, 1, 1);
    g9->addWidget(CheckBox5, 1, 2);
    g9->addWidget(Label27, 2, 0);
    g9->addWidget(Edit14, 2, 1);
    g9->addWidget(Label28, 2, 2);
    g9->setColumnStretch(3, 1);

    GroupBox8 = NamedGroup("GroupBox8");
    Edit4 = Named<QLineEdit>("Edit4", QStringLiteral("0"));
    Edit4->setFixedWidth(54);
    Edit4->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), Edit4));
    UpDown1 = Named<QWidget>("UpDown1");
    up_ = new QToolButton(UpDown1);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(UpDown1);
    down_->setArrowType(Qt::DownArrow);
    auto* ud = new QVBoxLayout(UpDown1);
    ud->setContentsMargins(0, 0, 0, 0);
    ud->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 11);
        ud->addWidget(b);
    }
    Label11 = NamedLabel("Label11");
    auto* g8 = new QHBoxLayout(GroupBox8);
    g8->setContentsMargins(6, 2, 6, 4);
    g8->addWidget(Edit4);
    g8->addWidget(UpDown1);
    g8->addWidget(Label11, 1);

    Label10 = NamedLabel("Label10");
    CheckBox1 = Named<QCheckBox>("CheckBox1");
    Memo2 = Named<QPlainTextEdit>("Memo2");
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setTabChangesFocus(true);
    GuardMemo(Memo2);

    auto* g5 = new QGridLayout(GroupBox5);
    g5->setContentsMargins(6, 2, 6, 6);
    g5->setVerticalSpacing(3);
    g5->addWidget(Label9, 0, 0);
    g5->addWidget(Edit6, 0, 1);
    g5->addWidget(Label29, 1, 0);
    g5->addWidget(Edit3, 1, 1);
    g5->addWidget(GroupBox9, 2, 0, 1, 2);
    g5->addWidget(GroupBox8, 3, 0, 1, 2);
    auto* hdr = new QHBoxLayout;
    hdr->addWidget(Label10);
    hdr->addWidget(CheckBox1);
    hdr->addStretch();
    g5->addLayout(hdr, 4, 0, 1, 2);
    g5->addWidget(Memo2, 5, 0, 1, 2);
    g5->setRowStretch(5, 1);
    return GroupBox5;
}

QWidget* FormatEditorPage::BuildColumns() {
    GroupBox7 = NamedGroup("GroupBox7");
    TabControl1 = Named<QTabBar>("TabControl1");
    TabControl1->setExpanding(false);
    TabControl1->setIconSize(QSize(9, 9));
    TabControl1->setUsesScrollButtons(true);
    TabControl1->setDrawBase(true);

    Label7 = NamedLabel("Label7");
    ComboBox3 = Named<QComboBox>("ComboBox3");
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    ComboBox3->setCompleter(nullptr); // a new name is typed whole, never completed to a known one
    Label12 = NamedLabel("Label12");
    ComboBox6 = Named<QComboBox>("ComboBox6");
    Label48 = NamedLabel("Label48");
    Edit7 = OneCharEdit("Edit7", false);
    Label47 = NamedLabel("Label47");
    ComboBox7 = Named<QComboBox>("ComboBox7");
    CheckBox2 = Named<QCheckBox>("CheckBox2");
    RadioButton1 = Named<QRadioButton>("RadioButton1");
    RadioButton2 = Named<QRadioButton>("RadioButton2");
    Edit5 = Named<QLineEdit>("Edit5");
    CheckBox3 = Named<QCheckBox>("CheckBox3");
    RadioButton3 = Named<QRadioButton>("RadioButton3");
    RadioButton4 = Named<QRadioButton>("RadioButton4");
    Pair(this, RadioButton1, RadioButton2)->setObjectName("FixeGroup");
    Pair(this, RadioButton3, RadioButton4)->setObjectName("CasseGroup");
    BitBtn20 = NamedButton("BitBtn20", QStringLiteral("X"));
    BitBtn21 = NamedButton("BitBtn21", QStringLiteral("<<"));
    BitBtn22 = NamedButton("BitBtn22", QStringLiteral("+"));
    BitBtn23 = NamedButton("BitBtn23", QStringLiteral(">>"));
    for (QPushButton* b : {BitBtn20, BitBtn21, BitBtn22, BitBtn23}) b->setFixedSize(34, 24);

    auto* body = new QGridLayout;
    body->setVerticalSpacing(3);
    body->addWidget(Label7, 0, 0);
    body->addWidget(ComboBox3, 0, 1, 1, 3);
    body->addWidget(Label12, 1, 0);
    body->addWidget(ComboBox6, 1, 1, 1, 2);
    body->addWidget(Label48, 2, 0);
    body->addWidget(Edit7, 2, 1);
    body->addWidget(Label47, 3, 0);
    body->addWidget(ComboBox7, 3, 1, 1, 2);
    body->addWidget(CheckBox2, 4, 0);
    body->addWidget(RadioButton1, 4, 1);
    body->addWidget(RadioButton2, 4, 2);
    body->addWidget(Edit5, 4, 3);
    body->addWidget(CheckBox3, 5, 0);
    body->addWidget(RadioButton3, 5, 1);
    body->addWidget(RadioButton4, 5, 2);
    body->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {BitBtn20, BitBtn21, BitBtn22, BitBtn23}) buttons->addWidget(b);

    auto* g7 = new QVBoxLayout(GroupBox7);
    g7->setContentsMargins(6, 2, 6, 4);
    g7->setSpacing(3);
    g7->addWidget(TabControl1);
    g7->addLayout(body);
    g7->addStretch();
    g7->addLayout(buttons);
    return GroupBox7;
}

void FormatEditorPage::Build() {
    GroupBox3 = NamedGroup("GroupBox3");
    Panel4 = Named<QWidget>("Panel4");
    Label8 = NamedLabel("Label8", QStringLiteral("Define or modify file descriptions ..."));
    Label8->setWordWrap(true);
    Label8->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* p4 = new QHBoxLayout(Panel4);
    p4->setContentsMargins(0, 0, 0, 0);
    p4->addWidget(Label8);
    BitBtn6 = NamedButton("BitBtn6");
    BitBtn15 = NamedButton("BitBtn15");
    BitBtn16 = NamedButton("BitBtn16");
    BitBtn7 = NamedButton("BitBtn7");
    BitBtn8 = NamedButton("BitBtn8");
    BitBtn9 = NamedButton("BitBtn9");
    // The hint line has a row of its own: the longest hints and statuses must read whole.
    Label8->setMinimumHeight(20);
    auto* top = new QHBoxLayout;
    top->addStretch();
    for (QPushButton* b : {BitBtn6, BitBtn15, BitBtn16, BitBtn7, BitBtn8, BitBtn9}) top->addWidget(b);

    Panel3 = Named<QWidget>("Panel3");
    Memo3 = Named<QPlainTextEdit>("Memo3");
    Memo3->setReadOnly(true);
    Memo3->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette cream = Memo3->palette();
    cream.setColor(QPalette::Base, QColor(255, 251, 240));
    Memo3->setPalette(cream);
    auto* p3 = new QVBoxLayout(Panel3);
    p3->setContentsMargins(0, 0, 0, 0);
    p3->addWidget(Memo3);

    QWidget* general = BuildGeneral();
    general->setFixedWidth(330);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(BuildColumns(), 3);
    right->addWidget(Panel3, 2);
    auto* middle = new QHBoxLayout;
    middle->addWidget(general);
    middle->addLayout(right, 1);

    auto* g3 = new QVBoxLayout(GroupBox3);
    g3->setContentsMargins(6, 4, 6, 6);
    g3->setSpacing(4);
    g3->addWidget(Panel4);
    g3->addLayout(top);
    g3->addLayout(middle, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(GroupBox3);
}

void FormatEditorPage::Retranslate() {
    const auto text = [this](LK key) { return Qs(lang_.Text(key)); };
    GroupBox3->setTitle(text(LK::cpn_fmtDef));
    BitBtn6->setText(text(LK::btn_new));
    BitBtn15->setText(text(LK::btn_model));
    BitBtn16->setText(text(LK::btn_modify));
    BitBtn7->setText(text(LK::btn_save));
    BitBtn8->setText(text(LK::btn_cancel));
    BitBtn9->setText(text(LK::btn_del));
    GroupBox5->setTitle(text(LK::cpn_fmtGen));
    Label9->setText(text(LK::cpn_fDefFName));
    Label29->setText(text(LK::cpn_fDefComent));
    GroupBox9->setTitle(text(LK::cpn_fDefCols));
    Label14->setText(text(LK::cpn_fDefCCount));
    Label13->setText(text(LK::cpn_fDefCSep));
    Label27->setText(text(LK::cpn_fDefDecSep));
    GroupBox8->setTitle(text(LK::cpn_ignore));
    Label11->setText(text(LK::cpn_firstLines));
    Label10->setText(text(LK::cpn_fDefAddHd));
    GroupBox7->setTitle(text(LK::cpn_fmtCol));
    Label7->setText(text(LK::cpn_fDefCName));
    Label12->setText(text(LK::cpn_fDefCType));
    Label48->setText(text(LK::cpn_fDefCDtSep));
    Label47->setText(text(LK::cpn_fDefCCtrl));
    CheckBox2->setText(text(LK::cpn_fDefCAddX));
    RadioButton1->setText(text(LK::cpn_fDefCAddPX));
    RadioButton2->setText(text(LK::cpn_fDefCAddSX));
    CheckBox3->setText(text(LK::cpn_fDefCCasse));
    // Only a to z change: accented letters keep their case in these two captions.
    RadioButton3->setText(Qs(UpperAZ(lang_.Text(LK::cpn_fDefCCMaj))));
    std::string lower = lang_.Text(LK::cpn_fDefCCMin);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    RadioButton4->setText(Qs(lower));
    BitBtn20->setToolTip(text(LK::hnt_btnDelt));
    BitBtn21->setToolTip(text(LK::hnt_btnLeft));
    BitBtn22->setToolTip(text(LK::hnt_btnAddC));
    BitBtn23->setToolTip(text(LK::hnt_btnRight));
    ShowControlItems();
}

void FormatEditorPage::ShowControlItems() {
    // The column control list: its items are texts of the language, its choice stays.
    if (ComboBox7->count() != 2) return;
    ComboBox7->setItemText(0, Qs(lang_.Text(LK::itm_never)));
    ComboBox7->setItemText(1, Qs(lang_.Text(LK::itm_allways)));
}

} // namespace lmx

// The parameters page's controls and their layout.
#include "ui/ParametersPage.h"

#include "env/ULang.h"
#include "ui/UQt.h"
#include "ui/UWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lmx {

namespace {

QRadioButton* Radio(const char* name) { return Named<QRadioButton>(name); }

QFrame* Panel(const char* name) {
    auto* f = Named<QFrame>(name);
    f->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    return f;
}

QLabel* Title(const char* name) {
    QLabel* l = NamedLabel(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QButtonGroup* Group(QObject* owner, std::initializer_list<QAbstractButton*> buttons) {
    auto* g = new QButtonGroup(owner);
    for (QAbstractButton* b : buttons) g->addButton(b);
    return g;
}

} // namespace

ParametersPage::ParametersPage(Params& params, LangTexts& lang, IDialogs& dialogs, const std::string& lngFileName,
                         QWidget* parent)
    : QWidget(parent), prm_(params), lang_(lang), dialogs_(dialogs), model_(params, lang, lngFileName) {
    setObjectName("TabSheet3");

    ListBox1 = Named<QListWidget>("ListBox1");
    ListBox1->setFixedHeight(62);
    ListBox1->viewport()->installEventFilter(this);
    Panel7 = Named<QFrame>("Panel7");
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label53 = NamedLabel("Label53");
    Label53->setWordWrap(true);
    Label53->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label53->setAutoFillBackground(true);
    QPalette cream = Label53->palette();
    cream.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    cream.setColor(QPalette::WindowText, Qt::black);
    Label53->setPalette(cream);
    auto* p7 = new QVBoxLayout(Panel7);
    p7->setContentsMargins(1, 1, 1, 1);
    p7->addWidget(Label53);
    BitBtn18 = Named<QToolButton>("BitBtn18");
    BitBtn18->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn18->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    BitBtn18->setMinimumWidth(70);

    BuildProcessing();
    BuildEnvironment();
    BuildIntegration();
    Retranslate();

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(ListBox1);
    left->addWidget(Panel7, 1);
    left->addWidget(BitBtn18, 0, Qt::AlignHCenter);
    auto* leftBox = new QWidget;
    leftBox->setFixedWidth(170);
    leftBox->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);

    // The three panels lie on top of each other; one is visible at a time.
    auto* panels = new QGridLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    for (QFrame* p : {Panel8, Panel9, Panel11}) panels->addWidget(p, 0, 0);
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(6);
    page->addWidget(leftBox);
    page->addLayout(panels, 1);
    ShowPanel(ppProcessing);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &ParametersPage::ListBox1Click);
    connect(dirGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::RadioButton8Click);
    connect(CheckBox4, &QCheckBox::toggled, this, &ParametersPage::CheckBox4Click);
    connect(extGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::RadioButton13Click);
    connect(afterGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::RadioButton14Click);
    connect(Button1, &QPushButton::clicked, this, &ParametersPage::Button1Click);
    connect(BitBtn18, &QToolButton::clicked, this, &ParametersPage::BitBtn18Click);
    connect(Button5, &QPushButton::clicked, this, &ParametersPage::Button5Click);
    connect(Button2, &QPushButton::clicked, this, &ParametersPage::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &ParametersPage::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &ParametersPage::Button3Click);
}

void ParametersPage::BuildProcessing() {
    Panel8 = Panel("Panel8");
    Label56 = Title("Label56");

    GroupBox12 = NamedGroup("GroupBox12", QStringLiteral("En cas d'anomalie dans une des lignes :"));
    RadioButton9 = Radio("RadioButton9");
    RadioButton10 = Radio("RadioButton10");
    auto* g12 = new QHBoxLayout(GroupBox12);
    g12->addWidget(RadioButton9);
    g12->addWidget(RadioButton10);
    erlGroup_ = Group(this, {RadioButton9, RadioButton10});

    GroupBox11 = NamedGroup("GroupBox11");
    RadioButton7 = Radio("RadioButton7");
    RadioButton8 = Radio("RadioButton8");
    Edit11 = Named<QLineEdit>("Edit11");
    Edit11->setReadOnly(true); // only the folder chooser fills it
    Button1 = NamedButton("Button1", QStringLiteral("..."));
    Button1->setFixedWidth(30);
    CheckBox4 = Named<QCheckBox>("CheckBox4");
    Edit12 = Named<QLineEdit>("Edit12");
    Panel10 = Named<QWidget>("Panel10");
    RadioButton12 = Radio("RadioButton12");
    RadioButton13 = Radio("RadioButton13");
    Edit8 = Named<QLineEdit>("Edit8");
    for (QLineEdit* e : {Edit12, Edit8}) e->setFixedWidth(110);
    auto* p10 = new QGridLayout(Panel10);
    p10->setContentsMargins(0, 0, 0, 0);
    p10->addWidget(RadioButton12, 0, 0, 1, 2);
    p10->addWidget(RadioButton13, 1, 0);
    p10->addWidget(Edit8, 1, 1);
    p10->setColumnStretch(2, 1);
    auto* g11 = new QGridLayout(GroupBox11);
    g11->setVerticalSpacing(3);
    g11->addWidget(RadioButton7, 0, 0, 1, 4);
    g11->addWidget(RadioButton8, 1, 0, 1, 4);
    g11->addWidget(Edit11, 2, 1);
    g11->addWidget(Button1, 2, 2);
    auto* added = new QHBoxLayout;
    added->addWidget(CheckBox4);
    added->addWidget(Edit12);
    added->addStretch();
    g11->addLayout(added, 3, 0, 1, 3);
    g11->addWidget(Panel10, 4, 0, 1, 3);
    // The data files' encoding and the results' line end, at the right of the name's rows.
    Label57 = NamedLabel("Label57");
    ComboBox9 = Named<QComboBox>("ComboBox9");
    // The first one is named in the language in use.
    ComboBox9->addItems({QString(), QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
    ComboBox9->setFixedWidth(104); // the list itself opens as wide as its items
    Label58 = NamedLabel("Label58");
    ComboBox10 = Named<QComboBox>("ComboBox10");
    ComboBox10->addItems({QStringLiteral("CR LF"), QStringLiteral("LF")});
    auto* dataBox = new QGridLayout;
    dataBox->addWidget(Label57, 0, 0);
    dataBox->addWidget(ComboBox9, 0, 1);
    dataBox->addWidget(Label58, 1, 0);
    dataBox->addWidget(ComboBox10, 1, 1, Qt::AlignLeft);
    g11->addLayout(dataBox, 3, 3, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    g11->setColumnMinimumWidth(0, 18);
    g11->setColumnStretch(1, 1);
    dirGroup_ = Group(this, {RadioButton7, RadioButton8});
    extGroup_ = Group(this, {RadioButton12, RadioButton13});

    GroupBox13 = NamedGroup("GroupBox13");
    RadioButton14 = Radio("RadioButton14");
    Edit10 = Named<QLineEdit>("Edit10");
    Edit10->setFixedWidth(110);
    RadioButton15 = Radio("RadioButton15");
    RadioButton16 = Radio("RadioButton16");
    RadioButton17 = Radio("RadioButton17");
    auto* g13 = new QGridLayout(GroupBox13);
    g13->setVerticalSpacing(3);
    g13->addWidget(RadioButton14, 0, 0);
    g13->addWidget(Edit10, 0, 1);
    g13->addWidget(RadioButton15, 1, 0, 1, 2);
    g13->addWidget(RadioButton16, 2, 0, 1, 2);
    g13->addWidget(RadioButton17, 3, 0, 1, 2);
    g13->setColumnStretch(2, 1);
    afterGroup_ = Group(this, {RadioButton14, RadioButton15, RadioButton16, RadioButton17});

    auto* p8 = new QVBoxLayout(Panel8);
    p8->addWidget(Label56);
    p8->addWidget(GroupBox12);
    p8->addWidget(GroupBox11);
    p8->addWidget(GroupBox13);
    p8->addStretch();
}

void ParametersPage::BuildEnvironment() {
    Panel9 = Panel("Panel9");
    Label55 = Title("Label55");
    GroupBox16 = NamedGroup("GroupBox16");
    ComboBox8 = Named<QComboBox>("ComboBox8"); // a pick list: not editable
    ComboBox8->setMinimumWidth(160);
    Button5 = NamedButton("Button5");
    auto* g16 = new QHBoxLayout(GroupBox16);
    g16->addWidget(ComboBox8);
    g16->addWidget(Button5);
    g16->addStretch();

    GroupBox10 = NamedGroup("GroupBox10", QStringLiteral(" Log : "));
    RadioButton5 = Radio("RadioButton5");
    RadioButton6 = Radio("RadioButton6");
    auto* g10 = new QHBoxLayout(GroupBox10);
    g10->addWidget(RadioButton5);
    g10->addWidget(RadioButton6);
    g10->addStretch();
    logGroup_ = Group(this, {RadioButton5, RadioButton6});

    // Kept for options the program does not offer yet.
    GroupBox14 = NamedGroup("GroupBox14", QStringLiteral("Gestion des dates : "));
    GroupBox15 = NamedGroup("GroupBox15", QStringLiteral(" Historiques et sauvegardes : "));
    for (QGroupBox* g : {GroupBox14, GroupBox15}) {
        g->setEnabled(false);
        g->setMinimumHeight(60);
    }

    auto* p9 = new QVBoxLayout(Panel9);
    p9->addWidget(Label55);
    p9->addWidget(GroupBox16);
    p9->addWidget(GroupBox10);
    p9->addWidget(GroupBox14);
    p9->addWidget(GroupBox15);
    p9->addStretch();
}

void ParametersPage::BuildIntegration() {
    Panel11 = Panel("Panel11");
    Label50 = Title("Label50");
    Button2 = NamedButton("Button2");
    Button4 = NamedButton("Button4");
    Button3 = NamedButton("Button3");
    auto* p11 = new QVBoxLayout(Panel11);
    p11->addWidget(Label50);
    for (QPushButton* b : {Button2, Button4, Button3}) {
        b->setMinimumWidth(340);
        p11->addWidget(b, 0, Qt::AlignLeft);
    }
    p11->addStretch();
}

void ParametersPage::Retranslate() {
    const auto text = [this](LK key) { return Qs(lang_.Text(key)); };
    BitBtn18->setText(text(LK::btn_save));
    Label56->setText(text(LK::cpn_oParmTitle));
    RadioButton9->setText(text(LK::cpn_oLineRej));
    RadioButton10->setText(text(LK::cpn_oTrtStop));
    GroupBox11->setTitle(text(LK::cpn_outFileName));
    RadioButton7->setText(text(LK::cpn_oOutDirSame));
    RadioButton8->setText(text(LK::cpn_oOutDirNew));
    CheckBox4->setText(text(LK::cpn_oOutAddTxt));
    RadioButton12->setText(text(LK::cpn_oOutExtSrce));
    RadioButton13->setText(text(LK::cpn_oOutExtNew));
    Label57->setText(text(LK::cpn_oTrtEnc));
    ComboBox9->setItemText(0, text(LK::itm_encSystem));
    Label58->setText(text(LK::cpn_oTrtEol));
    GroupBox13->setTitle(text(LK::cpn_oAftTitle));
    RadioButton14->setText(text(LK::cpn_oAftRenam));
    RadioButton15->setText(text(LK::cpn_oAftRcBin));
    RadioButton16->setText(text(LK::cpn_oAftDelet));
    RadioButton17->setText(text(LK::cpn_oAftNothg));
    Label55->setText(text(LK::cpn_oEnvTitle));
    GroupBox16->setTitle(text(LK::cpn_oEnvLng));
    Button5->setText(text(LK::cpn_oEnvLngAppl));
    RadioButton5->setText(text(LK::cpn_oEnvLogSp));
    RadioButton6->setText(text(LK::cpn_oEnvLogXt));
    Label50->setText(text(LK::cpn_oInteg));
    Button2->setText(text(LK::cpn_oIntStart));
    Button4->setText(text(LK::cpn_oIntDesk));
    Button3->setText(text(LK::cpn_oIntExpl));
}

} // namespace lmx

// The parameters page's controls and their layout.
#include "ui/ParametersPage.h"

#include "env/LangTexts.h"
#include "ui/CaptionKeys.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

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
    setObjectName(names::kParametersPage);

    categoryList = Named<QListWidget>(names::kCategoryList);
    categoryList->setFixedHeight(62);
    categoryList->viewport()->installEventFilter(this);
    resultPanel = Named<QFrame>(names::kResultPanel);
    resultPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    resultLabel = NamedLabel(names::kResultLabel);
    resultLabel->setWordWrap(true);
    resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resultLabel->setAutoFillBackground(true);
    SetReadableBackground(resultLabel, QPalette::Window, QColor(0xFF, 0xFB, 0xF0), QPalette::WindowText);
    auto* p7 = new QVBoxLayout(resultPanel);
    p7->setContentsMargins(1, 1, 1, 1);
    p7->addWidget(resultLabel);
    saveButton = Named<QToolButton>(names::kSaveSettingsButton);
    saveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    saveButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    saveButton->setMinimumWidth(70);

    BuildProcessing();
    BuildEnvironment();
    BuildIntegration();
    Retranslate();

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(categoryList);
    left->addWidget(resultPanel, 1);
    left->addWidget(saveButton, 0, Qt::AlignHCenter);
    auto* leftBox = new QWidget;
    leftBox->setFixedWidth(170);
    leftBox->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);

    // The three panels lie on top of each other; one is visible at a time.
    auto* panels = new QGridLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    for (QFrame* p : {processingPanel, environmentPanel, integrationPanel}) panels->addWidget(p, 0, 0);
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(6);
    page->addWidget(leftBox);
    page->addLayout(panels, 1);
    ShowPanel(ppProcessing);

    encodingCaption->setBuddy(encodingBox);
    lineEndCaption->setBuddy(lineEndBox);
    // Tab in reading order: the categories, the options of the panel shown, then the save.
    ChainTabOrder({categoryList, rejectLineRadio, stopRunRadio, sameDirRadio, otherDirRadio, dirEdit, dirButton,
                   addTextBox, addTextEdit, sourceExtRadio, newExtRadio, extEdit, encodingBox, lineEndBox, renameRadio,
                   renameEdit, trashRadio, deleteRadio, keepRadio, languageBox, applyLanguageButton, simpleLogRadio,
                   extendedLogRadio, startMenuButton, desktopButton, openWithButton, saveButton});

    connect(categoryList, &QListWidget::currentRowChanged, this, &ParametersPage::onCategoryClicked);
    connect(dirGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::onDirChoiceChanged);
    connect(addTextBox, &QCheckBox::toggled, this, &ParametersPage::onAddTextToggled);
    connect(extGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::onExtChoiceChanged);
    connect(afterGroup_, &QButtonGroup::buttonToggled, this, &ParametersPage::onAfterRunChanged);
    connect(dirButton, &QPushButton::clicked, this, &ParametersPage::onDirButtonClicked);
    connect(saveButton, &QToolButton::clicked, this, &ParametersPage::onSaveClicked);
    connect(applyLanguageButton, &QPushButton::clicked, this, &ParametersPage::onApplyLanguageClicked);
    connect(startMenuButton, &QPushButton::clicked, this, &ParametersPage::onStartMenuClicked);
    connect(desktopButton, &QPushButton::clicked, this, &ParametersPage::onDesktopClicked);
    connect(openWithButton, &QPushButton::clicked, this, &ParametersPage::onOpenWithClicked);
}

void ParametersPage::BuildProcessing() {
    processingPanel = Panel(names::kProcessingPanel);
    processingTitle = Title(names::kProcessingTitle);

    badLineGroup = NamedGroup(names::kBadLineGroup, QStringLiteral("En cas d'anomalie dans une des lignes :"));
    rejectLineRadio = Radio(names::kRejectLineRadio);
    stopRunRadio = Radio(names::kStopRunRadio);
    auto* g12 = new QHBoxLayout(badLineGroup);
    g12->addWidget(rejectLineRadio);
    g12->addWidget(stopRunRadio);
    erlGroup_ = Group(this, {rejectLineRadio, stopRunRadio});

    resultFileGroup = NamedGroup(names::kResultFileGroup);
    sameDirRadio = Radio(names::kSameDirRadio);
    otherDirRadio = Radio(names::kOtherDirRadio);
    dirEdit = Named<QLineEdit>(names::kDirEdit);
    dirEdit->setReadOnly(true); // only the folder chooser fills it
    dirButton = NamedButton(names::kDirButton, QStringLiteral("..."));
    dirButton->setFixedWidth(30);
    addTextBox = Named<QCheckBox>(names::kAddTextBox);
    addTextEdit = Named<QLineEdit>(names::kAddTextEdit);
    extensionPanel = Named<QWidget>(names::kExtensionPanel);
    sourceExtRadio = Radio(names::kSourceExtRadio);
    newExtRadio = Radio(names::kNewExtRadio);
    extEdit = Named<QLineEdit>(names::kExtEdit);
    for (QLineEdit* e : {addTextEdit, extEdit}) e->setFixedWidth(110);
    auto* p10 = new QGridLayout(extensionPanel);
    p10->setContentsMargins(0, 0, 0, 0);
    p10->addWidget(sourceExtRadio, 0, 0, 1, 2);
    p10->addWidget(newExtRadio, 1, 0);
    p10->addWidget(extEdit, 1, 1);
    p10->setColumnStretch(2, 1);
    auto* g11 = new QGridLayout(resultFileGroup);
    g11->setVerticalSpacing(3);
    g11->addWidget(sameDirRadio, 0, 0, 1, 4);
    g11->addWidget(otherDirRadio, 1, 0, 1, 4);
    g11->addWidget(dirEdit, 2, 1);
    g11->addWidget(dirButton, 2, 2);
    auto* added = new QHBoxLayout;
    added->addWidget(addTextBox);
    added->addWidget(addTextEdit);
    added->addStretch();
    g11->addLayout(added, 3, 0, 1, 3);
    g11->addWidget(extensionPanel, 4, 0, 1, 3);
    // The data files' encoding and the results' line end, at the right of the name's rows.
    encodingCaption = NamedLabel(names::kEncodingCaption);
    encodingBox = Named<QComboBox>(names::kEncodingBox);
    // The first one is named in the language in use.
    encodingBox->addItems({QString(), QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
    encodingBox->setFixedWidth(104); // the list itself opens as wide as its items
    lineEndCaption = NamedLabel(names::kLineEndCaption);
    lineEndBox = Named<QComboBox>(names::kLineEndBox);
    lineEndBox->addItems({QStringLiteral("CR LF"), QStringLiteral("LF")});
    auto* dataBox = new QGridLayout;
    dataBox->addWidget(encodingCaption, 0, 0);
    dataBox->addWidget(encodingBox, 0, 1);
    dataBox->addWidget(lineEndCaption, 1, 0);
    dataBox->addWidget(lineEndBox, 1, 1, Qt::AlignLeft);
    g11->addLayout(dataBox, 3, 3, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    g11->setColumnMinimumWidth(0, 18);
    g11->setColumnStretch(1, 1);
    dirGroup_ = Group(this, {sameDirRadio, otherDirRadio});
    extGroup_ = Group(this, {sourceExtRadio, newExtRadio});

    afterRunGroup = NamedGroup(names::kAfterRunGroup);
    renameRadio = Radio(names::kRenameRadio);
    renameEdit = Named<QLineEdit>(names::kRenameEdit);
    renameEdit->setFixedWidth(110);
    trashRadio = Radio(names::kTrashRadio);
    deleteRadio = Radio(names::kDeleteRadio);
    keepRadio = Radio(names::kKeepRadio);
    auto* g13 = new QGridLayout(afterRunGroup);
    g13->setVerticalSpacing(3);
    g13->addWidget(renameRadio, 0, 0);
    g13->addWidget(renameEdit, 0, 1);
    g13->addWidget(trashRadio, 1, 0, 1, 2);
    g13->addWidget(deleteRadio, 2, 0, 1, 2);
    g13->addWidget(keepRadio, 3, 0, 1, 2);
    g13->setColumnStretch(2, 1);
    afterGroup_ = Group(this, {renameRadio, trashRadio, deleteRadio, keepRadio});

    auto* p8 = new QVBoxLayout(processingPanel);
    p8->addWidget(processingTitle);
    p8->addWidget(badLineGroup);
    p8->addWidget(resultFileGroup);
    p8->addWidget(afterRunGroup);
    p8->addStretch();
}

void ParametersPage::BuildEnvironment() {
    environmentPanel = Panel(names::kEnvironmentPanel);
    environmentTitle = Title(names::kEnvironmentTitle);
    languageGroup = NamedGroup(names::kLanguageGroup);
    languageBox = Named<QComboBox>(names::kLanguageBox); // a pick list: not editable
    languageBox->setMinimumWidth(160);
    applyLanguageButton = NamedButton(names::kApplyLanguageButton);
    auto* g16 = new QHBoxLayout(languageGroup);
    g16->addWidget(languageBox);
    g16->addWidget(applyLanguageButton);
    g16->addStretch();

    logKindGroup = NamedGroup(names::kLogKindGroup, QStringLiteral(" Log : "));
    simpleLogRadio = Radio(names::kSimpleLogRadio);
    extendedLogRadio = Radio(names::kExtendedLogRadio);
    auto* g10 = new QHBoxLayout(logKindGroup);
    g10->addWidget(simpleLogRadio);
    g10->addWidget(extendedLogRadio);
    g10->addStretch();
    logGroup_ = Group(this, {simpleLogRadio, extendedLogRadio});

    // Kept for options the program does not offer yet.
    datesGroup = NamedGroup(names::kDatesGroup, QStringLiteral("Gestion des dates : "));
    historyGroup = NamedGroup(names::kHistoryGroup, QStringLiteral(" Historiques et sauvegardes : "));
    for (QGroupBox* g : {datesGroup, historyGroup}) {
        g->setEnabled(false);
        g->setMinimumHeight(60);
    }

    auto* p9 = new QVBoxLayout(environmentPanel);
    p9->addWidget(environmentTitle);
    p9->addWidget(languageGroup);
    p9->addWidget(logKindGroup);
    p9->addWidget(datesGroup);
    p9->addWidget(historyGroup);
    p9->addStretch();
}

void ParametersPage::BuildIntegration() {
    integrationPanel = Panel(names::kIntegrationPanel);
    integrationTitle = Title(names::kIntegrationTitle);
    startMenuButton = NamedButton(names::kStartMenuButton);
    desktopButton = NamedButton(names::kDesktopButton);
    openWithButton = NamedButton(names::kOpenWithButton);
    auto* p11 = new QVBoxLayout(integrationPanel);
    p11->addWidget(integrationTitle);
    for (QPushButton* b : {startMenuButton, desktopButton, openWithButton}) {
        b->setMinimumWidth(340);
        p11->addWidget(b, 0, Qt::AlignLeft);
    }
    p11->addStretch();
}

void ParametersPage::Retranslate() {
    const auto text = [this](LK key) { return Qs(lang_.Text(key)); };
    const auto words = [this](LK key) { return lang_.Text(key); };
    // The captions with a key: the save first, then the panels in reading order (one panel shows
    // at a time, but the keys stay apart on the whole page).
    CaptionKeys keys(windowKeys_);
    keys.Add(saveButton, words(LK::btn_save));
    processingTitle->setText(text(LK::cpn_oParmTitle));
    keys.Add(rejectLineRadio, words(LK::cpn_oLineRej));
    keys.Add(stopRunRadio, words(LK::cpn_oTrtStop));
    resultFileGroup->setTitle(text(LK::cpn_outFileName));
    keys.Add(sameDirRadio, words(LK::cpn_oOutDirSame));
    keys.Add(otherDirRadio, words(LK::cpn_oOutDirNew));
    keys.Add(addTextBox, words(LK::cpn_oOutAddTxt));
    keys.Add(sourceExtRadio, words(LK::cpn_oOutExtSrce));
    keys.Add(newExtRadio, words(LK::cpn_oOutExtNew));
    keys.Add(encodingCaption, words(LK::cpn_oTrtEnc));
    encodingBox->setItemText(0, text(LK::itm_encSystem));
    keys.Add(lineEndCaption, words(LK::cpn_oTrtEol));
    afterRunGroup->setTitle(text(LK::cpn_oAftTitle));
    keys.Add(renameRadio, words(LK::cpn_oAftRenam));
    keys.Add(trashRadio, words(LK::cpn_oAftRcBin));
    keys.Add(deleteRadio, words(LK::cpn_oAftDelet));
    keys.Add(keepRadio, words(LK::cpn_oAftNothg));
    environmentTitle->setText(text(LK::cpn_oEnvTitle));
    languageGroup->setTitle(text(LK::cpn_oEnvLng));
    keys.Add(applyLanguageButton, words(LK::cpn_oEnvLngAppl));
    keys.Add(simpleLogRadio, words(LK::cpn_oEnvLogSp));
    keys.Add(extendedLogRadio, words(LK::cpn_oEnvLogXt));
    integrationTitle->setText(text(LK::cpn_oInteg));
    keys.Add(startMenuButton, words(LK::cpn_oIntStart));
    keys.Add(desktopButton, words(LK::cpn_oIntDesk));
    keys.Add(openWithButton, words(LK::cpn_oIntExpl));
    keys.Apply();

    // For screen readers: the fields named by the option they belong to, the list and "...".
    categoryList->setAccessibleName(text(LK::acc_categories));
    dirEdit->setAccessibleName(text(LK::cpn_oOutDirNew));
    addTextEdit->setAccessibleName(text(LK::cpn_oOutAddTxt));
    extEdit->setAccessibleName(text(LK::cpn_oOutExtNew));
    renameEdit->setAccessibleName(text(LK::cpn_oAftRenam));
    languageBox->setAccessibleName(text(LK::cpn_oEnvLng));
    dirButton->setAccessibleName(text(LK::acc_chooseDir));
    dirButton->setAccessibleDescription(text(LK::msg_SelDir));
}

} // namespace lmx

#include "ui/ConversionPage.h"
#include "ui/FileGroup.h"

#include "model/Session.h"
#include "env/LangTexts.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"

#include "ui/GridCells.h"
#include "ui/GridModel.h"
#include "ui/LogPage.h"
#include "ui/RejectsPage.h"
#include "ui/ChartPage.h"
#include "ui/ResultViews.h"
#include "ui/RunThread.h"
#include "ui/CaptionKeys.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace lmx {

namespace {

QLabel* Value(const char* name, const QString& text) {
    QLabel* l = NamedLabel(name, text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

ConversionPage::ConversionPage(Session& session, IDialogs& dialogs, IRunStatus& status, QWidget* parent)
    : QWidget(parent), session_(session), model_(session.convPage), dialogs_(dialogs),
      rejectsSource_(std::make_unique<RejectTableSource>(session.rejects)),
      runView_(std::make_unique<RunView>(*this, status, session.lang, [this] { onChangeClicked(); })) {
    setObjectName(names::kConversionPage);
    Build();
    Retranslate();
    for (GridCells* g : {&inPreview_, &outPreview_})
        for (int r = 1; r <= 3; ++r) g->SetCell(0, r, std::to_string(r));
    Wire();
}

ConversionPage::~ConversionPage() {
    // A run still going stops and ends before the session it reports to can go.
    runThread_.reset();
    // The grids show the previews and the rejected lines held here: they go first.
    const QObjectList children = this->children();
    for (QObject* child : children)
        if (child->isWidgetType()) delete child;
}

void ConversionPage::Build() {
    // Input group.
    const FileGroup in = BuildFileGroup(
        {names::kInputGroup, names::kSourceDirPanel, names::kSourceDirLabel, names::kOpenButton,
         names::kFileCaption, names::kFileEdit, names::kInputFormatCaption, names::kInputFormatBox,
         names::kInputPreviewCaption, names::kInputGrid},
        inPreview_);
    inputGroup = in.group;
    sourceDirLabel = in.dirLabel;
    openButton = in.button;
    fileCaption = in.nameCaption;
    fileEdit = in.nameEdit;
    inputFormatCaption = in.formatCaption;
    inputFormatBox = in.formatBox;
    inputPreviewCaption = in.previewCaption;
    inputPreviewModel = in.model;
    inputGrid = in.grid;

    // Run buttons.
    convertButton = NamedButton(names::kConvertButton);
    convertButton->setToolTip(QStringLiteral("Lancer la conversion"));
    cancelButton = NamedButton(names::kCancelButton);

    // Counters of the last run.
    countersGroup = NamedGroup(names::kCountersGroup);
    filesCaption = NamedLabel(names::kFilesCaption);
    readCaption = NamedLabel(names::kReadCaption);
    rejectedCaption = NamedLabel(names::kRejectedCaption);
    writtenCaption = NamedLabel(names::kWrittenCaption);
    filesCount = Value(names::kFilesCount, QStringLiteral("0"));
    readCount = Value(names::kReadCount, QStringLiteral("0"));
    rejectedCount = Value(names::kRejectedCount, QStringLiteral("0"));
    writtenCount = Value(names::kWrittenCount, QStringLiteral("0"));
    auto* g6 = new QGridLayout(countersGroup);
    g6->setContentsMargins(6, 2, 6, 2);
    g6->setVerticalSpacing(1);
    QLabel* counters[4][2] = {{filesCaption, filesCount}, {readCaption, readCount}, {rejectedCaption, rejectedCount}, {writtenCaption, writtenCount}};
    for (int r = 0; r < 4; ++r) {
        g6->addWidget(counters[r][0], r, 0);
        g6->addWidget(counters[r][1], r, 1);
    }
    g6->setColumnStretch(1, 1);

    // Options in force.
    optionsGroup = NamedGroup(names::kOptionsGroup);
    logCaption = NamedLabel(names::kLogCaption);
    latestCaption = NamedLabel(names::kLatestCaption);
    badLineCaption = NamedLabel(names::kBadLineCaption);
    historyCaption = NamedLabel(names::kHistoryCaption);
    afterRunCaption = NamedLabel(names::kAfterRunCaption);
    renameCaption = NamedLabel(names::kRenameCaption);
    trashCaption = NamedLabel(names::kTrashCaption);
    deleteCaption = NamedLabel(names::kDeleteCaption);
    logValue = Value(names::kLogValue, QString());
    latestValue = Value(names::kLatestValue, QStringLiteral("N/A"));
    latestValue->setEnabled(false);
    badLineValue = Value(names::kBadLineValue, QString());
    historyValue = Value(names::kHistoryValue, QStringLiteral("N/A"));
    historyValue->setEnabled(false);
    renameValue = Value(names::kRenameValue, QString());
    trashValue = Value(names::kTrashValue, QString());
    deleteValue = Value(names::kDeleteValue, QString());
    auto* g4 = new QGridLayout(optionsGroup);
    g4->setContentsMargins(6, 2, 6, 2);
    g4->setHorizontalSpacing(4);
    g4->setVerticalSpacing(1);
    g4->addWidget(logCaption, 0, 0);
    g4->addWidget(logValue, 0, 1);
    g4->addWidget(latestCaption, 1, 0);
    g4->addWidget(latestValue, 1, 1);
    g4->addWidget(badLineCaption, 2, 0);
    g4->addWidget(badLineValue, 2, 1);
    g4->addWidget(historyCaption, 3, 0);
    g4->addWidget(historyValue, 3, 1);
    g4->addWidget(afterRunCaption, 4, 0, 1, 2);
    g4->addWidget(renameCaption, 5, 0);
    g4->addWidget(renameValue, 5, 1);
    g4->addWidget(trashCaption, 6, 0);
    g4->addWidget(trashValue, 6, 1);
    g4->addWidget(deleteCaption, 7, 0);
    g4->addWidget(deleteValue, 7, 1);
    for (QLabel* l : {renameCaption, trashCaption, deleteCaption}) l->setIndent(10);
    g4->setColumnStretch(1, 1);

    resultViews = new ResultViews(outPreview_, *rejectsSource_, session_.log, dialogs_);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(convertButton);
    runButtons->addWidget(cancelButton);
    right->addLayout(runButtons);
    right->addWidget(countersGroup);
    right->addWidget(optionsGroup);
    right->addStretch();

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(inputGroup);
    left->addWidget(resultViews, 1);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(6);
    page->addLayout(left, 1);
    // As wide as its longest caption and value need (a language may need more than another); the
    // input and result groups take the rest.
    auto* rightBox = new QWidget;
    rightBox->setMinimumWidth(262);
    rightBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    rightBox->setLayout(right);
    right->setContentsMargins(0, 0, 0, 0);
    page->addWidget(rightBox);

    // Tab in reading order: the input, the lower pages, then the run's buttons on the right.
    LogPage* log = resultViews->logPage;
    ChainTabOrder({openButton, fileEdit, inputFormatBox, inputGrid, resultViews->tabBar(), resultViews->changeButton,
                   resultViews->outNameEdit, resultViews->outputFormatBox, resultViews->outputGrid,
                   resultViews->rejectsPage->grid, log->logView, log->saveButton, log->clearButton,
                   log->textColorButton, log->backColorButton, convertButton, cancelButton});
}

void ConversionPage::Retranslate() {
    const LangTexts& lang = session_.lang;
    const auto text = [&lang](LK key) { return Qs(lang.Text(key)); };
    // The captions with a key: the run's first, so that "Convertir" always has one, then the
    // input and the lower pages in reading order.
    CaptionKeys keys(windowKeys_);
    keys.Add(convertButton, lang.Text(LK::btn_convert));
    keys.Add(cancelButton, lang.Text(LK::btn_cancel));
    inputGroup->setTitle(text(LK::cpn_infile));
    keys.Add(openButton, lang.Text(LK::btn_ouvrir));
    keys.Add(fileCaption, lang.Text(LK::cpn_fileToConv));
    keys.Add(inputFormatCaption, lang.Text(LK::cpn_infileFmt));
    keys.Add(inputPreviewCaption, lang.Text(LK::cpn_infilePreview));
    inputGrid->setAccessibleName(text(LK::acc_inPreview));
    resultViews->Retranslate(lang, keys);
    keys.Apply();
    countersGroup->setTitle(text(LK::cpn_gCnv));
    filesCaption->setText(text(LK::cpn_gCnvFiles));
    readCaption->setText(text(LK::cpn_gCnvLnRead));
    rejectedCaption->setText(text(LK::cpn_gCnvLnReje));
    writtenCaption->setText(text(LK::cpn_gCnvLnWrit));
    optionsGroup->setTitle(text(LK::cpn_gOptnCurr));
    logCaption->setText(text(LK::cpn_gOptnLog));
    latestCaption->setText(text(LK::cpn_gOptnLoad));
    badLineCaption->setText(text(LK::cpn_gOptnAno));
    historyCaption->setText(text(LK::cpn_gOptnHst));
    afterRunCaption->setText(text(LK::cpn_gOptnAfter));
    renameCaption->setText(text(LK::cpn_gOptRenam));
    trashCaption->setText(text(LK::cpn_gOptTrash));
    deleteCaption->setText(text(LK::cpn_gOptDelet));
}

void ConversionPage::SetCounters(const QString& files, const QString& read, const QString& rejected,
                               const QString& written) {
    filesCount->setText(files);
    readCount->setText(read);
    rejectedCount->setText(rejected);
    writtenCount->setText(written);
}

} // namespace lmx

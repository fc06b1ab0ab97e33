#include "ui/ResultViews.h"
#include "ui/FileGroup.h"

#include "env/LangTexts.h"
#include "model/Mnemonics.h"
#include "ui/GridCells.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/GridModel.h"
#include "ui/ChartPage.h"
#include "ui/LogPage.h"
#include "ui/RejectsPage.h"
#include "ui/CaptionKeys.h"
#include "ui/Widgets.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace lmx {

ResultViews::ResultViews(GridCells& outPreview, const IGridSource& rejects, Log& log, IDialogs& dialogs,
                           QWidget* parent)
    : QTabWidget(parent) {
    setObjectName(names::kResultViews);

    outputTab = Named<QWidget>(names::kOutputTab);
    const FileGroup out = BuildFileGroup(
        {names::kOutputGroup, names::kOutDirPanel, names::kOutDirLabel, names::kChangeButton,
         names::kOutNameCaption, names::kOutNameEdit, names::kOutputFormatCaption, names::kOutputFormatBox,
         names::kOutputPreviewCaption, names::kOutputGrid},
        outPreview);
    out.layout->setRowStretch(4, 1);
    outputGroup = out.group;
    outDirLabel = out.dirLabel;
    changeButton = out.button;
    changeButton->setEnabled(false);
    outNameCaption = out.nameCaption;
    outNameEdit = out.nameEdit;
    outputFormatCaption = out.formatCaption;
    outputFormatBox = out.formatBox;
    outputPreviewCaption = out.previewCaption;
    outputPreviewModel = out.model;
    outputGrid = out.grid;
    auto* t4 = new QVBoxLayout(outputTab);
    t4->setContentsMargins(1, 1, 1, 1);
    t4->addWidget(outputGroup);

    rejectsPage = new RejectsPage(rejects);
    logPage = new LogPage(log, dialogs);
    addTab(outputTab, QString());
    addTab(rejectsPage, QString());
    addTab(logPage, QString());
    chartPage = new ChartPage;
    addTab(chartPage, QString());
}

void ResultViews::Retranslate(const LangTexts& lang, CaptionKeys& keys) {
    const auto text = [&lang](LK key) { return lang.Text(key); };
    keys.AddTab(this, 0, text(LK::cpn_shtOutTitle));
    keys.AddTab(this, 1, text(LK::cpn_shtLinTitle));
    keys.AddTab(this, 2, text(LK::cpn_shtLogTitle));
    keys.AddTab(this, 3, text(LK::cpn_shtChartTitle));
    outputGroup->setTitle(Qs(text(LK::cpn_outFile)));
    keys.Add(changeButton, text(LK::btn_changer));
    keys.Add(outNameCaption, text(LK::cpn_outFileName));
    keys.Add(outputFormatCaption, text(LK::cpn_outfileFmt));
    keys.Add(outputPreviewCaption, text(LK::cpn_outFilePreview));
    outputGrid->setAccessibleName(Qs(text(LK::acc_outPreview)));
    for (QPushButton* b : {logPage->saveButton, logPage->clearButton, logPage->textColorButton, logPage->backColorButton})
        keys.Add(b, WithoutMnemonic(Cp(b->text()))); // the program's own words, whatever the language
    logPage->logView->setAccessibleName(Qs(text(LK::cpn_shtLogTitle)));
    chartPage->Retranslate(lang);
    rejectsPage->Retranslate(lang);
}

void ResultViews::ShowOutName(const QString& name, bool valid) {
    outNameEdit->setText(valid ? name : QStringLiteral(" "));
    SetReadableBackground(outNameEdit, QPalette::Base, valid ? QColor(Qt::white) : QColor(Qt::red), QPalette::Text);
}

} // namespace lmx

#include "ui/ResultViews.h"
#include "ui/FileGroup.h"

#include "env/ULang.h"
#include "ui/UGridCells.h"
#include "ui/UQt.h"
#include "ui/UGridModel.h"
#include "ui/ChartPage.h"
#include "ui/LogPage.h"
#include "ui/RejectsPage.h"
#include "ui/UWidgets.h"

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
    setObjectName("PageControl2");

    outputTab = Named<QWidget>("TabSheet4");
    const FileGroup out = BuildFileGroup(
        {"GroupBox2", "Panel2", "Label16", "BitBtn4", "Label4", "Edit2", "Label5", "ComboBox2", "Label6", "StringGrid2"},
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

void ResultViews::Retranslate(const LangTexts& lang) {
    const auto text = [&lang](LK key) { return Qs(lang.Text(key)); };
    outputGroup->setTitle(text(LK::cpn_outFile));
    changeButton->setText(text(LK::btn_changer));
    outNameCaption->setText(text(LK::cpn_outFileName));
    outputFormatCaption->setText(text(LK::cpn_outfileFmt));
    outputPreviewCaption->setText(text(LK::cpn_outFilePreview));
    setTabText(0, text(LK::cpn_shtOutTitle));
    setTabText(1, text(LK::cpn_shtLinTitle));
    setTabText(2, text(LK::cpn_shtLogTitle));
    setTabText(3, text(LK::cpn_shtChartTitle));
    chartPage->Retranslate(lang);
    rejectsPage->Retranslate(lang);
}

void ResultViews::ShowOutName(const QString& name, bool valid) {
    outNameEdit->setText(valid ? name : QStringLiteral(" "));
    QPalette pal = outNameEdit->palette();
    pal.setColor(QPalette::Base, valid ? QColor(Qt::white) : QColor(Qt::red));
    outNameEdit->setPalette(pal);
}

} // namespace lmx

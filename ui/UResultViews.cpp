#include "ui/UResultViews.h"

#include "env/ULang.h"
#include "ui/UGridCells.h"
#include "ui/UQt.h"
#include "ui/UGridModel.h"
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

UResultViews::UResultViews(GridCells& outPreview, const IGridSource& rejects, Log& log, IDialogs& dialogs,
                           QWidget* parent)
    : QTabWidget(parent) {
    setObjectName("PageControl2");

    outputTab = Named<QWidget>("TabSheet4");
    outputGroup = NamedGroup("GroupBox2");
    outDirPanel = Named<QWidget>("Panel2");
    outDirLabel = NamedLabel("Label16");
    outDirLabel->setWordWrap(true);
    outDirLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* p2 = new QHBoxLayout(outDirPanel);
    p2->setContentsMargins(0, 0, 0, 0);
    p2->addWidget(outDirLabel);
    outDirPanel->setFixedHeight(2 * outDirLabel->fontMetrics().lineSpacing());
    changeButton = NamedButton("BitBtn4");
    changeButton->setEnabled(false);
    outNameCaption = NamedLabel("Label4");
    outNameEdit = Named<QLineEdit>("Edit2");
    outNameEdit->setReadOnly(true);
    outputFormatCaption = NamedLabel("Label5");
    outputFormatBox = Named<QComboBox>("ComboBox2");
    outputFormatBox->setMinimumWidth(160);
    outputPreviewCaption = NamedLabel("Label6");
    outputPreviewGrid = Named<QTableView>("StringGrid2");
    outputPreviewModel = new UGridModel(outPreview, outputPreviewGrid);
    outputPreviewGrid->setModel(outputPreviewModel);
    SetupGridView(outputPreviewGrid, 20, true);
    outputPreviewGrid->setFixedHeight(4 * 16 + 2 + 16);
    outputPreviewCaption->setWordWrap(true);

    auto* g = new QGridLayout(outputGroup);
    g->setContentsMargins(6, 2, 6, 4);
    g->setVerticalSpacing(2);
    g->addWidget(outDirPanel, 0, 0, 1, 3);
    g->addWidget(changeButton, 0, 3);
    g->addWidget(outNameCaption, 1, 0);
    g->addWidget(outNameEdit, 1, 1, 1, 3);
    g->addWidget(outputFormatCaption, 2, 0);
    g->addWidget(outputFormatBox, 2, 1);
    g->addWidget(outputPreviewCaption, 3, 0, 1, 4);
    g->addWidget(outputPreviewGrid, 4, 0, 1, 4);
    g->setColumnStretch(2, 1);
    g->setRowStretch(4, 1);
    auto* t4 = new QVBoxLayout(outputTab);
    t4->setContentsMargins(1, 1, 1, 1);
    t4->addWidget(outputGroup);

    rejectsPage = new RejectsPage(rejects);
    logPage = new LogPage(log, dialogs);
    addTab(outputTab, QString());
    addTab(rejectsPage, QString());
    addTab(logPage, QString());
}

void UResultViews::Retranslate(const LangTexts& lang) {
    const auto text = [&lang](LK key) { return Qs(lang.Text(key)); };
    outputGroup->setTitle(text(LK::cpn_outFile));
    changeButton->setText(text(LK::btn_changer));
    outNameCaption->setText(text(LK::cpn_outFileName));
    outputFormatCaption->setText(text(LK::cpn_outfileFmt));
    outputPreviewCaption->setText(text(LK::cpn_outFilePreview));
    setTabText(0, text(LK::cpn_shtOutTitle));
    setTabText(1, text(LK::cpn_shtLinTitle));
    setTabText(2, text(LK::cpn_shtLogTitle));
    rejectsPage->Retranslate(lang);
}

void UResultViews::ShowOutName(const QString& name, bool valid) {
    outNameEdit->setText(valid ? name : QStringLiteral(" "));
    QPalette pal = outNameEdit->palette();
    pal.setColor(QPalette::Base, valid ? QColor(Qt::white) : QColor(Qt::red));
    outNameEdit->setPalette(pal);
}

} // namespace lmx

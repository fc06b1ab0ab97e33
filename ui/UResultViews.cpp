#include "ui/UResultViews.h"

#include "ui/UGridCells.h"
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

    TabSheet4 = Named<QWidget>("TabSheet4");
    GroupBox2 = NamedGroup("GroupBox2", QStringLiteral(" Sortie : "));
    Panel2 = Named<QWidget>("Panel2");
    Label16 = NamedLabel("Label16");
    Label16->setWordWrap(true);
    Label16->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* p2 = new QHBoxLayout(Panel2);
    p2->setContentsMargins(0, 0, 0, 0);
    p2->addWidget(Label16);
    Panel2->setFixedHeight(2 * Label16->fontMetrics().lineSpacing());
    BitBtn4 = NamedButton("BitBtn4", QStringLiteral("Changer"));
    BitBtn4->setEnabled(false);
    Label4 = NamedLabel("Label4", QStringLiteral("Fichier de r\u00E9sultats : "));
    Edit2 = Named<QLineEdit>("Edit2");
    Edit2->setReadOnly(true);
    Label5 = NamedLabel("Label5", QStringLiteral("Format du fichier en sortie :"));
    ComboBox2 = Named<QComboBox>("ComboBox2");
    ComboBox2->setMinimumWidth(160);
    Label6 = NamedLabel("Label6", QStringLiteral("Apper\u00E7u des 1\u00E8res lignes du fichier apr\u00E8s convertion, en "
                                                  "colonnes, selon le format s\u00E9lectionn\u00E9"));
    StringGrid2 = Named<QTableView>("StringGrid2");
    StringGrid2Model = new UGridModel(outPreview, StringGrid2);
    StringGrid2->setModel(StringGrid2Model);
    SetupGridView(StringGrid2, 20, true);
    StringGrid2->setFixedHeight(4 * 16 + 2 + 16);
    Label6->setWordWrap(true);

    auto* g = new QGridLayout(GroupBox2);
    g->setContentsMargins(6, 2, 6, 4);
    g->setVerticalSpacing(2);
    g->addWidget(Panel2, 0, 0, 1, 3);
    g->addWidget(BitBtn4, 0, 3);
    g->addWidget(Label4, 1, 0);
    g->addWidget(Edit2, 1, 1, 1, 3);
    g->addWidget(Label5, 2, 0);
    g->addWidget(ComboBox2, 2, 1);
    g->addWidget(Label6, 3, 0, 1, 4);
    g->addWidget(StringGrid2, 4, 0, 1, 4);
    g->setColumnStretch(2, 1);
    g->setRowStretch(4, 1);
    auto* t4 = new QVBoxLayout(TabSheet4);
    t4->setContentsMargins(1, 1, 1, 1);
    t4->addWidget(GroupBox2);

    TabSheet5 = new RejectsPage(rejects);
    TabSheet6 = new LogPage(log, dialogs);
    addTab(TabSheet4, QStringLiteral("Pr\u00E9visualisation du r\u00E9sultat"));
    addTab(TabSheet5, QStringLiteral("Lignes rejett\u00E9es"));
    addTab(TabSheet6, QStringLiteral("Log"));
}

void UResultViews::ShowOutName(const QString& name, bool valid) {
    Edit2->setText(valid ? name : QStringLiteral(" "));
    QPalette pal = Edit2->palette();
    pal.setColor(QPalette::Base, valid ? QColor(Qt::white) : QColor(Qt::red));
    Edit2->setPalette(pal);
}

} // namespace lmx

#include "ui/FileGroup.h"

#include "ui/GridModel.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableView>

namespace lmx {

FileGroup BuildFileGroup(const FileGroupNames& n, GridCells& preview) {
    FileGroup g{};
    g.group = NamedGroup(n.group);
    g.dirPanel = Named<QWidget>(n.dirPanel);
    g.dirLabel = NamedLabel(n.dirLabel);
    g.dirLabel->setWordWrap(true);
    g.dirLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* panel = new QHBoxLayout(g.dirPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(g.dirLabel);
    g.dirPanel->setFixedHeight(2 * g.dirLabel->fontMetrics().lineSpacing());
    g.button = NamedButton(n.button);
    g.nameCaption = NamedLabel(n.nameCaption);
    g.nameEdit = Named<QLineEdit>(n.nameEdit);
    g.nameEdit->setReadOnly(true);
    g.formatCaption = NamedLabel(n.formatCaption);
    g.formatBox = Named<QComboBox>(n.formatBox);
    g.formatBox->setMinimumWidth(160);
    g.previewCaption = NamedLabel(n.previewCaption);
    g.grid = Named<GridView>(n.grid);
    g.model = new GridModel(preview, g.grid);
    g.grid->setModel(g.model);
    SetupGridView(g.grid, 20, true);
    g.grid->setFixedHeight(4 * 16 + 2 + 16); // four rows and a horizontal scroll bar
    g.previewCaption->setWordWrap(true);
    // Each caption names its field for screen readers, and its key gives the field the focus.
    g.nameCaption->setBuddy(g.nameEdit);
    g.formatCaption->setBuddy(g.formatBox);
    g.previewCaption->setBuddy(g.grid);

    g.layout = new QGridLayout(g.group);
    g.layout->setContentsMargins(6, 2, 6, 4);
    g.layout->setVerticalSpacing(2);
    g.layout->addWidget(g.dirPanel, 0, 0, 1, 3);
    g.layout->addWidget(g.button, 0, 3);
    g.layout->addWidget(g.nameCaption, 1, 0);
    g.layout->addWidget(g.nameEdit, 1, 1, 1, 3);
    g.layout->addWidget(g.formatCaption, 2, 0);
    g.layout->addWidget(g.formatBox, 2, 1);
    g.layout->addWidget(g.previewCaption, 3, 0, 1, 4);
    g.layout->addWidget(g.grid, 4, 0, 1, 4);
    g.layout->setColumnStretch(2, 1);
    return g;
}

} // namespace lmx

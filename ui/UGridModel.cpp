#include "ui/UGridModel.h"

#include "ui/UGridCells.h"
#include "ui/UQt.h"

#include <QBrush>
#include <QHeaderView>
#include <QTableView>

namespace lmx {

int GridCellsSource::ColCount() const { return cells_.ColCount(); }
int GridCellsSource::RowCount() const { return cells_.RowCount(); }
std::string GridCellsSource::Cell(int col, int row) const { return cells_.Cell(col, row); }
uint32_t GridCellsSource::FixedColor() const { return cells_.FixedColor; }
bool GridCellsSource::IsUtf8Data(int col, int row) const { return cells_.Utf8Data && col > 0 && row > 0; }

QString CellText(const IGridSource& source, int col, int row) {
    const std::string text = source.Cell(col, row);
    if (source.IsPath(col, row)) return PathText(text);
    // The toolkit's decoder shows every malformed sequence as U+FFFD.
    if (source.IsUtf8Data(col, row)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return Qs(text);
}

UGridModel::UGridModel(const IGridSource& source, QObject* parent) : QAbstractTableModel(parent), source_(source) {}

UGridModel::UGridModel(const GridCells& cells, QObject* parent)
    : QAbstractTableModel(parent), owned_(std::make_unique<GridCellsSource>(cells)), source_(*owned_) {}

int UGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : source_.RowCount(); }

int UGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : source_.ColCount(); }

QVariant UGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const bool fixed = index.row() == 0 || index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return CellText(source_, index.column(), index.row());
    case Qt::BackgroundRole:
        if (fixed) return QBrush(ColorFromBgr(source_.FixedColor()));
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags UGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void UGridModel::Refresh() {
    beginResetModel();
    endResetModel();
}

void SetupGridView(QTableView* view, int firstColWidth) {
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(16);
    view->horizontalHeader()->setDefaultSectionSize(64);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setProperty("firstColWidth", firstColWidth);
    view->setColumnWidth(0, firstColWidth);
    // The view forgets its column widths when the model resets; the fixed column keeps its width.
    if (QAbstractItemModel* m = view->model())
        QObject::connect(m, &QAbstractItemModel::modelReset, view,
                         [view, firstColWidth] { view->setColumnWidth(0, firstColWidth); });
}

} // namespace lmx

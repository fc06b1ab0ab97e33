#include "ui/GridModel.h"

#include "ui/GridCells.h"
#include "ui/QtBridge.h"

#include <QAbstractButton>
#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QTableView>

#include <algorithm>

namespace lmx {

std::string IGridSource::WidestRowTitle() const {
    std::string widest;
    for (int r = 1; r < RowCount(); ++r) {
        std::string t = Cell(0, r);
        if (t.size() > widest.size()) widest = std::move(t);
    }
    return widest;
}

int GridCellsSource::ColCount() const { return cells_.ColCount(); }
int GridCellsSource::RowCount() const { return cells_.RowCount(); }
std::string GridCellsSource::Cell(int col, int row) const { return cells_.Cell(col, row); }
uint32_t GridCellsSource::FixedColor() const { return cells_.FixedColor; }
bool GridCellsSource::IsUtf8Data(int col, int row) const { return col > 0 && row > 0 && cells_.RowUtf8(row); }

QString CellText(const IGridSource& source, int col, int row) {
    const std::string text = source.Cell(col, row);
    if (source.IsPath(col, row)) return PathText(text);
    // The toolkit's decoder shows every malformed sequence as U+FFFD.
    if (source.IsUtf8Data(col, row)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return Qs(text);
}

GridModel::GridModel(const IGridSource& source, QObject* parent)
    : QAbstractTableModel(parent), source_(source), rows_(source.RowCount()), cols_(source.ColCount()),
      generation_(source.Generation()) {}

GridModel::GridModel(const GridCells& cells, QObject* parent)
    : QAbstractTableModel(parent), owned_(std::make_unique<GridCellsSource>(cells)), source_(*owned_),
      rows_(source_.RowCount()), cols_(source_.ColCount()) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return orientation == Qt::Horizontal ? CellText(source_, section, 0) : CellText(source_, 0, section);
    case Qt::BackgroundRole:
        return QBrush(ColorFromBgr(source_.FixedColor()));
    default:
        return {};
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
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

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::Refresh() {
    const int rows = source_.RowCount();
    const int cols = source_.ColCount();
    // Six million rejected lines: the view is told of the new rows only, never made to forget all.
    if (source_.AppendsOnly() && source_.Generation() == generation_ && cols == cols_ && rows >= rows_) {
        if (rows > rows_) {
            beginInsertRows(QModelIndex(), rows_, rows - 1);
            rows_ = rows;
            endInsertRows();
        }
        return;
    }
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    generation_ = source_.Generation();
    endResetModel();
}

namespace {

const QColor kGridLine(0xC0, 0xC0, 0xC0);

// A fixed cell: its colour, its text two pixels in from the left, its lines on the right and below.
// The text is the theme's, made readable on the cell's own colour (a dark theme's light text would
// not read on sky blue).
void PaintFixedCell(QPainter& p, const QRect& r, const QVariant& fill, const QString& text, const QColor& ink) {
    p.save();
    const QBrush brush = fill.canConvert<QBrush>() ? fill.value<QBrush>() : QBrush(Qt::lightGray);
    p.fillRect(r, brush);
    p.setPen(TextOn(ink, brush.color()));
    p.drawText(r.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.setPen(kGridLine);
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.restore();
}

// The title row or the column of row numbers, drawn as the fixed cells of a string grid.
class FixedHeader final : public QHeaderView {
public:
    FixedHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid() || !model()) return;
        PaintFixedCell(*painter, rect, model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole),
                       model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString(),
                       palette().color(QPalette::Text));
    }
};

// The corner above the row numbers shows cell (0, 0) ("N°" over the rejected lines).
class CornerPainter final : public QObject {
public:
    explicit CornerPainter(QTableView* view) : QObject(view), view_(view) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* corner = static_cast<QWidget*>(watched);
        QPainter p(corner);
        const QAbstractItemModel* m = view_->model();
        const bool any = m && m->rowCount() > 0 && m->columnCount() > 0;
        PaintFixedCell(p, corner->rect(), any ? m->headerData(0, Qt::Horizontal, Qt::BackgroundRole) : QVariant(),
                       any ? m->index(0, 0).data().toString() : QString(),
                       view_->palette().color(QPalette::Active, QPalette::Text)); // the button is disabled, not its title
        return true;
    }

private:
    QTableView* view_;
};

// Row 0 and column 0 live in the headers; the column of numbers as wide as its widest one.
void FitFixedParts(QTableView* view, int firstColWidth, bool fitColumns) {
    auto* m = qobject_cast<GridModel*>(view->model());
    if (!m) return;
    if (m->rowCount() > 0) view->setRowHidden(0, true);
    if (m->columnCount() > 0) view->setColumnHidden(0, true);
    QHeaderView* rows = view->verticalHeader();
    const int width = rows->fontMetrics().horizontalAdvance(Qs(m->Source().WidestRowTitle())) + 6;
    rows->setFixedWidth(std::max(firstColWidth, width));
    if (!fitColumns) return;
    // A few preview rows: every column as wide as its title and its fields, within reason.
    view->resizeColumnsToContents();
    for (int c = 1; c < m->columnCount(); ++c) view->setColumnWidth(c, std::clamp(view->columnWidth(c), 24, 320));
}

} // namespace

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (currentIndex().isValid() || !model() || !selectionModel()) return;
    // The first cell shown (row 0 and column 0 are the headers) takes the focus frame, unselected.
    for (int r = 0; r < model()->rowCount(); ++r) {
        if (isRowHidden(r)) continue;
        for (int c = 0; c < model()->columnCount(); ++c)
            if (!isColumnHidden(c)) {
                selectionModel()->setCurrentIndex(model()->index(r, c), QItemSelectionModel::NoUpdate);
                return;
            }
        return;
    }
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!hasFocus() || currentIndex().isValid()) return;
    QPainter p(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = viewport()->rect().adjusted(1, 1, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &p, this);
}

void SetupGridView(QTableView* view, int firstColWidth, bool fitColumns) {
    auto* columns = new FixedHeader(Qt::Horizontal, view);
    auto* rows = new FixedHeader(Qt::Vertical, view);
    view->setHorizontalHeader(columns);
    view->setVerticalHeader(rows);
    columns->setFixedHeight(16);
    columns->setDefaultSectionSize(64);
    columns->setMinimumSectionSize(8);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(16);
    rows->setMinimumSectionSize(16);
    rows->setSectionsClickable(false);
    rows->setHighlightSections(false);
    view->setCornerButtonEnabled(false);
    if (auto* corner = view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->installEventFilter(new CornerPainter(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setProperty("firstColWidth", firstColWidth);
    auto* m = qobject_cast<GridModel*>(view->model());
    if (!m) return;
    FitFixedParts(view, firstColWidth, fitColumns);
    // The view forgets its hidden sections and widths when the model resets.
    QObject::connect(m, &QAbstractItemModel::modelReset, view,
                     [view, firstColWidth, fitColumns] { FitFixedParts(view, firstColWidth, fitColumns); });
    QObject::connect(m, &QAbstractItemModel::rowsInserted, view,
                     [view, firstColWidth] { FitFixedParts(view, firstColWidth, false); });
}

} // namespace lmx

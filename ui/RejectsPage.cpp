#include "ui/RejectsPage.h"

#include "common/Text.h"
#include "core/RejectTable.h"
#include "env/LangTexts.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QTableView>
#include <QVBoxLayout>

#include <climits>

namespace lmx {

int RejectTableSource::ColCount() const { return static_cast<int>(table_.cols()); }
int RejectTableSource::RowCount() const {
    return table_.rows() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(table_.rows());
}
std::string RejectTableSource::Cell(int col, int row) const {
    if (col < 0 || row < 0) return {};
    return table_.cell(static_cast<std::size_t>(row), static_cast<std::size_t>(col));
}
uint32_t RejectTableSource::FixedColor() const { return kLightPink; }
uint64_t RejectTableSource::Generation() const { return table_.Generation(); }
std::string RejectTableSource::WidestRowTitle() const {
    // Row 1 holds "..."; the numbers grow down each file, and the largest one is kept aside.
    const std::string largest = IntToStr(table_.LargestLineNo());
    return largest.size() > 3 ? largest : std::string("...");
}
bool RejectTableSource::IsPath(int col, int row) const {
    return col == 1 && row > 0 && table_.cell(static_cast<std::size_t>(row), 0).empty();
}
LineError RejectTableSource::RowCode(int row) const {
    return row < 0 ? leUnknown : table_.code(static_cast<std::size_t>(row));
}
bool RejectTableSource::IsUtf8Data(int col, int row) const {
    // Columns 2 on of a rejected line: the line or its fields.
    if (table_.Shown == DataShown::Cp1252 || col < 2 || row <= 0) return false;
    const auto r = static_cast<std::size_t>(row);
    if (table_.cell(r, 0).empty()) return false;
    if (table_.Shown == DataShown::Utf8) return true;
    // The line is judged whole: UTF-8 when all of it is.
    if (judgedRow_ != row || judgedGeneration_ != table_.Generation()) {
        judgedUtf8_ = true;
        for (std::size_t c = 2; c < table_.cols() && judgedUtf8_; ++c) judgedUtf8_ = IsUtf8(table_.cell(r, c));
        judgedRow_ = row;
        judgedGeneration_ = table_.Generation();
    }
    return judgedUtf8_;
}

namespace {
// The grid draws its own lines (the view's are off) so that a band can leave them out.
const QColor kLineColor(0xC0, 0xC0, 0xC0);

void DrawLines(QPainter* painter, const QRect& r, bool right) {
    painter->setPen(kLineColor);
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (right) painter->drawLine(r.topRight(), r.bottomRight());
}
} // namespace

RejectsDelegate::RejectsDelegate(QTableView* view, const IGridSource& source)
    : QStyledItemDelegate(view), view_(view), source_(source) {}

bool RejectsDelegate::IsWholeLineCode(LineError code) {
    return code == leUnstring || code == leDecSep || code == leWrite;
}

int RejectsDelegate::BandOffset(int first, int col) const {
    int offset = 0;
    for (int c = first; c < col; ++c) offset += view_->columnWidth(c);
    return offset;
}

void RejectsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int col = index.column();
    const int row = index.row();
    const bool last = col == source_.ColCount() - 1;
    const QRect cell = option.rect;

    painter->save();
    // Row 0 and column 0 are the view's headers, drawn by them.
    if (source_.Cell(0, row).empty()) {
        // A file title row: the path in white on a red band from column 1 to the last, the red
        // just dark enough for the white to read.
        static const QColor band = ReadableOn(Qt::red, Qt::white);
        painter->fillRect(cell, band);
        painter->setClipRect(cell);
        painter->setPen(Qt::white);
        const int left = cell.left() + 2 - BandOffset(1, col);
        painter->drawText(QRect(left, cell.top() + 2, 100000, cell.height()), Qt::AlignLeft | Qt::AlignTop,
                          CellText(source_, 1, row));
        painter->setClipping(false);
        if (last) DrawLines(painter, cell, true);
    } else if (col >= 2 && IsWholeLineCode(source_.RowCode(row))) {
        // Only the cell's background (with the selection): the continuous line must be the one
        // text on the row, never over the cell's own shortened text.
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        opt.text.clear();
        opt.features &= ~QStyleOptionViewItem::HasDisplay;
        const QWidget* widget = option.widget ? option.widget : view_;
        widget->style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
        painter->setClipRect(cell);
        painter->setPen(option.palette.color((option.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                      : QPalette::Text));
        const int left = cell.left() + 2 - BandOffset(2, col);
        painter->drawText(QRect(left, cell.top() + 2, 100000, cell.height()), Qt::AlignLeft | Qt::AlignTop,
                          CellText(source_, 2, row));
        painter->setClipping(false);
        DrawLines(painter, cell, last);
    } else {
        QStyledItemDelegate::paint(painter, option, index);
        DrawLines(painter, cell, true);
    }
    painter->restore();
}

RejectsPage::RejectsPage(const IGridSource& source, QWidget* parent) : QWidget(parent), source_(source) {
    setObjectName(names::kRejectsPage);
    grid = Named<GridView>(names::kRejectsGrid);
    model_ = new GridModel(source_, grid);
    grid->setModel(model_);
    SetupGridView(grid, 30);
    grid->setShowGrid(false);
    grid->setItemDelegate(new RejectsDelegate(grid, source_));
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur) {
                if (cur.isValid()) onCellSelected(cur.column(), cur.row());
            });

    titleLabel = NamedLabel(names::kRejectsTitle);
    countLabel = NamedLabel(names::kRejectsCount, QStringLiteral("..."));
    explanationLabel = NamedLabel(names::kRejectExplanation);
    explanationLabel->setWordWrap(true);
    explanationLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // As high as its text needs at its width: the grid gives up the height.
    QSizePolicy tall(QSizePolicy::Preferred, QSizePolicy::Minimum);
    tall.setHeightForWidth(true);
    explanationLabel->setSizePolicy(tall);
    explanationLabel->setMinimumHeight(3 * fontMetrics().lineSpacing() + 2);

    auto* under = new QHBoxLayout;
    under->addWidget(titleLabel, 0, Qt::AlignTop);
    under->addWidget(countLabel, 0, Qt::AlignTop);
    under->addSpacing(12);
    under->addWidget(explanationLabel, 1);
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(4, 4, 4, 4);
    col->addWidget(grid, 1);
    col->addLayout(under);
}

void RejectsPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Three lines at the least, a "#Unstring" explanation at the default size.
    if (event->type() == QEvent::FontChange) explanationLabel->setMinimumHeight(3 * fontMetrics().lineSpacing() + 2);
}

void RejectsPage::Refresh() { model_->Refresh(); }

void RejectsPage::ShowCount(const QString& count) { countLabel->setText(count); }

void RejectsPage::onCellSelected(int, int row) {
    if (source_.RowCode(row) == leUnknown || !Explain) {
        explanationLabel->setText(QStringLiteral(" "));
        return;
    }
    explanationLabel->setText(Qs(Explain(row)));
}

void RejectsPage::Retranslate(const LangTexts& lang) {
    titleLabel->setText(Qs(lang.Text(LK::cpn_shtLinTitle)));
    grid->setAccessibleName(titleLabel->text());
}

} // namespace lmx

#pragma once
// A read-only table model over grid texts held elsewhere; the view is told to refresh once a batch
// of changes is done, never per cell.
#include "core/LineErrorCode.h"

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lmx {

class GridCells;

class IGridSource {
public:
    virtual ~IGridSource() = default;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual std::string Cell(int col, int row) const = 0;
    virtual uint32_t FixedColor() const = 0;
    // A cell that holds a path (the file system's bytes), not a text of the program.
    virtual bool IsPath(int col, int row) const {
        (void)col, (void)row;
        return false;
    }
    // Sources that only append rows between two changes of Generation() (the rejected lines) are
    // followed by insertions; the others are read again whole at every refresh.
    virtual bool AppendsOnly() const { return false; }
    virtual uint64_t Generation() const { return 0; }
    // The widest text of column 0 (rows 1 on): the fixed column of row numbers fits it.
    virtual std::string WidestRowTitle() const;
    // A cell that holds bytes of a data line in UTF-8, the data files' encoding.
    virtual bool IsUtf8Data(int col, int row) const {
        (void)col, (void)row;
        return false;
    }
    // Why the row's line was rejected; leUnknown for a row that is no rejected line.
    virtual LineError RowCode(int row) const {
        (void)row;
        return leUnknown;
    }
};

// A cell as it is shown: a path as the file system's name, UTF-8 data as UTF-8 (a sequence that is
// none as the replacement character), any other text as Windows-1252.
QString CellText(const IGridSource& source, int col, int row);

class GridCellsSource : public IGridSource {
public:
    explicit GridCellsSource(const GridCells& cells) : cells_(cells) {}
    int ColCount() const override;
    int RowCount() const override;
    std::string Cell(int col, int row) const override;
    uint32_t FixedColor() const override;
    bool IsUtf8Data(int col, int row) const override;

private:
    const GridCells& cells_;
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(const IGridSource& source, QObject* parent);
    GridModel(const GridCells& cells, QObject* parent);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Row 0 and column 0 of the source, which the view shows as its fixed title row and column.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void Refresh();
    const IGridSource& Source() const { return source_; }

private:
    std::unique_ptr<IGridSource> owned_;
    const IGridSource& source_;
    int rows_ = 0; // as the view was last told
    int cols_ = 0;
    uint64_t generation_ = 0;
};

// A grid the keyboard reaches and leaves: Tab goes on to the next control (the arrows move inside),
// and the focus shows, on a cell once the grid has it, or around a grid without cells.
class GridView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A table view over a GridModel dressed as a string grid: row 0 and column 0 of the source are its
// headers, so they stay in place while the cells scroll; 16-pixel rows; the column of row numbers
// at least firstColWidth wide and as wide as its widest number; the other columns resizable, and
// with fitColumns made as wide as their texts whenever the model resets (a few rows only).
void SetupGridView(QTableView* view, int firstColWidth, bool fitColumns = false);

} // namespace lmx

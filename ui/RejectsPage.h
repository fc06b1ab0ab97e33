#pragma once
// The rejected-lines page: a grid over the run's table of rejected lines, drawn so that a file's
// path and a whole rejected line read as one text across the cells, and the explanation of the
// selected row below it.
#include "ui/GridModel.h"

#include <QStyledItemDelegate>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QTableView;

namespace lmx {

class LangTexts;
class RejectTable;

// The run's table of rejected lines as the grid reads it; a file's title row holds its path.
class RejectTableSource : public IGridSource {
public:
    explicit RejectTableSource(const RejectTable& table) : table_(table) {}
    int ColCount() const override;
    int RowCount() const override;
    std::string Cell(int col, int row) const override;
    uint32_t FixedColor() const override;
    bool IsPath(int col, int row) const override;
    bool AppendsOnly() const override { return true; }
    uint64_t Generation() const override;
    std::string WidestRowTitle() const override;
    bool IsUtf8Data(int col, int row) const override;
    LineError RowCode(int row) const override;

private:
    const RejectTable& table_;
    // The last row judged for Windows-1252 lines: its cells are drawn one after the other.
    mutable int64_t judgedRow_ = -1;
    mutable uint64_t judgedGeneration_ = 0;
    mutable bool judgedUtf8_ = false;
};

class RejectsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    RejectsDelegate(QTableView* view, const IGridSource& source);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // A row whose code stands for a line that was never split: its whole line spans the columns.
    static bool IsWholeLineCode(LineError code);

private:
    // Left of the text in a cell of a continuous band that starts at column first.
    int BandOffset(int first, int col) const;
    QTableView* view_;
    const IGridSource& source_;
};

class RejectsPage : public QWidget {
    Q_OBJECT
public:
    RejectsPage(const IGridSource& source, QWidget* parent = nullptr);

    // The grid's rows changed (start or end of a run, or a throttled refresh during one).
    void Refresh();
    // countLabel: the number of rejected lines of the last run.
    void ShowCount(const QString& count);
    void Retranslate(const LangTexts& lang);
    // Shows the explanation of the row's error in explanationLabel.
    void onCellSelected(int col, int row);

    // Builds the explanation of a row; set by the conversion page, which knows the last run.
    std::function<std::string(int row)> Explain;

    QTableView* grid;
    QLabel* titleLabel;
    QLabel* countLabel;
    QLabel* explanationLabel;

protected:
    void changeEvent(QEvent* event) override;

private:
    const IGridSource& source_;
    GridModel* model_;
};

} // namespace lmx

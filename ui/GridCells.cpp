#include "ui/GridCells.h"

namespace lmx {

void GridCells::SetSize(int cols, int rows) {
    cols = cols < 0 ? 0 : cols;
    rows = rows < 0 ? 0 : rows;
    std::vector<std::string> next(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    for (int r = 0; r < rows && r < rows_; ++r)
        for (int c = 0; c < cols && c < cols_; ++c)
            next[static_cast<std::size_t>(r * cols + c)] = std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
    cells_ = std::move(next);
    cols_ = cols;
    rows_ = rows;
    utf8Rows_.resize(static_cast<std::size_t>(rows), 0);
}

void GridCells::SetRowUtf8(int row, bool utf8) {
    if (row >= 0 && row < rows_) utf8Rows_[static_cast<std::size_t>(row)] = utf8 ? 1 : 0;
}

bool GridCells::RowUtf8(int row) const { return row >= 0 && row < rows_ && utf8Rows_[static_cast<std::size_t>(row)]; }

const std::string& GridCells::Cell(int col, int row) const {
    static const std::string empty;
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return empty;
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

void GridCells::SetCell(int col, int row, std::string text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    cells_[static_cast<std::size_t>(row * cols_ + col)] = std::move(text);
}

void GridCells::Clear(uint32_t fixedColor) {
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c) cells_[static_cast<std::size_t>(r * cols_ + c)].clear();
    FixedColor = fixedColor;
}

} // namespace lmx

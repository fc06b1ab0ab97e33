#pragma once
// The texts of a string grid, addressed (column, row) like the grids of the window: row 0 and
// column 0 are the fixed titles. Plain data; GridModel shows it.
#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

class GridCells {
public:
    GridCells(int cols, int rows) { SetSize(cols, rows); }

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    // Keeps the texts of the cells that stay inside.
    void SetSize(int cols, int rows);
    const std::string& Cell(int col, int row) const;
    // Cells outside the grid are not stored (a line with more fields than columns).
    void SetCell(int col, int row, std::string text);
    // Empties every cell but the fixed ones and sets the fixed colour.
    void Clear(uint32_t fixedColor);

    // Row row (1 on) holds, from column 1 on, the fields of a data line in UTF-8 (else Windows-1252).
    void SetRowUtf8(int row, bool utf8);
    bool RowUtf8(int row) const;

    uint32_t FixedColor = 0xF0CAA6;

private:
    int cols_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_; // row-major
    std::vector<char> utf8Rows_;
};

} // namespace lmx

#pragma once
// The preview grids' contents: titles from a format, and the first lines of the first source.
#include "common/Cp1252.h"
#include "core/ColumnDraft.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

class GridCells;

// Column count = the format's ColCount + 1, names in row 0 from column 1 on; rows 1..3 numbered.
void SetGridHeaders(GridCells& grid, const Format& fmt);

// Rows 1..3 from the fields of up to three lines; fields beyond the grid's columns are not shown.
// Each line is shown as shown says (a line judged whole, its hidden fields too).
void FillPreviewRows(GridCells& grid, const std::vector<std::vector<std::string>>& rows, DataShown shown);

} // namespace lmx

#pragma once
// The preview grids' contents: titles from a format, and the first lines of the first source.
#include "core/UDataFormats.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

class GridCells;

// Column count = the format's ColCount + 1, names in row 0 from column 1 on; rows 1..3 numbered.
void SetGridHeaders(GridCells& grid, const Format& fmt);

// Rows 1..3 from the fields of up to three lines; fields beyond the grid's columns are not shown.
// With utf8, the grid shows them as UTF-8 (the data files' encoding), else as Windows-1252.
void FillPreviewRows(GridCells& grid, const std::vector<std::vector<std::string>>& rows, bool utf8);

} // namespace lmx

#pragma once
// The preview grids' contents: titles from a format, and the first lines of the first source.
#include "core/UDataFormats.h"

#include <cstdint>
#include <string>

namespace lmx {

class GridCells;

// Column count = the format's ColCount + 1, names in row 0 from column 1 on; rows 1..3 numbered.
void SetGridHeaders(GridCells& grid, const TFmtDef& fmt);

// Fills rows 1..3 from the first three lines of path cut at sep; avgLineLen is the average length
// of the lines read. Lines end with CR LF, LF or a lone CR. -1 when the file cannot be read.
int FeedInPreview(GridCells& grid, const std::string& path, const std::string& sep, int32_t& avgLineLen);

} // namespace lmx

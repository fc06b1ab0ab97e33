#include "ui/Preview.h"

#include "common/Text.h"
#include "ui/GridCells.h"
#include "ui/QtBridge.h"


namespace lmx {

void SetGridHeaders(GridCells& grid, const Format& fmt) {
    const int32_t count = fmt.ColumnCount();
    grid.SetSize(count + 1, 4);
    for (int32_t c = 1; c <= count; ++c) grid.SetCell(c, 0, fmt.columns[static_cast<std::size_t>(c - 1)].name);
    for (int r = 1; r <= 3; ++r) grid.SetCell(0, r, IntToStr(r));
}

void FillPreviewRows(GridCells& grid, const std::vector<std::vector<std::string>>& rows, DataShown shown) {
    for (std::size_t r = 0; r < rows.size() && r < 3; ++r) {
        bool utf8 = shown != DataShown::Cp1252;
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            grid.SetCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
            if (shown == DataShown::Utf8Else1252 && !IsUtf8(rows[r][c])) utf8 = false;
        }
        grid.SetRowUtf8(static_cast<int>(r) + 1, utf8);
    }
}

} // namespace lmx

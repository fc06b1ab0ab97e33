#include "ui/UPreview.h"

#include "common/Text.h"
#include "core/ULineReader.h"
#include "ui/UGridCells.h"
#include "ui/UQt.h"

#include <string_view>

namespace lmx {

void SetGridHeaders(GridCells& grid, const TFmtDef& fmt) {
    int32_t count = 0;
    if (!StrToInt32(fmt.ColCount, count) || count < 0) count = 0;
    grid.SetSize(count + 1, 4);
    for (int32_t c = 1; c <= count; ++c)
        grid.SetCell(c, 0, static_cast<std::size_t>(c - 1) < fmt.Cols.size() ? fmt.Cols[c - 1][cfName] : std::string());
    for (int r = 1; r <= 3; ++r) grid.SetCell(0, r, IntToStr(r));
}

namespace {

// Up to three lines, through the reader the run uses: CR LF, LF or a lone CR end a line, so the
// preview never drops a byte of a line that ends differently.
bool ReadFirstLines(const std::string& path, std::vector<std::string>& lines) {
    LineReader reader(64 * 1024);
    if (!reader.Open(path)) return false;
    std::string_view line;
    while (lines.size() < 3 && reader.Next(line)) lines.emplace_back(line);
    return !reader.Error();
}

} // namespace

int FeedInPreview(GridCells& grid, const std::string& path, const std::string& sep, int32_t& avgLineLen) {
    grid.Clear(kSkyBlue);
    avgLineLen = 0;
    std::vector<std::string> lines;
    if (!ReadFirstLines(path, lines)) return -1;
    int64_t chars = 0;
    for (std::size_t r = 0; r < lines.size(); ++r) {
        const std::string& line = lines[r];
        chars += static_cast<int64_t>(line.size());
        int col = 1;
        std::size_t start = 0;
        while (true) {
            const std::size_t at = sep.empty() ? std::string::npos : line.find(sep, start);
            grid.SetCell(col, static_cast<int>(r) + 1, line.substr(start, at == std::string::npos ? std::string::npos : at - start));
            if (at == std::string::npos) break;
            start = at + sep.size();
            ++col;
        }
    }
    if (!lines.empty()) avgLineLen = static_cast<int32_t>(chars / static_cast<int64_t>(lines.size()));
    return 0;
}

} // namespace lmx

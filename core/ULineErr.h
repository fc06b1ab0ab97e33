#pragma once
// Rejected lines: the code names, the table the rejected-lines view shows, the recording of one
// rejected line, and the sentence that explains a code to the user.
#include "core/UDataFormats.h"
#include "core/URunState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class Log;
class LangTexts;

// Line-error codes.
enum LineError : int { leOk = 0, leUnstring = 1, leDecSep = 2, leWrite = 3, leDate = 4, leValue = 5, leType = 6 };

// "#ok", "#Unstring", "#Dec Sep.", "#Write", "#Date", "#Value", "#Type": index = line-error code.
const std::array<std::string_view, 7>& LineErrorNames();

// The rows of the rejected-lines view, kept compactly: all cells of all rows in one byte string,
// with the offsets of their ends. Row 0 holds the titles, row 1 the "..." mark; rows only grow.
class RejectTable {
public:
    // Titles "N°", "#Error", then the names of the input columns.
    void Prepare(const TFmtDef& in, int32_t inColCount);

    std::size_t cols() const { return cols_; }
    std::size_t rows() const { return rowFirst_.empty() ? 0 : rowFirst_.size() - 1; }
    // Empty for a cell the row does not hold.
    std::string_view cell(std::size_t row, std::size_t col) const;

    // Appending: BeginRow, then the cells from column 0 on (at most cols() of them).
    void BeginRow();
    void AddCell(std::string_view text);

private:
    std::size_t cols_ = 0;
    std::string data_;
    std::vector<std::size_t> cellEnd_;  // end offset in data_ of every cell, rows after rows
    std::vector<std::size_t> rowFirst_; // index in cellEnd_ of each row's first cell; one past the last
};

// Records the rejected lines of a run in the table.
class LineErrWriter {
public:
    LineErrWriter(RejectTable& table, RunState& run, Log& log) : table_(table), run_(run), log_(log) {}

    // The input separator and column count used to split the lines of codes 4 to 6.
    void SetInput(std::string_view colSep, int32_t inColCount) {
        colSep_.assign(colSep);
        inColCount_ = inColCount;
    }

    void WriteErrLine(int code, std::string_view line, int64_t lineNo, int64_t colNo);

private:
    RejectTable& table_;
    RunState& run_;
    Log& log_;
    std::string colSep_;
    int32_t inColCount_ = 0;
};

// The explanation of a code name. For "#Unstring": sep is the input separator, value the line and
// expectedCount the number of separators of a valid line; for "#Date" value is the date.
std::string LineErrorText(std::string_view name, std::string_view sep, std::string_view value,
                          int32_t expectedCount, const LangTexts& texts);

} // namespace lmx

#pragma once
// Rejected lines: the code names, the recording of one rejected line, and the sentence that
// explains a code to the user.
#include "core/ColumnDraft.h"
#include "core/LineErrorCode.h"
#include "core/RejectTable.h"
#include "core/RunState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class Log;
class LangTexts;

// Hands the rejected lines of a run to a sink: the window's table, the converter's file.
class LineErrWriter {
public:
    LineErrWriter(IRejectSink& sink, RunState& run, Log& log) : sink_(sink), run_(run), log_(log) {}

    // The input separator and column count used to split the lines of codes 4 to 7, and whether
    // the fields may stand in quotes (a separator inside them does not cut).
    void SetInput(std::string_view colSep, int32_t inColCount, bool quoted = false) {
        colSep_.assign(colSep);
        inColCount_ = inColCount;
        quoted_ = quoted;
    }

    void WriteErrLine(int code, std::string_view line, int64_t lineNo, int64_t colNo);

private:
    IRejectSink& sink_;
    RunState& run_;
    Log& log_;
    std::string colSep_;
    int32_t inColCount_ = 0;
    bool quoted_ = false;
    std::vector<std::string_view> cells_;
};

// The explanation of a code. For leUnstring: sep is the input separator, value the line and
// expectedCount the number of separators of a valid line; for leDate value is the date.
std::string LineErrorText(LineError code, std::string_view sep, std::string_view value,
                          int32_t expectedCount, const LangTexts& texts);

} // namespace lmx

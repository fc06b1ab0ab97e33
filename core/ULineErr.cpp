#include "core/ULineErr.h"

#include "common/Text.h"
#include "core/ULog.h"
#include "env/ULang.h"

namespace lmx {

const std::array<std::string_view, 7>& LineErrorNames() {
    static constexpr std::array<std::string_view, 7> kNames{"#ok",  "#Unstring", "#Dec Sep.", "#Write",
                                                            "#Date", "#Value",   "#Type"};
    return kNames;
}

void RejectTable::Prepare(const TFmtDef& in, int32_t inColCount) {
    const std::size_t n = inColCount > 0 ? static_cast<std::size_t>(inColCount) : 0;
    cols_ = n + 2;
    data_.clear();
    cellEnd_.clear();
    rowFirst_.assign(1, 0);
    BeginRow();
    AddCell("N\xB0");
    AddCell("#Error");
    for (std::size_t c = 0; c < n; ++c) AddCell(c < in.Cols.size() ? std::string_view(in.Cols[c][cfName]) : "");
    BeginRow();
    AddCell("...");
}

void RejectTable::BeginRow() {
    if (rowFirst_.empty()) rowFirst_.push_back(0);
    // The sentinel of the last row becomes the start of the new one.
    rowFirst_.push_back(cellEnd_.size());
}

void RejectTable::AddCell(std::string_view text) {
    if (rowFirst_.size() < 2) BeginRow();
    const std::size_t inRow = cellEnd_.size() - rowFirst_[rowFirst_.size() - 2];
    if (inRow >= cols_) return;
    data_.append(text);
    cellEnd_.push_back(data_.size());
    rowFirst_.back() = cellEnd_.size();
}

std::string_view RejectTable::cell(std::size_t row, std::size_t col) const {
    if (row >= rows()) return {};
    const std::size_t first = rowFirst_[row];
    const std::size_t last = rowFirst_[row + 1];
    if (col >= last - first) return {};
    const std::size_t i = first + col;
    const std::size_t begin = i == 0 ? 0 : cellEnd_[i - 1];
    return std::string_view(data_).substr(begin, cellEnd_[i] - begin);
}

void LineErrWriter::WriteErrLine(int code, std::string_view line, int64_t lineNo, int64_t colNo) {
    if (run_.StopOnBadLine) run_.StopRun = true;
    if (!run_.FileRowShown) {
        table_.BeginRow();
        table_.AddCell("");
        table_.AddCell(run_.SourcePath);
        run_.FileRowShown = true;
    }
    table_.BeginRow();
    table_.AddCell(IntToStr(lineNo));
    const bool known = code >= 0 && code < static_cast<int>(LineErrorNames().size());
    table_.AddCell(known ? LineErrorNames()[static_cast<std::size_t>(code)] : "");

    if (code >= leUnstring && code <= leWrite) {
        table_.AddCell(line);
    } else if (code >= leDate && code <= leType) {
        // These lines split correctly: one cell per input field.
        std::size_t start = 0;
        int32_t field = 0;
        while (field < inColCount_) {
            const std::size_t hit = colSep_.size() == 1 ? line.find(colSep_[0], start) : std::string_view::npos;
            table_.AddCell(line.substr(start, hit == std::string_view::npos ? std::string_view::npos : hit - start));
            ++field;
            if (hit == std::string_view::npos) break;
            start = hit + 1;
        }
    } else {
        log_.LogWrite(lkPart, "#WERRLN : Bad call to WriteErrLine, Args = ");
        log_.LogWrite(lkEnd, ">" + IntToStr(code) + "<  Line>" + std::string(line) + "<");
        log_.LogWrite(lkLine, "    LineNum>" + IntToStr(lineNo) + "<  ColNumber>" + IntToStr(colNo) + "<");
    }
}

std::string LineErrorText(std::string_view name, std::string_view sep, std::string_view value,
                          int32_t expectedCount, const LangTexts& texts) {
    if (name == "#Unstring") {
        int64_t count = 0;
        if (sep.size() == 1)
            for (const char c : value)
                if (c == sep[0]) ++count;
        const std::string& many = texts.Text(count > expectedCount ? LK::str_TooMany : LK::str_TooFew);
        return FillPlaceholders(texts.Text(LK::msg_NoUnstr), {many, sep, IntToStr(count), IntToStr(expectedCount)});
    }
    if (name == "#Dec Sep.") return texts.Text(LK::msg_UnstrDecSep);
    if (name == "#Write") return texts.Text(LK::msg_UnstrWrite);
    if (name == "#Date") return FillPlaceholders(texts.Text(LK::msg_UnstrDate), {value});
    if (name == "#Value" || name == "#Type") return texts.Text(LK::msg_UnstrType);
    return texts.Text(LK::msg_UnstrUnknown);
}

} // namespace lmx

#include "core/LineError.h"

#include "common/Text.h"
#include "core/FieldText.h"
#include "core/LineReader.h"
#include "core/Log.h"
#include "env/LangTexts.h"

namespace lmx {

const std::array<std::string_view, 9>& LineErrorNames() {
    static constexpr std::array<std::string_view, 9> kNames{
        "#ok", "#Unstring", "#Dec Sep.", "#Write", "#Date", "#Value", "#Type", "#Length", "#Dec Clash"};
    return kNames;
}

void LineErrWriter::WriteErrLine(int code, std::string_view line, int64_t lineNo, int64_t colNo) {
    if (run_.StopOnBadLine) run_.StopRun = true;
    if (!run_.FileRowShown) {
        sink_.FileStarts(run_.SourcePath);
        run_.FileRowShown = true;
    }
    const bool known = code >= 0 && code < static_cast<int>(LineErrorNames().size());
    if (known && code != leOk) {
        const auto at = static_cast<std::size_t>(code);
        if (run_.RejectedByCode.size() <= at) run_.RejectedByCode.resize(LineErrorNames().size(), 0);
        ++run_.RejectedByCode[at];
    }
    cells_.clear();
    if ((code >= leUnstring && code <= leWrite) || code == leLength) {
        cells_.push_back(line);
    } else if (((code >= leDate && code <= leType) || code == leDecClash) && quoted_ && colSep_.size() == 1) {
        // One cell per field as it stands in the line, its quotes included.
        const char* const base = line.data();
        ForEachQuotedField(line, colSep_[0], [&](std::string_view raw, bool quoted) {
            const std::size_t at = static_cast<std::size_t>(raw.data() - base) - (quoted ? 1 : 0);
            cells_.push_back(line.substr(at, raw.size() + (quoted ? 2 : 0)));
        });
    } else if ((code >= leDate && code <= leType) || code == leDecClash) {
        // These lines split correctly: one cell per input field.
        std::size_t start = 0;
        int32_t field = 0;
        while (field < inColCount_) {
            const std::size_t hit = colSep_.size() == 1 ? line.find(colSep_[0], start) : std::string_view::npos;
            cells_.push_back(line.substr(start, hit == std::string_view::npos ? std::string_view::npos : hit - start));
            ++field;
            if (hit == std::string_view::npos) break;
            start = hit + 1;
        }
    }
    sink_.Rejected(lineNo, known ? static_cast<LineError>(code) : leUnknown, line, cells_);
    if (!known || code == leOk) {
        log_.LogWrite(lkPart, "#WERRLN : Bad call to WriteErrLine, Args = ");
        log_.LogWrite(lkEnd, ">" + IntToStr(code) + "<  Line>" + std::string(line) + "<");
        log_.LogWrite(lkLine, "    LineNum>" + IntToStr(lineNo) + "<  ColNumber>" + IntToStr(colNo) + "<");
    }
}

std::string LineErrorText(LineError code, std::string_view sep, std::string_view value,
                          int32_t expectedCount, const LangTexts& texts) {
    switch (code) {
    case leUnstring: {
        int64_t count = 0;
        if (sep.size() == 1)
            for (const char c : value)
                if (c == sep[0]) ++count;
        const std::string& many = texts.Text(count > expectedCount ? LK::str_TooMany : LK::str_TooFew);
        return FillPlaceholders(texts.Text(LK::msg_NoUnstr), {many, sep, IntToStr(count), IntToStr(expectedCount)});
    }
    case leDecSep: return texts.Text(LK::msg_UnstrDecSep);
    case leWrite: return texts.Text(LK::msg_UnstrWrite);
    case leDate: return FillPlaceholders(texts.Text(LK::msg_UnstrDate), {value});
    case leValue:
    case leType: return texts.Text(LK::msg_UnstrType);
    case leLength: return FillPlaceholders(texts.Text(LK::msg_UnstrLength), {IntToStr(int64_t{LineReader::kMaxLine})});
    case leDecClash: return texts.Text(LK::msg_UnstrDecClash);
    case leOk:
    case leUnknown: break;
    }
    return texts.Text(LK::msg_UnstrUnknown);
}

} // namespace lmx

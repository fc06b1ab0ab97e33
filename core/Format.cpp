#include "core/Format.h"

#include "common/Text.h"

#include <algorithm>

namespace lmx {

namespace {

void AddLine(std::string& content, std::string_view key, std::string_view value) {
    content += key;
    content += '=';
    content += value;
    content += "\r\n";
}

std::string CodeText(auto code) { return IntToStr(static_cast<int32_t>(code)); }

// The COL lines a block writes: as many as its CLC says; -1 when CLC cannot say.
int64_t WrittenColumns(const Format& f) {
    int32_t n = 0;
    if (!StrToInt32(f.countText, n) || n < 0 || static_cast<std::size_t>(n) > f.columns.size()) return -1;
    return n;
}

} // namespace

std::string Column::TypeText() const {
    switch (type) {
    case ColumnType::Text: return "AN";
    case ColumnType::Number: return std::string("N") + (scaled ? "K" : "") + (percent ? "%" : "");
    case ColumnType::Alpha: return "A";
    case ColumnType::Date: return dateSep + dateLayout;
    }
    return {};
}

void Column::SetTypeText(std::string_view text) {
    dateSep.clear();
    dateLayout.clear();
    scaled = percent = false;
    if (text == "AN") type = ColumnType::Text;
    else if (IsNumberType(text)) {
        type = ColumnType::Number;
        scaled = text.find('K') != std::string_view::npos;
        percent = text.back() == '%';
    }
    else if (text == "A") type = ColumnType::Alpha;
    else {
        type = ColumnType::Date;
        dateSep = text.substr(0, 1);
        dateLayout = text.substr(text.empty() ? 0 : 1);
    }
}

std::string Column::Text() const {
    return name + '|' + TypeText() + '|' + CodeText(casing) + '|' + CodeText(control) + '|' + CodeText(affix) + '|' +
           affixText;
}

bool IsNumberType(std::string_view text) { return text == "N" || text == "NK" || text == "N%" || text == "NK%"; }

bool Format::HasFieldOptions() const {
    if (quoting != QuoteMode::None || !groupSep.empty()) return true;
    for (const Column& c : columns)
        if (c.scaled || c.percent) return true;
    return false;
}

int32_t Format::SkipCount() const {
    int32_t n = 0;
    return StrToInt32(skipText, n) && n > 0 ? n : 0;
}

std::string Format::BlockText() const {
    std::string out;
    AddLine(out, "NOM", name);
    AddLine(out, "CMT", comment);
    AddLine(out, "CLC", countText);
    AddLine(out, "SEP", colSep);
    AddLine(out, "DEC", decSep);
    AddLine(out, "IFL", skipText);
    // The keys of the later options come only when used: older files are written back unchanged.
    if (quoting != QuoteMode::None) AddLine(out, "GUI", CodeText(quoting));
    if (!groupSep.empty()) AddLine(out, "MIL", groupSep);
    for (const std::string& h : headers) AddLine(out, "HDR", h);
    const int64_t n = WrittenColumns(*this);
    for (int64_t i = 0; i < n; ++i) AddLine(out, "COL", columns[static_cast<std::size_t>(i)].Text());
    return out;
}

bool GroupSepUsable(std::string_view sep, std::string_view colSep, std::string_view decSep, bool quoted) {
    if (sep.size() != 1 || (sep == colSep && !quoted) || sep == decSep) return false;
    const char c = sep[0];
    return !(c >= '0' && c <= '9') && c != '-' && c != '+' && c != '"';
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool ColLineWritable(std::string_view colLine) {
    return !HasLineBreak(colLine) && std::count(colLine.begin(), colLine.end(), '|') == cfCount - 1;
}

bool FormatWritable(const Format& f) {
    // A block whose COL lines are not all at hand would be written incomplete.
    const int64_t n = WrittenColumns(f);
    if (n < 0) return false;
    for (const std::string* text : {&f.name, &f.comment, &f.countText, &f.colSep, &f.decSep, &f.skipText, &f.groupSep})
        if (HasLineBreak(*text)) return false;
    for (const std::string& h : f.headers)
        if (HasLineBreak(h)) return false;
    for (int64_t i = 0; i < n; ++i)
        if (!ColLineWritable(f.columns[static_cast<std::size_t>(i)].Text())) return false;
    return true;
}

} // namespace lmx

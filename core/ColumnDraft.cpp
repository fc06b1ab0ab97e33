#include "core/ColumnDraft.h"

#include <algorithm>

namespace lmx {

void SortNames(std::vector<std::string>& names) {
    // std::string compares as unsigned bytes, which is the byte order of the file.
    std::stable_sort(names.begin(), names.end());
}

bool SortColNames(std::vector<std::string>& names) {
    if (names.empty()) return false;
    SortNames(names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return true;
}

ColumnDraft DraftFromColumn(const Column& c) {
    ColumnDraft col;
    col.ColName = c.name;
    // Only "AN" and "N" are plain here: "A" splits like a date type (separator "A", empty layout).
    const std::string type = c.TypeText();
    if (c.type == ColumnType::Number || c.type == ColumnType::Text) {
        // A number's suffix and percent have boxes of their own: its type is "N".
        col.ColType = type.substr(0, c.type == ColumnType::Number ? 1 : std::string::npos);
        col.Scaled = c.scaled;
        col.Percent = c.percent;
    } else {
        col.DtSep = type.substr(0, 1);
        col.ColType = type.size() > 1 ? type.substr(1) : std::string();
    }
    col.AffixType = c.affix;
    col.AffixOn = c.affix != AffixCode::None;
    col.CaseRule = c.casing;
    col.CaseOn = c.casing != CaseCode::None;
    col.Control = c.control;
    col.AffixText = c.affixText;
    col.Valid = true;
    return col;
}

Column ColumnFromDraft(const ColumnDraft& col) {
    Column c;
    c.name = col.ColName;
    c.SetTypeText(col.DtSep + col.ColType);
    if (c.type == ColumnType::Number) {
        c.scaled = col.Scaled;
        c.percent = col.Percent;
    }
    c.casing = col.CaseRule;
    c.control = col.Control;
    c.affix = col.AffixType;
    c.affixText = col.AffixText;
    return c;
}

} // namespace lmx

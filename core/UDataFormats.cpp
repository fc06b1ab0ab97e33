#include "core/UDataFormats.h"

#include "common/Text.h"

#include <algorithm>

namespace lmx {

void TFmtDef::Clear() {
    Name.clear();
    Comment.clear();
    ColCount.clear();
    ColSep.clear();
    DecSep.clear();
    JmpLines.clear();
    HdrLn.clear();
    Cols.clear();
    Hdr.clear();
    HdrCount = 0;
    IsDate.clear();
}

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

bool ColonneFromEntry(const ColEntry& entry, TColonne& col) {
    col.ColName = entry[cfName];
    const std::string& type = entry[cfType];
    // Only "AN" and "N" are plain here: "A" splits like a date type (separator "A", empty layout).
    if (type == "N" || type == "AN") {
        col.ColType = type;
        col.DtSep.clear();
    } else {
        col.DtSep = type.substr(0, 1);
        col.ColType = type.size() > 1 ? type.substr(1) : std::string();
    }
    int32_t fixe = 0, casse = 0, control = 0;
    if (!StrToInt32(entry[cfFixeType], fixe)) return false;
    col.FixeType = fixe;
    col.FixeOn = fixe > 0;
    if (!StrToInt32(entry[cfCasse], casse)) return false;
    col.Casse = casse;
    col.CasseOn = casse > 0;
    if (!StrToInt32(entry[cfControl], control)) return false;
    col.Control = control;
    col.FixeText = entry[cfFixeText];
    col.Valid = true;
    return true;
}

ColEntry EntryFromColonne(const TColonne& col) {
    ColEntry e;
    e[cfName] = col.ColName;
    e[cfType] = col.DtSep + col.ColType;
    e[cfCasse] = IntToStr(col.Casse);
    e[cfControl] = IntToStr(col.Control);
    e[cfFixeType] = IntToStr(col.FixeType);
    e[cfFixeText] = col.FixeText;
    return e;
}

std::string ColEntryText(const TColonne& col) {
    const ColEntry e = EntryFromColonne(col);
    std::string out = e[0];
    for (std::size_t i = 1; i < e.size(); ++i) {
        out += '|';
        out += e[i];
    }
    return out;
}

int32_t ColListFromFmt(const TFmtDef& work, int32_t count, ColList& list) {
    if (count == 0) {
        list.emplace_back();
        return static_cast<int32_t>(list.size());
    }
    for (int32_t i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(i) >= work.Cols.size()) return -1;
        TColonne col;
        if (!ColonneFromEntry(work.Cols[static_cast<std::size_t>(i)], col)) return -1;
        list.push_back(std::move(col));
    }
    return static_cast<int32_t>(list.size());
}

void FreeColList(ColList* list) {
    if (list) list->clear();
}

void FreeColList(ErrList* list) {
    if (list) list->clear();
}

} // namespace lmx

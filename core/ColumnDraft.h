#pragma once
// The editor's view of a column and of its messages, and the sorts of the format file's names.
#include "core/Format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

// "--???--", spelled so that no trigraph is read.
inline constexpr const char* kBlankColName = "--\x3F\x3F\x3F--";

// The editor's typed form of one column.
struct ColumnDraft {
    std::string ColName = kBlankColName;
    std::string ColType;
    std::string DtSep;
    bool AffixOn = false;
    AffixCode AffixType = AffixCode::None;
    std::string AffixText;
    bool CaseOn = false;
    CaseCode CaseRule = CaseCode::None;
    ControlCode Control = ControlCode::Never;
    // A number ("N") read with a K, M or B suffix, with a trailing %.
    bool Scaled = false;
    bool Percent = false;
    bool Valid = false;
};

// One message of the editor's message box: shown as Label, one blank, Text.
struct EditorMessage {
    std::string Label;
    std::string Key;
    std::string Text;
};

using ColList = std::vector<ColumnDraft>;
using ErrList = std::vector<EditorMessage>;

// Byte-order sort of a name list. Gives the order of the original exchange sort (which is stable),
// without its quadratic time on large files.
void SortNames(std::vector<std::string>& names);

// Sorts and keeps each name once; false for an empty list.
bool SortColNames(std::vector<std::string>& names);

// The editor's view of a column, and the column it stands for.
ColumnDraft DraftFromColumn(const Column& col);
Column ColumnFromDraft(const ColumnDraft& col);

} // namespace lmx

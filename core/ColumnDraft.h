#pragma once
// The formats a session holds: the input and output formats chosen, with the date pair each was
// taken with, the names of the format file, and the editor's view of a column.
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

// The chosen formats and what is kept beside them. One instance lives for the program's life,
// owned by whoever owns the session; tests make their own.
struct FormatState {
    // The input and output formats last loaded without error (kept when a later choice fails).
    Format Input;
    Format Output;

    int32_t InColCount = 0;
    int32_t OutColCount = 0;
    std::string InDateSep;  // at most one character
    std::string InDateFmt;
    std::string OutDateSep; // at most one character
    std::string OutDateFmt;

    // Separator and layout of the last date column the column reader met; never cleared.
    bool DateRemembered = false;
    std::string RememberedDateSep;
    std::string RememberedDateFmt;

    // The current input and output formats loaded without error.
    bool InFmtOk = false;
    bool OutFmtOk = false;

    std::vector<std::string> FmtNames; // sorted, duplicates kept
    std::vector<std::string> ColNames; // file order until SortColNames

    int32_t FmtCount() const { return static_cast<int32_t>(FmtNames.size()); }
    int32_t ColNameCount() const { return static_cast<int32_t>(ColNames.size()); }
};

// Byte-order sort of a name list. Gives the order of the original exchange sort (which is stable),
// without its quadratic time on large files.
void SortNames(std::vector<std::string>& names);

// Sorts and keeps each name once; false for an empty list.
bool SortColNames(std::vector<std::string>& names);

// The editor's view of a column, and the column it stands for.
ColumnDraft DraftFromColumn(const Column& col);
Column ColumnFromDraft(const ColumnDraft& col);

} // namespace lmx

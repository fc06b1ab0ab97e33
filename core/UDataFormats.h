#pragma once
// The in-memory model of formats and columns. Every value is kept as the text it is in the format file.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

// The six texts of one column, in the order of a COL line.
enum ColField : std::size_t { cfName = 0, cfType, cfCasse, cfControl, cfFixeType, cfFixeText, cfCount };
using ColEntry = std::array<std::string, cfCount>;

struct TFmtDef {
    std::string Name;
    std::string Comment;
    std::string ColCount;
    std::string ColSep;
    std::string DecSep;
    std::string JmpLines;
    std::string HdrLn;
    std::vector<ColEntry> Cols;
    std::vector<std::string> Hdr;
    int32_t HdrCount = 0;
    std::vector<int32_t> IsDate;

    void Clear();
};

// Codes carried by Casse, Control and FixeType.
enum CasseCode : int32_t { csNone = 0, csUpper = 1, csLower = 2 };
enum ControlCode : int32_t { ctNever = 0, ctAlways = 1, ctIfNotNull = 2 };
enum FixeCode : int32_t { fxNone = 0, fxPrefix = 1, fxSuffix = 2 };

// "--???--", spelled so that no trigraph is read.
inline constexpr const char* kBlankColName = "--\x3F\x3F\x3F--";

// The editor's typed form of one column.
struct TColonne {
    std::string ColName = kBlankColName;
    std::string ColType;
    std::string DtSep;
    bool FixeOn = false;
    int32_t FixeType = 0;
    std::string FixeText;
    bool CasseOn = false;
    int32_t Casse = 0;
    int32_t Control = 0;
    bool Valid = false;
};

// One message of the editor's message box: shown as Label, one blank, Text.
struct TErrCol {
    std::string Label;
    std::string Key;
    std::string Text;
};

using ColList = std::vector<TColonne>;
using ErrList = std::vector<TErrCol>;

// The three format records and what is kept beside them. One instance lives for the program's life,
// owned by whoever owns the session; tests make their own.
struct FormatState {
    TFmtDef FmtWork;
    TFmtDef FmtIn;
    TFmtDef FmtOut;

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

// Count 0: appends one blank column. Count n > 0: appends the records of entries 0..n-1 of work.Cols.
// Returns the number of records afterwards, or -1 when a code is not an integer (records appended
// before the failure stay).
int32_t ColListFromFmt(const TFmtDef& work, int32_t count, ColList& list);

// Releases every record of a list; an absent list is accepted.
void FreeColList(ColList* list);
void FreeColList(ErrList* list);

// Entry <-> record mapping.
bool ColonneFromEntry(const ColEntry& entry, TColonne& col);
ColEntry EntryFromColonne(const TColonne& col);
// The text of a COL line's value: the six fields joined by "|".
std::string ColEntryText(const TColonne& col);

} // namespace lmx

#pragma once
// A data format as one value: its descriptive texts, its header lines and its typed columns. The
// texts a user wrote are kept byte for byte; the codes are typed when the format is read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// "AN" any text, "N" a number, "A" (read, kept, checked like a date's characters) and the date
// types, written as their separator followed by their layout.
enum class ColumnType { Text, Number, Alpha, Date };
// The three codes of a column, with the values the format file writes.
enum class CaseCode : int32_t { None = 0, Upper = 1, Lower = 2 };
enum class ControlCode : int32_t { Never = 0, Always = 1, IfNotEmpty = 2 };
enum class AffixCode : int32_t { None = 0, Prefix = 1, Suffix = 2 };
// Whether a format's fields may stand in double quotes (key GUI): never (the default, nothing
// written); read unquoted and written quoted when they hold the separator, a quote or a line end;
// or, besides, always written quoted.
enum class QuoteMode : int32_t { None = 0, AsNeeded = 1, Always = 2 };

// The six fields of a COL line, in their order.
enum ColField : int { cfName = 0, cfType, cfCaseRule, cfControl, cfAffixType, cfAffixText, cfCount };

struct Column {
    std::string name;
    ColumnType type = ColumnType::Text;
    std::string dateSep;    // a date: the first byte of its type text
    std::string dateLayout; // a date: the rest of its type text
    CaseCode casing = CaseCode::None;
    ControlCode control = ControlCode::Never;
    AffixCode affix = AffixCode::None;
    std::string affixText;
    // A number column may be read with a K, M or B suffix (expanded) and a trailing % (dropped);
    // its type is then written "N" followed by "K" and/or "%".
    bool scaled = false;
    bool percent = false;

    bool IsDate() const { return type == ColumnType::Date; }
    // The type as the file writes it.
    std::string TypeText() const;
    // Sets type, dateSep and dateLayout from a type text: any text other than the plain types is
    // split as a date's (its first byte, then the rest), so that TypeText() gives it back.
    void SetTypeText(std::string_view text);
    // The COL line's value: the six fields joined by "|".
    std::string Text() const;
};

struct Format {
    std::string name;
    std::string comment;
    std::string countText; // the CLC text as written (a positive integer once read)
    std::string colSep;
    std::string decSep;
    std::string skipText; // the IFL text as written: the lines a reader skips
    std::vector<std::string> headers;
    std::vector<Column> columns;
    QuoteMode quoting = QuoteMode::None; // GUI, written only when not None
    std::string groupSep;                // MIL: the grouping (thousands) separator, empty for none

    // The format reads or writes its fields otherwise than as plain bytes between separators:
    // quotes, a grouping separator, or a number column with a suffix or a percent sign.
    bool HasFieldOptions() const;

    int32_t ColumnCount() const { return static_cast<int32_t>(columns.size()); }
    // The lines to skip when reading a data file: the IFL value when it is a positive integer, else 0.
    int32_t SkipCount() const;
    // The block of the format file, from its NOM line, each line ended by CR LF.
    std::string BlockText() const;
};

// "N", or "N" followed by "K" (a K, M or B suffix is read) and/or "%" (a trailing % is read).
bool IsNumberType(std::string_view text);

// A grouping separator: one byte that separates no decimals, nor columns unless the fields are
// quoted, and no digit, sign or double quote.
bool GroupSepUsable(std::string_view sep, std::string_view colSep, std::string_view decSep, bool quoted);

// A value holding CR or LF would end its line in the format file.
bool HasLineBreak(std::string_view text);
// A COL value reads back as written: six fields (no "|" inside one) and no line break.
bool ColLineWritable(std::string_view colLine);
// Every value of the block reads back as it is: nothing is cut off, no line is split, no block is
// made up. Checked before anything is written.
bool FormatWritable(const Format& f);

} // namespace lmx

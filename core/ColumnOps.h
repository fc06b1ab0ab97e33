#pragma once
// The engines' per-column decisions, taken once when an engine starts on a file, and the small
// rules both line forms share.
#include "core/Converter.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

// Byte b as a column forcing that case writes it (ASCII letters only).
inline char CaseOf(char b, CaseCode casing) {
    if (casing == CaseCode::Upper && b >= 'a' && b <= 'z') return static_cast<char>(b - 'a' + 'A');
    if (casing == CaseCode::Lower && b >= 'A' && b <= 'Z') return static_cast<char>(b - 'A' + 'a');
    return b;
}

// The engines' per-column decisions, taken once when an engine starts on a file.
struct ColumnOps {
    int32_t field = -1;   // the input field (0-based) that feeds the column; -1 for none
    bool decimal = false;   // the decimal separator changes
    bool plainOnly = false; // only in a field that reads as a plain number (a text column)
    bool asRead = false;    // the one-pass copy changes decimals the column may need as read
    bool date = false;      // a date rewritten (only when an input column feeds it)
    bool clash = false;     // a number whose value must not hold the output decimal separator
    AffixCode affix = AffixCode::None;
    CaseCode casing = CaseCode::None;
    bool control = false;   // the characters of a number or of an "A" column are checked
    bool calendar = false;  // the date control: the value must be a calendar date
    ControlKind kind = ckAnyText;
    bool hasOther = false; // the control lets this byte pass besides the digits
    char other = '\0';
    std::string affixText;
    // The source bytes that would be written as the output column separator (DirectLine).
    int32_t sepBytes = 0;
    std::array<char, 2> sepByte{};
    bool dateWatch = false; // a rewritten date is checked for the separator

    // The value is changed on its way, not only copied.
    bool Rewrites() const { return affix != AffixCode::None || casing != CaseCode::None || date || asRead || calendar; }
};

// The columns of an engine code; false for a code without engine.
bool PlanColumns(const Converter& conv, EngineCodeValue engineCode, std::vector<ColumnOps>& cols);

} // namespace lmx

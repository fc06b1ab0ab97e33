#pragma once
// The texts of a field as downloads write them: in double quotes ("" for a quote inside), numbers
// with a grouping (thousands) separator, a K, M or B suffix, a trailing percent sign.
#include "core/Format.h"

#include <string>
#include <string_view>

namespace lmx {

// Calls field(raw, quoted) for each field of line, cut at sep outside quotes. A field that starts
// with a double quote runs to the quote that closes it (raw is what stands between them, "" still
// doubled); a quote elsewhere is an ordinary byte. False when a quote is not closed, or a closing
// quote is followed by another byte than sep.
template <class Field>
bool ForEachQuotedField(std::string_view line, char sep, Field&& field) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        if (i < n && line[i] == '"') {
            std::size_t j = i + 1;
            for (;;) {
                const std::size_t q = line.find('"', j);
                if (q == std::string_view::npos) return false;
                if (q + 1 < n && line[q + 1] == '"') {
                    j = q + 2;
                    continue;
                }
                field(line.substr(i + 1, q - i - 1), true);
                i = q + 1;
                break;
            }
            if (i == n) return true;
            if (line[i] != sep) return false;
            ++i;
            continue;
        }
        const std::size_t s = line.find(sep, i);
        if (s == std::string_view::npos) {
            field(line.substr(i), false);
            return true;
        }
        field(line.substr(i, s - i), false);
        i = s + 1;
    }
}

// Appends a field's value to out: a quoted field with each "" made one quote.
void AppendUnquoted(std::string& out, std::string_view raw, bool quoted);

// Appends value to out, in double quotes when mode says so: always, or when it holds sep, a
// double quote, a CR or a LF. A quote inside is written "".
void AppendQuoted(std::string& out, std::string_view value, QuoteMode mode, std::string_view sep);

// A number column's value as read: an optional sign, digits (with group between two of them when
// group is not 0), the decimal separator dec and digits, then a K, M or B suffix when scaled (in
// either case: thousand, million, billion) and a % when percent. Such a value becomes the plain
// number (the suffix expanded, the % dropped, the grouping separators removed, dec kept);
// anything else is left as it was. False when the value was left.
bool ReadNumber(std::string& value, char dec, char group, bool scaled, bool percent);

// A plain number (optional sign, digits, optionally dec and digits) gets group between each three
// digits of its whole part; any other value is left.
void GroupDigits(std::string& value, std::string_view dec, std::string_view group);

} // namespace lmx

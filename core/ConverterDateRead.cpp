// Dates that the fixed places of a layout cannot read: a day or a month without its leading zero,
// a time after the date in the same field, a month written as its English abbreviation. And the
// calendar check of a controlled date column.
#include "core/Converter.h"

#include "common/Basics.h"

#include <array>
#include <charconv>

namespace lmx {

namespace {

constexpr std::array<std::string_view, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The month of an English abbreviation, in any case; 0 for none.
int MonthOfName(std::string_view text) {
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        const std::string_view name = kMonths[m];
        if (Lower(text[0]) == Lower(name[0]) && Lower(text[1]) == Lower(name[1]) && Lower(text[2]) == Lower(name[2]))
            return static_cast<int>(m) + 1;
    }
    return 0;
}

std::size_t RunOf(std::string_view layout, std::size_t at) {
    std::size_t n = 1;
    while (at + n < layout.size() && layout[at + n] == layout[at]) ++n;
    return n;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int y, int m) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

void PutNumber(std::string& out, int value, std::size_t width) {
    char digits[12];
    const auto res = std::to_chars(digits, digits + sizeof digits, value);
    for (std::size_t n = static_cast<std::size_t>(res.ptr - digits); n < width; ++n) out.push_back('0');
    out.append(digits, res.ptr);
}

} // namespace

bool HasMonthName(std::string_view layout) { return layout.find("MMM") != std::string_view::npos; }

bool ReadDateParts(std::string_view value, std::string_view layout, DateParts& parts, const std::string* sep) {
    parts = DateParts{};
    // A layout of digits only has no place where a short day or month could end.
    const bool compact = layout.find_first_not_of("YMD") == std::string_view::npos;
    std::size_t i = 0;
    for (std::size_t j = 0; j < layout.size();) {
        const char l = layout[j];
        const std::size_t run = l == 'Y' || l == 'M' || l == 'D' ? RunOf(layout, j) : 1;
        if (l == 'M' && run == 3) {
            if (value.size() - i < 3 || (parts.month = MonthOfName(value.substr(i, 3))) == 0) return false;
            i += 3;
        } else if (l == 'Y' || l == 'M' || l == 'D') {
            // A year has all its digits; a day or a month may lack its leading zero where a
            // separator follows it.
            const std::size_t next = j + run;
            const bool delimited = l != 'Y' && !compact &&
                                   (next == layout.size() || (layout[next] != 'Y' && layout[next] != 'M' && layout[next] != 'D'));
            std::size_t n = 0;
            int v = 0;
            while (n < run && i + n < value.size() && IsDigit(value[i + n])) v = v * 10 + (value[i + n++] - '0');
            if (n != run && !(delimited && n >= 1)) return false;
            i += n;
            if (l == 'Y') {
                parts.year = v;
                parts.yearDigits = static_cast<int>(run);
            } else if (l == 'M') {
                parts.month = v;
            } else {
                parts.day = v;
            }
        } else if (l == '/' && sep != nullptr) {
            if (value.compare(i, sep->size(), *sep) != 0) return false;
            i += sep->size();
        } else if (l == '/') {
            // The separator's place, whatever stands there, but no digit: it ends a short day.
            if (i >= value.size() || IsDigit(value[i])) return false;
            ++i;
        } else {
            if (i >= value.size() || value[i] != l) return false;
            ++i;
        }
        j += run;
    }
    if (parts.yearDigits == 0) return false;
    // After the date, a time that is kept as it is read.
    if (i < value.size() && !((value[i] == ' ' || value[i] == 'T') && i + 1 < value.size() && IsDigit(value[i + 1])))
        return false;
    parts.rest = value.substr(i);
    return true;
}

int Converter::WindowYear(int twoDigits) const {
    // Into the hundred years from 50 years before the current year to 49 after.
    const int base = currentYear_ - 50;
    int year = twoDigits + (base / 100) * 100;
    if (year < base) year += 100;
    return year;
}

bool Converter::DateConvGeneral(std::string_view value, std::string_view inLayout, std::string_view outSep,
                                std::string_view outLayout, int32_t outLen, std::string& out) const {
    if (!CheckValue(ckDateLayout, inLayout) || !CheckValue(ckDateLayout, outLayout)) return false;
    // As at fixed places: a separator only for a layout that has its place, none for the others.
    if ((outLayout.find('/') == std::string_view::npos) != outSep.empty()) return false;
    DateParts p;
    if (!ReadDateParts(value, inLayout, p)) return false;
    const bool outLong = outLayout.find("YYYY") != std::string_view::npos;
    int year = p.year;
    if (p.yearDigits == 2 && outLong) {
        // An impossible date must never come out of a widened year.
        year = WindowYear(p.year);
        if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > DaysIn(year, p.month)) return false;
    } else if (p.yearDigits == 4 && !outLong) {
        year %= 100;
    }
    out.clear();
    for (std::size_t j = 0; j < outLayout.size();) {
        const char l = outLayout[j];
        const std::size_t run = l == 'Y' || l == 'M' || l == 'D' ? RunOf(outLayout, j) : 1;
        if (l == 'Y') PutNumber(out, year, run);
        else if (l == 'D') PutNumber(out, p.day, run);
        else if (l == 'M' && run == 3) {
            if (p.month < 1 || p.month > 12) return false;
            out += kMonths[static_cast<std::size_t>(p.month - 1)];
        } else if (l == 'M') PutNumber(out, p.month, run);
        else if (l == '/') out += outSep;
        else out.push_back(l);
        j += run;
    }
    // As at fixed places: the written date has the length of the output layout.
    if (outLen < 0 || out.size() != static_cast<std::size_t>(outLen)) return false;
    out += p.rest;
    return true;
}

bool Converter::IsCalendarDate(std::string_view value, const DateConvValues& d) const {
    if (value.empty()) return true; // an empty field passes every control
    DateParts p;
    if (!ReadDateParts(value, d.OutFmt, p, &d.OutSepText)) return false;
    const int year = p.yearDigits == 2 ? WindowYear(p.year) : p.year;
    return p.month >= 1 && p.month <= 12 && p.day >= 1 && p.day <= DaysIn(year, p.month);
}

} // namespace lmx

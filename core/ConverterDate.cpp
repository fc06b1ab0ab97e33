// Date rewriting of the conversion primitives.
#include "core/Converter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace lmx {

namespace {

bool DigitsToInt(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

} // namespace

int32_t Converter::DateLayoutOrder(std::string_view layout) {
    if (layout == "YY/MM/DD" || layout == "YYYY/MM/DD" || layout == "YYMMDD" || layout == "YYYYMMDD") return 1;
    if (layout == "YY/DD/MM" || layout == "YYYY/DD/MM") return 2;
    if (layout == "DD/MM/YY" || layout == "DD/MM/YYYY" || layout == "DD/MMM/YYYY") return 3;
    if (layout == "MM/DD/YY" || layout == "MM/DD/YYYY" || layout == "MMM DD, YYYY") return 4;
    return 0;
}

bool Converter::IsShortYearLayout(std::string_view layout) {
    return layout == "YY/MM/DD" || layout == "YYMMDD" || layout == "YY/DD/MM" || layout == "DD/MM/YY" ||
           layout == "MM/DD/YY";
}

DateConvValues Converter::MakeDateConv(const std::string& inFmt, const std::string& outSep, const std::string& outFmt) {
    DateConvValues d;
    d.InFmt = inFmt;
    d.InShortYear = IsShortYearLayout(inFmt);
    const bool outShort = IsShortYearLayout(outFmt);
    d.CutYear = outShort && !d.InShortYear;
    d.WidenYear = d.InShortYear && !outShort;
    d.Order = DateLayoutOrder(outFmt);
    // "0" stands for "no separator" in the layouts written without one.
    if (!outSep.empty() && outSep != "0") d.OutSepText.push_back(outSep[0]);
    d.OutLen = static_cast<int32_t>(outFmt.size());
    d.OutFmt = outFmt;
    return d;
}

void Converter::PrepareDateConv() {
    pair_ = MakeDateConv(plan_.InDate().Fmt, plan_.OutDate().Sep, plan_.OutDate().Fmt);
    // Each linked pair of date columns converts from its own layouts; the others keep the pair's.
    const std::vector<DatePair>& pairs = plan_.Dates();
    dateCols_.assign(pairs.size(), pair_);
    for (std::size_t k = 1; k < pairs.size(); ++k)
        if (IsDateColumn(plan_.Output(), k))
            dateCols_[k] = MakeDateConv(pairs[k].in.Fmt, pairs[k].out.Sep, pairs[k].out.Fmt);
}

const DateConvValues& Converter::DateOf(std::size_t k) const {
    return k < dateCols_.size() ? dateCols_[k] : pair_;
}

const std::string& Converter::DateSepTextOf(int32_t column) const {
    const auto k = static_cast<std::size_t>(column) + 1;
    if (column >= 0 && k < dateCols_.size() && IsDateColumn(plan_.Output(), k)) return dateCols_[k].OutSepText;
    return pair_.OutSepText;
}

bool Converter::ExpandYear(std::string_view year, std::string_view month, std::string_view day, int& result) const {
    int y = 0, m = 0, d = 0;
    if (!DigitsToInt(year, y) || !DigitsToInt(month, m) || !DigitsToInt(day, d)) return false;
    if (year.size() <= 2) y = WindowYear(y);
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
    result = y;
    return true;
}

std::string Converter::ExpandYear(std::string_view date) const {
    const std::size_t s1 = date.find('/');
    if (s1 == std::string_view::npos) return "0";
    const std::size_t s2 = date.find('/', s1 + 1);
    if (s2 == std::string_view::npos) return "0";
    int y = 0;
    if (!ExpandYear(date.substr(0, s1), date.substr(s1 + 1, s2 - s1 - 1), date.substr(s2 + 1), y)) return "0";
    return std::to_string(y);
}

namespace {

// The numeric layout that an order code describes, with the year of the input layout cut or
// widened, with or without separators.
std::string OutLayoutOf(int32_t order, std::string_view inLayout, bool cut, bool widen, bool withSep) {
    const auto inYear = static_cast<std::size_t>(std::count(inLayout.begin(), inLayout.end(), 'Y'));
    const std::string y(cut ? 2 : widen ? 4 : inYear, 'Y');
    const std::string s = withSep ? "/" : "";
    switch (order) {
    case 1: return y + s + "MM" + s + "DD";
    case 2: return y + s + "DD" + s + "MM";
    case 3: return "DD" + s + "MM" + s + y;
    case 4: return "MM" + s + "DD" + s + y;
    default: return {};
    }
}

} // namespace

bool Converter::DateConvInto(std::string_view value, std::string_view inLayout, std::string_view outSep,
                             int32_t outLen, bool cut, bool widen, int32_t order, std::string& out) const {
    if (value.size() != inLayout.size() || HasMonthName(inLayout))
        return DateConvGeneral(value, inLayout, outSep, OutLayoutOf(order, inLayout, cut, widen, !outSep.empty()), outLen,
                               out);
    // Parts on the stack: no allocation per date. No part can be longer than the value.
    constexpr std::size_t kMax = 64;
    if (value.size() > kMax) return false; // no layout is that long, so neither is a valid value
    char yb[kMax], mb[kMax], db[kMax];
    std::size_t yn = 0, mn = 0, dn = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        switch (inLayout[i]) {
        case 'Y': yb[yn++] = value[i]; break;
        case 'M': mb[mn++] = value[i]; break;
        case 'D': db[dn++] = value[i]; break;
        default: break; // the separator's place: whatever stands there is ignored
        }
    }
    std::string_view y(yb, yn);
    const std::string_view m(mb, mn), d(db, dn);
    char widened[16];
    if (cut) {
        if (y.size() > 2) y.remove_prefix(y.size() - 2);
    } else if (widen) {
        int full = 0;
        // An impossible date must never come out, whatever the output length.
        if (!ExpandYear(y, m, d, full)) return false;
        const auto res = std::to_chars(widened, widened + sizeof widened, full);
        y = std::string_view(widened, static_cast<std::size_t>(res.ptr - widened));
    }
    std::string_view a, b, c;
    switch (order) {
    case 1: a = y, b = m, c = d; break;
    case 2: a = y, b = d, c = m; break;
    case 3: a = d, b = m, c = y; break;
    case 4: a = m, b = d, c = y; break;
    default: return false;
    }
    if (outLen < 0 || a.size() + b.size() + c.size() + 2 * outSep.size() != static_cast<std::size_t>(outLen))
        return false;
    out.clear();
    out.append(a).append(outSep).append(b).append(outSep).append(c);
    return true;
}

bool Converter::DateConvInto(std::string_view value, std::string& out) const { return DateConvInto(value, pair_, out); }

bool Converter::DateConvInto(std::string_view value, const DateConvValues& d, std::string& out) const {
    if (value.size() != d.InFmt.size() || HasMonthName(d.InFmt) || HasMonthName(d.OutFmt))
        return DateConvGeneral(value, d.InFmt, d.OutSepText, d.OutFmt, d.OutLen, out);
    return DateConvInto(value, d.InFmt, d.OutSepText, d.OutLen, d.CutYear, d.WidenYear, d.Order, out);
}

std::string Converter::DateConvPerso(std::string_view value, std::string_view inLayout, std::string_view outSep,
                                     int32_t outLen, bool cut, bool widen, int32_t order) const {
    std::string out;
    if (DateConvInto(value, inLayout, outSep, outLen, cut, widen, order, out)) return out;
    return "0";
}

} // namespace lmx

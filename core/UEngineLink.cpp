// The input/output link, the engine choice and the engines' labels.
#include "core/UEngines.h"

#include "common/Text.h"

#include <algorithm>
#include <array>

namespace lmx {

namespace {

struct EngineName {
    int32_t code;
    std::string_view label;
};

constexpr std::array<EngineName, 5> kEngines{{
    {ecStandard, " (Standard)"},
    {ecDecimal, " (DecimalChange)"},
    {ecDate, " (DateConv(Perso) + DecimalChange)"},
    {ecDateDecimal, " (DateConv(Perso) + DecimalChange)"},
    {ecGlobal, " (Eng. Global)"},
}};

bool ColumnCount(const TFmtDef& fmt, int32_t& count) {
    return StrToInt32(fmt.ColCount, count) && count >= 0 && static_cast<std::size_t>(count) <= fmt.Cols.size();
}

} // namespace

std::string_view EngineLabel(int32_t engineCode) {
    for (const EngineName& e : kEngines)
        if (e.code == engineCode) return e.label;
    return {};
}

namespace {

// Entry i: the first output column named like input column i, or 0.
void LinkByName(const FormatState& f, int32_t in, int32_t out, std::vector<IoLinkEntry>& link) {
    const std::size_t size = static_cast<std::size_t>(in > out ? in : out) + 1;
    link.assign(size, IoLinkEntry{});
    for (std::size_t i = 0; i < size; ++i) link[i].index = static_cast<int32_t>(i);
    for (int32_t i = 1; i <= in; ++i) {
        const std::string& name = f.FmtIn.Cols[static_cast<std::size_t>(i - 1)][cfName];
        for (int32_t k = 1; k <= out; ++k) {
            if (f.FmtOut.Cols[static_cast<std::size_t>(k - 1)][cfName] == name) {
                link[static_cast<std::size_t>(i)].target = k;
                break;
            }
        }
    }
}

bool IsDateColumn(const TFmtDef& fmt, std::size_t j) {
    return j < fmt.IsDate.size() && j < fmt.Cols.size() && fmt.IsDate[j] != 0;
}

DateSide SideOf(const ColEntry& col) {
    const std::string& type = col[cfType];
    return DateSide{type.substr(0, 1), type.size() > 1 ? type.substr(1) : std::string()};
}

} // namespace

int32_t DateColumnCount(const TFmtDef& fmt) {
    int32_t n = 0;
    for (std::size_t j = 0; j < fmt.Cols.size(); ++j)
        if (IsDateColumn(fmt, j)) ++n;
    return n;
}

namespace {

std::vector<DatePair> PairsOf(const FormatState& f, int32_t in, int32_t out, const std::vector<IoLinkEntry>& link) {
    const auto bounded = [](int32_t count, std::size_t most) {
        return count > 0 ? std::min(static_cast<std::size_t>(count), most) : std::size_t{0};
    };
    const std::size_t outCount = bounded(out, f.FmtOut.Cols.size());
    const std::size_t inCount = bounded(in, f.FmtIn.Cols.size());
    const bool severalIn = DateColumnCount(f.FmtIn) > 1;
    const bool severalOut = DateColumnCount(f.FmtOut) > 1;
    const DateSide inPair{f.InDateSep, f.InDateFmt};
    std::vector<DatePair> pairs(outCount + 1);
    for (std::size_t k = 1; k <= outCount; ++k) {
        pairs[k].in = inPair;
        pairs[k].out = severalOut && IsDateColumn(f.FmtOut, k - 1) ? SideOf(f.FmtOut.Cols[k - 1])
                                                                   : DateSide{f.OutDateSep, f.OutDateFmt};
    }
    // When two input columns feed one output column, the later one is written: its layout counts.
    for (std::size_t i = 1; i <= inCount && i < link.size(); ++i) {
        const auto t = static_cast<std::size_t>(link[i].target > 0 ? link[i].target : 0);
        if (t == 0 || t > outCount) continue;
        pairs[t].fed = true;
        pairs[t].in = severalIn && IsDateColumn(f.FmtIn, i - 1) ? SideOf(f.FmtIn.Cols[i - 1]) : inPair;
    }
    return pairs;
}

// With several date columns on either side, each linked pair of date columns is compared on its
// own: a single remembered pair would stand for the last date column only.
bool DatePairsDiffer(const FormatState& f) {
    const bool several = DateColumnCount(f.FmtIn) > 1 || DateColumnCount(f.FmtOut) > 1;
    if (!several) return f.InDateSep != f.OutDateSep || f.InDateFmt != f.OutDateFmt;
    int32_t in = 0, out = 0;
    if (!ColumnCount(f.FmtIn, in) || !ColumnCount(f.FmtOut, out)) return false;
    std::vector<IoLinkEntry> link;
    LinkByName(f, in, out, link);
    for (const DatePair& p : PairsOf(f, in, out, link))
        if (p.fed && !(p.in == p.out)) return true;
    return false;
}

} // namespace

std::vector<DatePair> LinkedDatePairs(const FormatState& f, const std::vector<IoLinkEntry>& link) {
    return PairsOf(f, f.InColCount, f.OutColCount, link);
}

bool BuildIoLink(Converter& conv) {
    try {
        FormatState& f = conv.Formats();
        int32_t in = 0, out = 0;
        if (!ColumnCount(f.FmtIn, in) || !ColumnCount(f.FmtOut, out)) return false;
        f.InColCount = in;
        f.OutColCount = out;
        LinkByName(f, in, out, conv.IoLink);
        conv.t_lineOut.assign(static_cast<std::size_t>(out) + 1, std::string());
        return true;
    } catch (...) {
        return false;
    }
}

int32_t SelEngine(const FormatState& f) {
    try {
        int32_t code = 0;
        if (DatePairsDiffer(f)) code += 2;
        if (f.FmtIn.DecSep != f.FmtOut.DecSep) code += 16;
        int32_t count = 0;
        if (!ColumnCount(f.FmtOut, count)) return ecNone;
        for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
            const ColEntry& col = f.FmtOut.Cols[k];
            int32_t casse = 0, control = 0, fixe = 0;
            if (!StrToInt32(col[cfCasse], casse) || !StrToInt32(col[cfControl], control) ||
                !StrToInt32(col[cfFixeType], fixe))
                return ecNone;
            if (casse > 0 || control > 0 || fixe > 0) code = ecGlobal;
        }
        return code;
    } catch (...) {
        return ecNone;
    }
}

} // namespace lmx

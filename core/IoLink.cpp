// The input/output link, the engine choice and the engines' labels.
#include "core/EngineRunner.h"

#include "common/Text.h"
#include "core/LineRecipes.h"

#include <algorithm>
#include <array>
#include <new>

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

} // namespace

std::string_view EngineLabel(int32_t engineCode) {
    for (const EngineName& e : kEngines)
        if (e.code == engineCode) return e.label;
    return {};
}

namespace {

// Entry i: the first output column named like input column i, or 0.
void LinkByName(const Format& input, const Format& output, std::vector<IoLinkEntry>& link) {
    const int32_t in = input.ColumnCount();
    const int32_t out = output.ColumnCount();
    const std::size_t size = static_cast<std::size_t>(in > out ? in : out) + 1;
    link.assign(size, IoLinkEntry{});
    for (std::size_t i = 0; i < size; ++i) link[i].index = static_cast<int32_t>(i);
    for (int32_t i = 1; i <= in; ++i) {
        const std::string& name = input.columns[static_cast<std::size_t>(i - 1)].name;
        for (int32_t k = 1; k <= out; ++k) {
            if (output.columns[static_cast<std::size_t>(k - 1)].name == name) {
                link[static_cast<std::size_t>(i)].target = k;
                break;
            }
        }
    }
}

DateSide SideOf(const Column& col) { return DateSide{col.dateSep, col.dateLayout}; }

} // namespace

int32_t DateColumnCount(const Format& fmt) {
    int32_t n = 0;
    for (const Column& c : fmt.columns)
        if (c.IsDate()) ++n;
    return n;
}

namespace {

std::vector<DatePair> PairsOf(const FormatState& f, int32_t in, int32_t out, const std::vector<IoLinkEntry>& link) {
    const auto bounded = [](int32_t count, std::size_t most) {
        return count > 0 ? std::min(static_cast<std::size_t>(count), most) : std::size_t{0};
    };
    const std::size_t outCount = bounded(out, f.Output.columns.size());
    const std::size_t inCount = bounded(in, f.Input.columns.size());
    const bool severalIn = DateColumnCount(f.Input) > 1;
    const bool severalOut = DateColumnCount(f.Output) > 1;
    const DateSide inPair{f.InDateSep, f.InDateFmt};
    std::vector<DatePair> pairs(outCount + 1);
    for (std::size_t k = 1; k <= outCount; ++k) {
        pairs[k].in = inPair;
        pairs[k].out = severalOut && IsDateColumn(f.Output, k) ? SideOf(f.Output.columns[k - 1])
                                                                   : DateSide{f.OutDateSep, f.OutDateFmt};
    }
    // When two input columns feed one output column, the later one is written: its layout counts.
    for (std::size_t i = 1; i <= inCount && i < link.size(); ++i) {
        const auto t = static_cast<std::size_t>(link[i].target > 0 ? link[i].target : 0);
        if (t == 0 || t > outCount) continue;
        pairs[t].fed = true;
        pairs[t].in = severalIn && IsDateColumn(f.Input, i) ? SideOf(f.Input.columns[i - 1]) : inPair;
    }
    return pairs;
}

// With several date columns on either side, each linked pair of date columns is compared on its
// own: a single remembered pair would stand for the last date column only.
bool DatePairsDiffer(const FormatState& f) {
    const bool several = DateColumnCount(f.Input) > 1 || DateColumnCount(f.Output) > 1;
    if (!several) return f.InDateSep != f.OutDateSep || f.InDateFmt != f.OutDateFmt;
    std::vector<IoLinkEntry> link;
    LinkByName(f.Input, f.Output, link);
    for (const DatePair& p : PairsOf(f, f.Input.ColumnCount(), f.Output.ColumnCount(), link))
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
        f.InColCount = f.Input.ColumnCount();
        f.OutColCount = f.Output.ColumnCount();
        LinkByName(f.Input, f.Output, conv.IoLink);
        conv.t_lineOut.assign(static_cast<std::size_t>(f.OutColCount) + 1, std::string());
        // A format never loaded (none chosen yet) has no column count to link by.
        int32_t count = 0;
        return StrToInt32(f.Input.countText, count) && StrToInt32(f.Output.countText, count);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int32_t SelEngine(const FormatState& f) {
    int32_t code = 0;
    if (DatePairsDiffer(f)) code += 2;
    if (f.Input.decSep != f.Output.decSep) code += 16;
    for (const Column& col : f.Output.columns)
        if (col.casing != CaseCode::None || col.control != ControlCode::Never || col.affix != AffixCode::None)
            code = ecGlobal;
    return code;
}

} // namespace lmx

// The input/output link, the engine choice and the engines' labels.
#include "core/UEngines.h"

#include "common/Text.h"

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

bool BuildIoLink(Converter& conv) {
    try {
        FormatState& f = conv.Formats();
        int32_t in = 0, out = 0;
        if (!ColumnCount(f.FmtIn, in) || !ColumnCount(f.FmtOut, out)) return false;
        f.InColCount = in;
        f.OutColCount = out;
        const std::size_t size = static_cast<std::size_t>(in > out ? in : out) + 1;
        conv.IoLink.assign(size, IoLinkEntry{});
        for (std::size_t i = 0; i < size; ++i) conv.IoLink[i].index = static_cast<int32_t>(i);
        for (int32_t i = 1; i <= in; ++i) {
            const std::string& name = f.FmtIn.Cols[static_cast<std::size_t>(i - 1)][cfName];
            for (int32_t k = 1; k <= out; ++k) {
                if (f.FmtOut.Cols[static_cast<std::size_t>(k - 1)][cfName] == name) {
                    conv.IoLink[static_cast<std::size_t>(i)].target = k;
                    break;
                }
            }
        }
        conv.t_lineOut.assign(static_cast<std::size_t>(out) + 1, std::string());
        return true;
    } catch (...) {
        return false;
    }
}

int32_t SelEngine(const FormatState& f) {
    int32_t code = 0;
    if (f.InDateSep != f.OutDateSep || f.InDateFmt != f.OutDateFmt) code += 2;
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
}

} // namespace lmx

#include "core/SeriesSummary.h"

#include "common/Text.h"
#include "env/LangTexts.h"

#include <cmath>
#include <cstdio>

namespace lmx {

std::string GroupedNumber(int64_t n, std::string_view sep) {
    const std::string digits = IntToStr(n < 0 ? -n : n);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.append(sep);
        out.push_back(digits[i]);
    }
    return out;
}

std::string RatioText(double ratio, std::string_view decSep) {
    if (!std::isfinite(ratio)) return "?";
    const int decimals = ratio >= 100 ? 0 : ratio >= 10 ? 1 : 2;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, ratio);
    std::string out = buf;
    if (decimals > 0) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    if (const auto dot = out.find('.'); dot != std::string::npos) out.replace(dot, 1, decSep);
    return out;
}

std::vector<std::string> SummaryFields(const ColumnSummary& s, std::string_view decSep, const LangTexts& lang) {
    const std::string& group = lang.Text(LK::str_chartGroup);
    const auto date = [](const std::string& d) { return d.empty() ? std::string("-") : d; };
    std::string jump = lang.Text(LK::str_chartNoJump);
    if (s.hasJump) {
        // A fall reads better as a division than as a ratio below one.
        const bool up = s.jump >= 1;
        jump = lang.Format(up ? LK::str_chartJumpUp : LK::str_chartJumpDown,
                           {GroupedNumber(s.jumpAt.lineNo, group), RatioText(up ? s.jump : 1 / s.jump, decSep)});
    }
    return {s.name,
            lang.Format(LK::str_chartPoints, {GroupedNumber(s.points, group)}),
            lang.Format(LK::str_chartFrom, {date(s.firstDate)}),
            lang.Format(LK::str_chartTo, {date(s.lastDate)}),
            lang.Format(LK::str_chartMin, {s.points > 0 ? s.minText : std::string("-")}),
            lang.Format(LK::str_chartMax, {s.points > 0 ? s.maxText : std::string("-")}),
            jump};
}

std::string PointText(int64_t lineNo, std::string_view date, std::string_view value, const LangTexts& lang) {
    return lang.Format(LK::str_chartPoint,
                       {GroupedNumber(lineNo, lang.Text(LK::str_chartGroup)), date.empty() ? "-" : date, value});
}

} // namespace lmx

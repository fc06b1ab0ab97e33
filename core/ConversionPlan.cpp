#include "core/ConversionPlan.h"

#include "common/Text.h"

#include <algorithm>

namespace lmx {

namespace {

bool IsDateAt(const Format& f, std::size_t k) { return k >= 1 && k - 1 < f.columns.size() && f.columns[k - 1].IsDate(); }

// Entry i: the first output column named like input column i, or 0.
std::vector<IoLinkEntry> LinkByName(const Format& input, const Format& output) {
    const int32_t in = input.ColumnCount();
    const int32_t out = output.ColumnCount();
    const std::size_t size = static_cast<std::size_t>(in > out ? in : out) + 1;
    std::vector<IoLinkEntry> link(size);
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
    return link;
}

DateSide SideOf(const Column& col) { return DateSide{col.dateSep.substr(0, 1), col.dateLayout}; }

} // namespace

int32_t DateColumnCount(const Format& fmt) {
    int32_t n = 0;
    for (const Column& c : fmt.columns)
        if (c.IsDate()) ++n;
    return n;
}

DateSide FormatDatePair(const Format& fmt) {
    for (auto c = fmt.columns.rbegin(); c != fmt.columns.rend(); ++c)
        if (c->IsDate()) return SideOf(*c);
    return {};
}

ConversionPlan::ConversionPlan(const Format& input, const Format& output) : input_(input), output_(output) {
    bothChosen_ = true;
    link_ = LinkByName(input_, output_);
    Derive();
}

ConversionPlan::ConversionPlan(const ChosenFormats& chosen)
    : ConversionPlan(chosen.Input.value_or(Format{}), chosen.Output.value_or(Format{})) {
    bothChosen_ = chosen.Input && chosen.Output;
}

ConversionPlan::ConversionPlan(const Format& input, std::vector<IoLinkEntry> link, int32_t outCount)
    : input_(input), link_(std::move(link)) {
    Derive();
    outCount_ = outCount;
}

void ConversionPlan::Derive() {
    inCount_ = input_.ColumnCount();
    outCount_ = output_.ColumnCount();
    // A format never loaded (none chosen yet) has no column count to link by.
    int32_t count = 0;
    linked_ = StrToInt32(input_.countText, count) && StrToInt32(output_.countText, count);

    inDate_ = FormatDatePair(input_);
    // An output format without a date column writes the input's dates as they are: no rewrite, and
    // its "A" columns let the input's date separator pass.
    outDate_ = DateColumnCount(output_) > 0 ? FormatDatePair(output_) : inDate_;

    const auto inCount = static_cast<std::size_t>(inCount_);
    const auto outCount = static_cast<std::size_t>(outCount_);
    const bool severalIn = DateColumnCount(input_) > 1;
    const bool severalOut = DateColumnCount(output_) > 1;
    dates_.assign(outCount + 1, DatePair{});
    for (std::size_t k = 1; k <= outCount; ++k) {
        dates_[k].in = inDate_;
        dates_[k].out = severalOut && IsDateAt(output_, k) ? SideOf(output_.columns[k - 1]) : outDate_;
    }
    // When two input columns feed one output column, the later one is written: its layout counts.
    for (std::size_t i = 1; i <= inCount && i < link_.size(); ++i) {
        const auto t = static_cast<std::size_t>(link_[i].target > 0 ? link_[i].target : 0);
        if (t == 0 || t > outCount) continue;
        dates_[t].fed = true;
        dates_[t].in = severalIn && IsDateAt(input_, i) ? SideOf(input_.columns[i - 1]) : inDate_;
    }

    // With several date columns on either side, each linked pair of date columns is compared on
    // its own: a single pair would stand for the last date column only.
    bool datesDiffer = !(inDate_ == outDate_);
    if (severalIn || severalOut)
        datesDiffer = std::any_of(dates_.begin(), dates_.end(), [](const DatePair& p) { return p.fed && !(p.in == p.out); });
    const bool decimalsDiffer = input_.decSep != output_.decSep;
    engine_ = datesDiffer ? (decimalsDiffer ? ecDateDecimal : ecDate) : (decimalsDiffer ? ecDecimal : ecStandard);
    for (const Column& col : output_.columns)
        if (col.casing != CaseCode::None || col.control != ControlCode::Never || col.affix != AffixCode::None)
            engine_ = ecGlobal;
}

} // namespace lmx

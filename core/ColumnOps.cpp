// The engines' per-column decisions.
#include "core/ColumnOps.h"

namespace lmx {

bool PlanColumns(const Converter& conv, EngineCodeValue engineCode, std::vector<ColumnOps>& cols) {
    const ConversionPlan& f = conv.Plan();
    const std::size_t slots = f.OutColCount() > 0 ? static_cast<std::size_t>(f.OutColCount()) + 1 : 1;
    cols.assign(slots - 1, ColumnOps{});
    // Later input fields overwrite earlier ones in a shared slot; slot 0 is never written.
    const std::size_t inCount = f.InColCount() > 0 ? static_cast<std::size_t>(f.InColCount()) : 0;
    for (std::size_t i = 1; i <= inCount && i < conv.Plan().Link().size(); ++i) {
        const int32_t t = conv.Plan().Link()[i].target;
        if (t > 0 && static_cast<std::size_t>(t) < slots) cols[static_cast<std::size_t>(t) - 1].field = static_cast<int32_t>(i - 1);
    }
    for (std::size_t k = 1; k < slots; ++k) {
        ColumnOps& c = cols[k - 1];
        const DecimalMode mode = DecimalModeOf(f.Input(), f.Output(), k);
        switch (engineCode) {
        case ecStandard: break;
        case ecDecimal:
        case ecDate:
        case ecDateDecimal:
            c.decimal = mode != dmNone;
            c.plainOnly = mode == dmPlainNumber;
            // Equal date settings: dates stay. A date column that nothing feeds stays empty.
            c.date = engineCode != ecDecimal && IsDateColumn(f.Output(), k) && c.field >= 0;
            break;
        case ecGlobal: {
            c.decimal = mode != dmNone;
            c.plainOnly = mode == dmPlainNumber;
            if (k - 1 >= f.Output().columns.size()) break;
            c.date = IsDateColumn(f.Output(), k) && c.field >= 0;
            const Column& col = f.Output().columns[k - 1];
            c.affix = col.affix;
            if (c.affix != AffixCode::None) c.affixText = conv.AddedText(col.affixText);
            c.casing = col.casing;
            // Only "always" is checked: "if filled" picks the engine but controls nothing. A date
            // is checked against the calendar, any other column by its characters.
            c.calendar = col.control == ControlCode::Always && IsDateColumn(f.Output(), k);
            c.control = col.control == ControlCode::Always && !c.calendar;
            c.kind = conv.ControlKindOf(static_cast<int32_t>(k - 1));
            break;
        }
        default: return false;
        }
        c.clash = c.decimal && !c.plainOnly;
    }
    return true;
}

} // namespace lmx

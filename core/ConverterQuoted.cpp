// What the formats whose fields stand in quotes, whose numbers have grouping separators, a K, M or B
// suffix or a percent sign ask of the split and of the write.
#include "core/Converter.h"

#include "core/FieldText.h"

namespace lmx {

void Converter::PrepareFields() {
    const Format& in = plan_.Input();
    const Format& out = plan_.Output();
    quotedIn_ = in.quoting != QuoteMode::None;
    // A grouping separator or a decimal separator of another length than one byte is no byte of
    // a number.
    const bool group = in.groupSep.size() == 1;
    numberIn_.assign(in.columns.size() + 1, 0);
    readNumbers_ = false;
    for (std::size_t i = 0; i < in.columns.size(); ++i) {
        const Column& c = in.columns[i];
        if (c.type == ColumnType::Number && (group || c.scaled || c.percent) && in.decSep.size() == 1) {
            numberIn_[i + 1] = 1;
            readNumbers_ = true;
        }
    }
    groupOut_.assign(out.columns.size() + 1, 0);
    for (std::size_t k = 0; k < out.columns.size() && !out.groupSep.empty(); ++k)
        groupOut_[k + 1] = out.columns[k].type == ColumnType::Number ? 1 : 0;
    writeFields_ = out.quoting != QuoteMode::None || !out.groupSep.empty();
}

void Converter::ReadNumberOf(std::size_t i, std::string& field) const {
    if (i >= numberIn_.size() || numberIn_[i] == 0) return;
    const Format& in = plan_.Input();
    const Column& c = in.columns[i - 1];
    ReadNumber(field, in.decSep[0], in.groupSep.size() == 1 ? in.groupSep[0] : '\0', c.scaled, c.percent);
}

const std::string& Converter::GroupedOut(std::size_t k, const std::string& value, std::string& grouped) const {
    if (k >= groupOut_.size() || !groupOut_[k]) return value;
    grouped = value;
    GroupDigits(grouped, plan_.Output().decSep, plan_.Output().groupSep);
    return grouped;
}

} // namespace lmx

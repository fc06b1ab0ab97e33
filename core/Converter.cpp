#include "core/Converter.h"

#include "common/Cp1252.h"
#include "env/Params.h"

namespace lmx {

Converter::Converter() : currentYear_(RealPort().CurrentYear()) {}

void Converter::TakeDataSettings(std::string_view enc, std::string_view eol) {
    utf8Data_ = DataIsUtf8(enc);
    lfOnly_ = DataEndsLf(eol);
}

std::string Converter::AddedText(std::string_view cp1252) const {
    // A text typed into the format file as UTF-8 (a header in another script) is already what a
    // UTF-8 data file holds: converting it again would write other characters.
    return utf8Data_ && !IsUtf8Text(cp1252) ? Cp1252ToUtf8(cp1252) : std::string(cp1252);
}

void Converter::TakePlan(ConversionPlan plan) {
    plan_ = std::move(plan);
    PrepareFields();
    PrepareDateConv();
}

std::size_t Converter::SlotCount() const {
    return plan_.OutColCount() > 0 ? static_cast<std::size_t>(plan_.OutColCount()) + 1 : 1;
}

std::vector<char> Converter::FedSlots() const {
    std::vector<char> fed(SlotCount(), 0);
    const std::size_t inCount = plan_.InColCount() > 0 ? static_cast<std::size_t>(plan_.InColCount()) : 0;
    for (std::size_t i = 1; i <= inCount && i < plan_.Link().size(); ++i) {
        const int32_t t = plan_.Link()[i].target;
        if (t > 0 && static_cast<std::size_t>(t) < fed.size()) fed[static_cast<std::size_t>(t)] = 1;
    }
    return fed;
}

} // namespace lmx

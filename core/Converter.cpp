#include "core/Converter.h"

#include "common/Cp1252.h"
#include "core/ByteScan.h"
#include "env/Params.h"

#include <cstring>

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
    slots_.assign(static_cast<std::size_t>(plan_.OutColCount()) + 1, std::string());
    PrepareDateConv();
}

std::vector<char> Converter::FedSlots() const {
    std::vector<char> fed(slots_.size(), 0);
    const std::size_t inCount = plan_.InColCount() > 0 ? static_cast<std::size_t>(plan_.InColCount()) : 0;
    for (std::size_t i = 1; i <= inCount && i < plan_.Link().size(); ++i) {
        const int32_t t = plan_.Link()[i].target;
        if (t > 0 && static_cast<std::size_t>(t) < fed.size()) fed[static_cast<std::size_t>(t)] = 1;
    }
    return fed;
}

bool Converter::Unstring(std::string_view line) {
    const std::size_t slots = plan_.OutColCount() > 0 ? static_cast<std::size_t>(plan_.OutColCount()) + 1 : 1;
    if (slots_.size() != slots) slots_.resize(slots);
    for (std::string& s : slots_) s.clear(); // keeps each slot's capacity

    std::size_t field = 1;
    const IoLinkEntry* const link = plan_.Link().data();
    const std::size_t links = plan_.Link().size();
    if (quotedIn_) return UnstringQuoted(line);
    std::string* const slot = slots_.data();
    auto store = [&](const char* b, const char* e) {
        if (field >= links) return; // beyond every input column: not stored
        const auto target = static_cast<std::size_t>(link[field].target);
        if (target < slots) {
            // clear + append stays inside the slot's storage; assign takes a slower general path.
            slot[target].clear();
            slot[target].append(b, static_cast<std::size_t>(e - b));
            if (readNumbers_ && target > 0) ReadNumberOf(field, slot[target]);
        }
    };

    const char* const p = line.data();
    const char* fieldStart = p;
    // A separator text of another length than one never matches: the line is one field.
    if (InColSep().size() == 1) {
        bytescan::ForEachByte(p, line.size(), InColSep()[0], [&](std::size_t at) {
            store(fieldStart, p + at);
            ++field;
            fieldStart = p + at + 1;
        });
    }
    store(fieldStart, p + line.size());
    return plan_.InColCount() >= 0 && field == static_cast<std::size_t>(plan_.InColCount());
}

int Converter::WriteOutLine(IOutSink& sink) {
    if (writeFields_) return WriteFields(sink);
    const std::size_t n = slots_.empty() ? 0 : slots_.size() - 1;
    const std::string_view eol = Eol();
    std::size_t total = eol.size();
    for (std::size_t k = 1; k <= n; ++k) total += slots_[k].size();
    if (n > 1) total += (n - 1) * OutColSep().size();

    if (char* p = sink.Reserve(total)) {
        const bool oneSep = OutColSep().size() == 1;
        const char sep = oneSep ? OutColSep()[0] : '\0';
        for (std::size_t k = 1; k <= n; ++k) {
            if (k > 1) {
                if (oneSep) {
                    *p++ = sep;
                } else if (!OutColSep().empty()) {
                    std::memcpy(p, OutColSep().data(), OutColSep().size());
                    p += OutColSep().size();
                }
            }
            const std::string& s = slots_[k];
            if (!s.empty()) std::memcpy(p, s.data(), s.size());
            p += s.size();
        }
        std::memcpy(p, eol.data(), eol.size());
        return sink.Commit(total) ? leOk : leWrite;
    }
    join_.clear();
    for (std::size_t k = 1; k <= n; ++k) {
        if (k > 1) join_ += OutColSep();
        join_ += slots_[k];
    }
    join_ += eol;
    return sink.Write(join_) ? leOk : leWrite;
}

} // namespace lmx

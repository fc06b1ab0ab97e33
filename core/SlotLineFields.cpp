// A line's split into the slots and their join, and the preview's changes of one slot.
#include "core/SlotLine.h"

#include "core/ByteScan.h"
#include "core/FieldText.h"

#include <cstring>

namespace lmx {

bool SlotLine::Unstring(std::string_view line) {
    const ConversionPlan& plan = conv_.Plan();
    const std::size_t slots = conv_.SlotCount();
    if (slots_.size() != slots) slots_.resize(slots);
    for (std::string& s : slots_) s.clear(); // keeps each slot's capacity
    if (conv_.QuotedInput()) return UnstringQuoted(line);

    std::size_t field = 1;
    const IoLinkEntry* const link = plan.Link().data();
    const std::size_t links = plan.Link().size();
    const bool readNumbers = conv_.ReadsNumbers();
    std::string* const slot = slots_.data();
    auto store = [&](const char* b, const char* e) {
        if (field >= links) return; // beyond every input column: not stored
        const auto target = static_cast<std::size_t>(link[field].target);
        if (target < slots) {
            // clear + append stays inside the slot's storage; assign takes a slower general path.
            slot[target].clear();
            slot[target].append(b, static_cast<std::size_t>(e - b));
            if (readNumbers && target > 0) conv_.ReadNumberOf(field, slot[target]);
        }
    };

    const char* const p = line.data();
    const char* fieldStart = p;
    const std::string& sep = conv_.InColSep();
    // A separator text of another length than one never matches: the line is one field.
    if (sep.size() == 1) {
        bytescan::ForEachByte(p, line.size(), sep[0], [&](std::size_t at) {
            store(fieldStart, p + at);
            ++field;
            fieldStart = p + at + 1;
        });
    }
    store(fieldStart, p + line.size());
    return plan.InColCount() >= 0 && field == static_cast<std::size_t>(plan.InColCount());
}

bool SlotLine::UnstringQuoted(std::string_view line) {
    // slots_ is sized and emptied by Unstring.
    const ConversionPlan& plan = conv_.Plan();
    const std::size_t slots = slots_.size();
    std::size_t field = 1;
    const auto store = [&](std::string_view raw, bool quoted) {
        if (field < plan.Link().size()) {
            const auto target = static_cast<std::size_t>(plan.Link()[field].target);
            if (target < slots) {
                std::string& slot = slots_[target];
                slot.clear();
                AppendUnquoted(slot, raw, quoted);
                if (conv_.ReadsNumbers() && target > 0) conv_.ReadNumberOf(field, slot);
            }
        }
        ++field;
    };
    bool ok = true;
    const std::string& sep = conv_.InColSep();
    if (sep.size() == 1) {
        ok = ForEachQuotedField(line, sep[0], store);
    } else if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        // A separator of another length than one never matches: the line is one field.
        store(line.substr(1, line.size() - 2), true);
    } else {
        store(line, false);
    }
    return ok && plan.InColCount() >= 0 && field - 1 == static_cast<std::size_t>(plan.InColCount());
}

int SlotLine::WriteOutLine(IOutSink& sink) {
    if (conv_.WritesFields()) return WriteFields(sink);
    const std::size_t n = slots_.empty() ? 0 : slots_.size() - 1;
    const std::string_view eol = conv_.Eol();
    const std::string& sep = conv_.OutColSep();
    std::size_t total = eol.size();
    for (std::size_t k = 1; k <= n; ++k) total += slots_[k].size();
    if (n > 1) total += (n - 1) * sep.size();

    if (char* p = sink.Reserve(total)) {
        for (std::size_t k = 1; k <= n; ++k) {
            if (k > 1) {
                if (sep.size() == 1) {
                    *p++ = sep[0];
                } else if (!sep.empty()) {
                    std::memcpy(p, sep.data(), sep.size());
                    p += sep.size();
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
        if (k > 1) join_ += sep;
        join_ += slots_[k];
    }
    join_ += eol;
    return sink.Write(join_) ? leOk : leWrite;
}

int SlotLine::WriteFields(IOutSink& sink) {
    const std::size_t n = slots_.empty() ? 0 : slots_.size() - 1;
    const Format& out = conv_.Plan().Output();
    join_.clear();
    for (std::size_t k = 1; k <= n; ++k) {
        if (k > 1) join_ += conv_.OutColSep();
        AppendQuoted(join_, conv_.GroupedOut(k, slots_[k], field_), out.quoting, conv_.OutColSep());
    }
    join_ += conv_.Eol();
    return sink.Write(join_) ? leOk : leWrite;
}

void SlotLine::ShowDecimalChange(std::size_t k) {
    if (k < slots_.size()) slots_[k] = conv_.DecimalChangeOf(k, slots_[k]);
}

void SlotLine::ShowDate(std::size_t k) {
    if (k >= slots_.size()) return;
    if (conv_.DateConvInto(slots_[k], conv_.DateOf(k), field_))
        slots_[k].swap(field_);
    else
        slots_[k].assign(1, '0');
}

std::string SlotLine::WrittenText(std::size_t k) const {
    if (k >= slots_.size()) return {};
    std::string grouped;
    return conv_.GroupedOut(k, slots_[k], grouped);
}

} // namespace lmx

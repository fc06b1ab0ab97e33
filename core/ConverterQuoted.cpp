// The split and the write of formats whose fields stand in quotes, whose numbers have grouping
// separators, a K, M or B suffix or a percent sign. Formats without them never come here.
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

void Converter::ReadNumberOf(std::size_t i, std::string& slot) const {
    if (i >= numberIn_.size() || numberIn_[i] == 0) return;
    const Format& in = plan_.Input();
    const Column& c = in.columns[i - 1];
    ReadNumber(slot, in.decSep[0], in.groupSep.size() == 1 ? in.groupSep[0] : '\0', c.scaled, c.percent);
}

bool Converter::UnstringQuoted(std::string_view line) {
    // slots_ is sized and emptied by Unstring.
    const std::size_t slots = slots_.size();
    std::size_t field = 1;
    const auto store = [&](std::string_view raw, bool quoted) {
        if (field < plan_.Link().size()) {
            const auto target = static_cast<std::size_t>(plan_.Link()[field].target);
            if (target < slots) {
                std::string& slot = slots_[target];
                slot.clear();
                AppendUnquoted(slot, raw, quoted);
                if (readNumbers_ && target > 0) ReadNumberOf(field, slot);
            }
        }
        ++field;
    };
    bool ok = true;
    if (InColSep().size() == 1) {
        ok = ForEachQuotedField(line, InColSep()[0], store);
    } else if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        // A separator of another length than one never matches: the line is one field.
        store(line.substr(1, line.size() - 2), true);
    } else {
        store(line, false);
    }
    return ok && plan_.InColCount() >= 0 && field - 1 == static_cast<std::size_t>(plan_.InColCount());
}

const std::string& Converter::GroupedOut(std::size_t k, const std::string& value) {
    if (k >= groupOut_.size() || !groupOut_[k]) return value;
    field_ = value;
    GroupDigits(field_, plan_.Output().decSep, plan_.Output().groupSep);
    return field_;
}

int Converter::WriteFields(IOutSink& sink) {
    const std::size_t n = slots_.empty() ? 0 : slots_.size() - 1;
    const Format& out = plan_.Output();
    join_.clear();
    for (std::size_t k = 1; k <= n; ++k) {
        if (k > 1) join_ += OutColSep();
        AppendQuoted(join_, GroupedOut(k, slots_[k]), out.quoting, OutColSep());
    }
    join_ += Eol();
    return sink.Write(join_) ? leOk : leWrite;
}

} // namespace lmx

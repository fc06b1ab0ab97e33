// The engines' pipelines through the slots: Unstring, the per-slot operations, WriteOutLine.
#include "core/UEngineLine.h"

#include "common/Text.h"
#include "core/UByteScan.h"
#include "core/UEngines.h"

namespace lmx {

bool SlotLine::Prepare(int32_t engineCode) {
    const FormatState& f = conv_.Formats();
    code_ = engineCode;
    inDec_ = f.Input.decSep;
    outDec_ = f.Output.decSep;
    const std::size_t slots = conv_.t_lineOut.size();
    flag_.assign(slots, 0);
    plan_.assign(slots, Plan{});
    decimalOf_.assign(slots, dmNone);
    casseOf_.assign(slots, 0);
    dateOf_.assign(slots, 0);
    if (engineCode != ecStandard)
        for (std::size_t k = 1; k < slots; ++k) decimalOf_[k] = static_cast<char>(DecimalModeOf(f.Input, f.Output, k));
    switch (engineCode) {
    case ecStandard:
    case ecDecimal: return true; // equal date settings: dates are copied as they are
    case ecDate:
    case ecDateDecimal:
        for (std::size_t k = 1; k < slots; ++k) flag_[k] = IsDateColumn(f.Output, k) ? 1 : 0;
        dateOf_ = flag_;
        return true;
    case ecGlobal:
        for (std::size_t k = 1; k < slots && k - 1 < f.Output.columns.size(); ++k) {
            const Column& col = f.Output.columns[k - 1];
            Plan& p = plan_[k];
            p.fixe = col.affix;
            p.casse = col.casing;
            p.control = col.control;
            p.isDate = IsDateColumn(f.Output, k);
            p.kind = conv_.ControlKindOf(static_cast<int32_t>(k - 1));
            if (p.fixe != AffixCode::None) p.fixeText = conv_.AddedText(col.affixText);
            casseOf_[k] = static_cast<int32_t>(p.casse);
            dateOf_[k] = p.isDate;
        }
        return true;
    default: return false;
    }
}

bool SlotLine::ChangeDecimal(std::size_t k, std::string& slot) const {
    switch (decimalOf_[k]) {
    case dmEvery: return Converter::DecimalChangeInPlace(slot, inDec_, outDec_);
    case dmPlainNumber:
        if (!ReadsAsPlainNumber(slot.data(), slot.size(), inDec_[0])) return true;
        return Converter::DecimalChangeInPlace(slot, inDec_, outDec_);
    default: return true;
    }
}

int SlotLine::Convert(std::string_view line, IOutSink& out) {
    int status = leOk;
    switch (code_) {
    case ecStandard: Standard(line, status); break;
    case ecDecimal: Decimal(line, status); break;
    case ecDate:
    case ecDateDecimal: DatePerso(line, status); break;
    case ecGlobal: Global(line, status); break;
    default: return leDecSep;
    }
    if (status == leOk && SourceHoldsSep(line)) status = leWrite;
    if (status == leOk) status = conv_.WriteOutLine(out);
    return status;
}

void SlotLine::Standard(std::string_view line, int& status) {
    if (!conv_.Unstring(line)) status = leUnstring;
}

void SlotLine::Decimal(std::string_view line, int& status) {
    if (!conv_.Unstring(line)) {
        status = leUnstring;
        return;
    }
    auto& slots = conv_.t_lineOut;
    for (std::size_t k = 1; k < slots.size() && k < decimalOf_.size(); ++k) {
        if (!ChangeDecimal(k, slots[k])) {
            status = leDecSep;
            return;
        }
    }
}

void SlotLine::DatePerso(std::string_view line, int& status) {
    if (!conv_.Unstring(line)) {
        status = leUnstring;
        return;
    }
    auto& slots = conv_.t_lineOut;
    for (std::size_t k = 1; k < slots.size() && k < flag_.size(); ++k) {
        std::string& slot = slots[k];
        if (!ChangeDecimal(k, slot)) {
            status = leDecSep;
            return;
        }
        if (flag_[k]) {
            if (conv_.DateConvInto(slot, conv_.DateOf(k), dateOut_))
                slot.swap(dateOut_); // both keep their storage for the next lines
            else
                status = leDate;
        }
    }
}

void SlotLine::Global(std::string_view line, int& status) {
    if (!conv_.Unstring(line)) {
        status = leUnstring;
        return;
    }
    auto& slots = conv_.t_lineOut;
    for (std::size_t k = 1; k < slots.size() && k < plan_.size(); ++k) {
        std::string& slot = slots[k];
        const Plan& p = plan_[k];
        if (!ChangeDecimal(k, slot)) {
            if (status == leOk) status = leDecSep;
            return;
        }
        if (p.fixe != AffixCode::None) Converter::AddFixeInPlace(slot, static_cast<int32_t>(p.fixe), p.fixeText);
        if (p.casse != CaseCode::None) Converter::ForceCaseInPlace(slot, static_cast<int32_t>(p.casse));
        if (p.isDate) {
            if (conv_.DateConvInto(slot, conv_.DateOf(k), dateOut_))
                slot.swap(dateOut_);
            else
                status = leDate; // a date failure outranks an earlier "#Type"
        }
        // Only "always" is checked: "if filled" picks the engine but controls nothing.
        if (status == leOk && p.control == ControlCode::Always &&
            !Converter::ControlValue(slot, p.kind, outDec_, conv_.DateSepTextOf(static_cast<int32_t>(k - 1))))
            status = leType;
    }
}

bool SlotLine::SourceHoldsSep(std::string_view line) {
    const std::string& outSep = conv_.OutColSep;
    // A separator of another length than one never matches a character.
    if (outSep.size() != 1) return false;
    const char o = outSep[0];
    // The fields of the line as read, each where Unstring put it (the later of two fields wins).
    source_.assign(conv_.t_lineOut.size(), std::string_view());
    std::size_t field = 1, start = 0;
    const auto store = [&](std::size_t end) {
        if (field < conv_.IoLink.size()) {
            const auto t = static_cast<std::size_t>(conv_.IoLink[field].target);
            if (t < source_.size()) source_[t] = line.substr(start, end - start);
        }
    };
    for (std::size_t i = 0; conv_.InColSep.size() == 1 && i < line.size(); ++i) {
        if (line[i] != conv_.InColSep[0]) continue;
        store(i);
        ++field;
        start = i + 1;
    }
    store(line.size());
    for (std::size_t k = 1; k < source_.size(); ++k) {
        const std::string_view value = source_[k];
        const bool changed = decimalOf_[k] == dmEvery ||
                             (decimalOf_[k] == dmPlainNumber && ReadsAsPlainNumber(value.data(), value.size(), inDec_[0]));
        if (dateOf_[k]) {
            // A rewritten date: its own separator is the format's; all else comes from the value.
            const std::string& slot = conv_.t_lineOut[k];
            if (conv_.DateOf(k).OutSepText != outSep && slot.find(o) != std::string::npos) return true;
            continue;
        }
        // Prefix, suffix and the new decimal separator are the format's own texts; every other
        // byte of the field is written, after the case is forced.
        for (const char b : value) {
            if (changed && b == inDec_[0]) continue;
            if (Converter::ForceCase(std::string(1, b), casseOf_[k]) == outSep) return true;
        }
    }
    return false;
}

} // namespace lmx

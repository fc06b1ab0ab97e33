// The engines' pipelines through the slots: Unstring, the per-slot operations, WriteOutLine.
#include "core/SlotLine.h"

#include "common/Text.h"
#include "core/ByteScan.h"
#include "core/ColumnOps.h"

namespace lmx {

bool SlotLine::Prepare(EngineCodeValue engineCode) {
    const ConversionPlan& f = conv_.Plan();
    code_ = engineCode;
    inDec_ = f.Input().decSep;
    outDec_ = f.Output().decSep;
    const std::size_t slots = conv_.SlotCount();
    slots_.resize(slots);
    flag_.assign(slots, 0);
    plan_.assign(slots, Plan{});
    decimalOf_.assign(slots, dmNone);
    casseOf_.assign(slots, CaseCode::None);
    dateOf_.assign(slots, 0);
    if (engineCode != ecStandard)
        for (std::size_t k = 1; k < slots; ++k) decimalOf_[k] = static_cast<char>(DecimalModeOf(f.Input(), f.Output(), k));
    // A date column that no input column feeds stays empty.
    const std::vector<char> fed = conv_.FedSlots();
    switch (engineCode) {
    case ecStandard:
    case ecDecimal: return true; // equal date settings: dates are copied as they are
    case ecDate:
    case ecDateDecimal:
        for (std::size_t k = 1; k < slots; ++k) flag_[k] = IsDateColumn(f.Output(), k) && fed[k] ? 1 : 0;
        dateOf_ = flag_;
        return true;
    case ecGlobal:
        for (std::size_t k = 1; k < slots && k - 1 < f.Output().columns.size(); ++k) {
            const Column& col = f.Output().columns[k - 1];
            Plan& p = plan_[k];
            p.affix = col.affix;
            p.casing = col.casing;
            p.control = col.control;
            p.isDate = IsDateColumn(f.Output(), k) && fed[k];
            p.calendar = col.control == ControlCode::Always && IsDateColumn(f.Output(), k);
            p.kind = conv_.ControlKindOf(static_cast<int32_t>(k - 1));
            if (p.affix != AffixCode::None) p.affixText = conv_.AddedText(col.affixText);
            casseOf_[k] = p.casing;
            dateOf_[k] = p.isDate;
        }
        return true;
    default: return false;
    }
}

int SlotLine::ChangeDecimal(std::size_t k, std::string& slot) const {
    switch (decimalOf_[k]) {
    case dmEvery:
        // A number that already holds the output separator would be written as another number.
        if (outDec_.size() == 1 && slot.find(outDec_[0]) != std::string::npos) return leDecClash;
        Converter::DecimalChangeInPlace(slot, inDec_, outDec_);
        return leOk;
    case dmPlainNumber:
        if (ReadsAsPlainNumber(slot.data(), slot.size(), inDec_[0])) Converter::DecimalChangeInPlace(slot, inDec_, outDec_);
        return leOk;
    default: return leOk;
    }
}

int SlotLine::Convert(std::string_view line, IOutSink& out) {
    if (code_ != ecStandard && code_ != ecDecimal && code_ != ecDate && code_ != ecDateDecimal && code_ != ecGlobal)
        return leDecSep;
    if (!Unstring(line)) return leUnstring;
    // The fields as read, before any operation: a byte that the line would write as an output
    // separator.
    const bool holds = ReadHoldsSep();
    int status = leOk;
    switch (code_) {
    case ecDecimal: Decimal(status); break;
    case ecDate:
    case ecDateDecimal: DatePerso(status); break;
    case ecGlobal: Global(status); break;
    default: break; // linked fields are copied as they are
    }
    if (status == leOk && (holds || DatesHoldSep())) status = leWrite;
    if (status == leOk) status = WriteOutLine(out);
    return status;
}

void SlotLine::Decimal(int& status) {
    for (std::size_t k = 1; k < slots_.size() && k < decimalOf_.size(); ++k) {
        const int changed = ChangeDecimal(k, slots_[k]);
        if (changed != leOk) {
            status = changed;
            return;
        }
    }
}

void SlotLine::DatePerso(int& status) {
    for (std::size_t k = 1; k < slots_.size() && k < flag_.size(); ++k) {
        std::string& slot = slots_[k];
        const int changed = ChangeDecimal(k, slot);
        if (changed != leOk) {
            if (status == leOk) status = changed;
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

void SlotLine::Global(int& status) {
    for (std::size_t k = 1; k < slots_.size() && k < plan_.size(); ++k) {
        std::string& slot = slots_[k];
        const Plan& p = plan_[k];
        const int changed = ChangeDecimal(k, slot);
        if (changed != leOk) {
            if (status == leOk) status = changed;
            return;
        }
        if (p.affix != AffixCode::None) Converter::AddAffixInPlace(slot, p.affix, p.affixText);
        if (p.casing != CaseCode::None) Converter::ForceCaseInPlace(slot, p.casing);
        if (p.isDate) {
            if (conv_.DateConvInto(slot, conv_.DateOf(k), dateOut_))
                slot.swap(dateOut_);
            else
                status = leDate; // a date failure outranks an earlier "#Type"
        }
        // Only "always" is checked: "if filled" picks the engine but controls nothing. A date must
        // be one of the calendar.
        if (p.calendar) {
            if (status != leDate && !conv_.IsCalendarDate(slot, conv_.DateOf(k))) status = leDate;
        } else if (status == leOk && p.control == ControlCode::Always &&
                   !Converter::ControlValue(slot, p.kind, outDec_, conv_.DateSepTextOf(static_cast<int32_t>(k - 1)))) {
            status = leType;
        }
    }
}

const char* SlotLine::WatchedSep() const {
    const std::string& outSep = conv_.OutColSep();
    // A separator of another length than one never matches a character; quotes protect it.
    if (outSep.size() != 1 || conv_.Plan().Output().quoting != QuoteMode::None) return nullptr;
    return outSep.data();
}

bool SlotLine::ReadHoldsSep() const {
    const char* sep = WatchedSep();
    if (sep == nullptr) return false;
    const char o = *sep;
    for (std::size_t k = 1; k < slots_.size() && k < dateOf_.size(); ++k) {
        if (dateOf_[k]) continue; // a rewritten date is looked at once rewritten
        const std::string& value = slots_[k];
        const bool changed = decimalOf_[k] == dmEvery ||
                             (decimalOf_[k] == dmPlainNumber && ReadsAsPlainNumber(value.data(), value.size(), inDec_[0]));
        // Prefix, suffix and the new decimal separator are the format's own texts; every other
        // byte of the field is written, after the case is forced.
        for (const char b : value) {
            if (changed && b == inDec_[0]) continue;
            if (CaseOf(b, casseOf_[k]) == o) return true;
        }
    }
    return false;
}

bool SlotLine::DatesHoldSep() const {
    const char* sep = WatchedSep();
    if (sep == nullptr) return false;
    // A rewritten date: its own separator is the format's; all else comes from the value.
    for (std::size_t k = 1; k < slots_.size() && k < dateOf_.size(); ++k)
        if (dateOf_[k] && conv_.DateOf(k).OutSepText != conv_.OutColSep() && slots_[k].find(*sep) != std::string::npos)
            return true;
    return false;
}

} // namespace lmx

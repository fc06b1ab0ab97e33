// The operations on one field: the decimal separator, the type control, the case and the texts
// added before or after.
#include "core/Converter.h"

#include "core/ByteScan.h"

namespace lmx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void Converter::DecimalChangeInPlace(std::string& value, std::string_view from, std::string_view to) {
    if (from.size() != 1 || value.empty()) return;
    const char f = from[0];
    if (to.size() == 1) {
        bytescan::ReplaceByte(value.data(), value.size(), f, to[0]);
        return;
    }
    if (value.find(f) == std::string::npos) return;
    std::string changed;
    changed.reserve(value.size() + 8);
    for (const char c : value) {
        if (c == f)
            changed.append(to);
        else
            changed.push_back(c);
    }
    value.swap(changed);
}

std::string Converter::DecimalChange(std::string_view from, std::string_view to, std::string_view value) {
    std::string out(value);
    DecimalChangeInPlace(out, from, to);
    return out;
}

std::string Converter::DecimalChangeOf(std::size_t k, std::string_view value) const {
    const std::string& from = plan_.Input().decSep;
    switch (DecimalModeOf(plan_.Input(), plan_.Output(), k)) {
    case dmEvery: return DecimalChange(from, plan_.Output().decSep, value);
    case dmPlainNumber:
        if (ReadsAsPlainNumber(value.data(), value.size(), from[0])) return DecimalChange(from, plan_.Output().decSep, value);
        return std::string(value);
    default: return std::string(value);
    }
}

DecimalMode DecimalModeOf(const Format& in, const Format& out, std::size_t k) {
    const std::string& from = in.decSep;
    // A separator of another length than one never matches a character.
    if (from.size() != 1 || from == out.decSep || k == 0) return dmNone;
    const std::vector<Column>& cols = out.columns;
    if (k - 1 < cols.size() && cols[k - 1].IsDate()) return dmNone;
    if (k - 1 < cols.size() && cols[k - 1].type == ColumnType::Number) return dmEvery;
    return dmPlainNumber;
}

bool Converter::ControlValue(std::string_view value, ControlKind kind, std::string_view decSep,
                             std::string_view dateSepText) {
    if (kind == ckAnyText) return true;
    if (kind == ckNumber)
        return bytescan::NumberBytes(value.data(), value.size(), decSep.size() == 1, decSep.empty() ? '\0' : decSep[0]);
    const std::string_view allowed = kind == ckNumber ? decSep : dateSepText;
    // Only a one-character separator can equal a character.
    const bool hasOther = allowed.size() == 1;
    const char other = hasOther ? allowed[0] : '\0';
    for (const char c : value) {
        if (IsDigit(c)) continue;
        if (hasOther && c == other) continue;
        return false;
    }
    return true;
}

ControlKind Converter::ControlKindOf(int32_t column) const {
    const auto& cols = plan_.Output().columns;
    if (column < 0 || static_cast<std::size_t>(column) >= cols.size()) return ckDateChars;
    switch (cols[static_cast<std::size_t>(column)].type) {
    case ColumnType::Text: return ckAnyText;
    case ColumnType::Number: return ckNumber;
    default: return ckDateChars; // a date, and "A"
    }
}

bool Converter::TypeControl(std::string_view value, int32_t column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= plan_.Output().columns.size()) return false;
    if (plan_.Output().columns[static_cast<std::size_t>(column)].IsDate())
        return IsCalendarDate(value, DateOf(static_cast<std::size_t>(column) + 1));
    return ControlValue(value, ControlKindOf(column), plan_.Output().decSep, DateSepTextOf(column));
}

void Converter::ForceCaseInPlace(std::string& value, CaseCode code) {
    bytescan::ForceAsciiCase(value.data(), value.size(), code);
}

std::string Converter::ForceCase(std::string_view value, CaseCode code) {
    std::string out(value);
    ForceCaseInPlace(out, code);
    return out;
}

void Converter::AddAffixInPlace(std::string& value, AffixCode code, std::string_view affix) {
    if (code == AffixCode::Prefix)
        value.insert(0, affix);
    else if (code == AffixCode::Suffix)
        value.append(affix);
}

std::string Converter::AddAffix(std::string_view value, AffixCode code, std::string_view affix) {
    std::string out(value);
    AddAffixInPlace(out, code, affix);
    return out;
}

} // namespace lmx

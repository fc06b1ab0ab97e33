#include "core/UEngine.h"

#include "common/Cp1252.h"
#include "core/UByteScan.h"
#include "env/UParms.h"

#include <chrono>
#include <cstring>

namespace lmx {

namespace {

int ClockYear() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

Converter::Converter(FormatState& formats) : fmt_(formats), currentYear_(ClockYear()) {}

void Converter::TakeDataSettings(std::string_view enc, std::string_view eol) {
    Utf8Data = DataIsUtf8(enc);
    LfOnly = DataEndsLf(eol);
}

std::string Converter::AddedText(std::string_view cp1252) const {
    return Utf8Data ? Cp1252ToUtf8(cp1252) : std::string(cp1252);
}

void Converter::TakeSeparators() {
    InColSep = fmt_.Input.colSep;
    OutColSep = fmt_.Output.colSep;
}

bool Converter::Unstring(std::string_view line) {
    try {
        const std::size_t slots = fmt_.OutColCount > 0 ? static_cast<std::size_t>(fmt_.OutColCount) + 1 : 1;
        if (t_lineOut.size() != slots) t_lineOut.resize(slots);
        for (std::string& s : t_lineOut) s.clear(); // keeps each slot's capacity

        std::size_t field = 1;
        const IoLinkEntry* const link = IoLink.data();
        const std::size_t links = IoLink.size();
        std::string* const slot = t_lineOut.data();
        auto store = [&](const char* b, const char* e) {
            if (field >= links) return; // beyond every input column: not stored
            const auto target = static_cast<std::size_t>(link[field].target);
            if (target < slots) {
                // clear + append stays inside the slot's storage; assign takes a slower general path.
                slot[target].clear();
                slot[target].append(b, static_cast<std::size_t>(e - b));
            }
        };

        const char* const p = line.data();
        const char* fieldStart = p;
        // A separator text of another length than one never matches: the line is one field.
        if (InColSep.size() == 1) {
            bytescan::ForEachByte(p, line.size(), InColSep[0], [&](std::size_t at) {
                store(fieldStart, p + at);
                ++field;
                fieldStart = p + at + 1;
            });
        }
        store(fieldStart, p + line.size());
        return fmt_.InColCount >= 0 && field == static_cast<std::size_t>(fmt_.InColCount);
    } catch (...) {
        return false;
    }
}

int Converter::WriteOutLine() {
    if (!Out) return leWrite;
    return WriteOutLine(*Out);
}

int Converter::WriteOutLine(IOutSink& sink) {
    try {
        const std::size_t n = t_lineOut.empty() ? 0 : t_lineOut.size() - 1;
        const std::string_view eol = Eol();
        std::size_t total = eol.size();
        for (std::size_t k = 1; k <= n; ++k) total += t_lineOut[k].size();
        if (n > 1) total += (n - 1) * OutColSep.size();

        if (char* p = sink.Reserve(total)) {
            const bool oneSep = OutColSep.size() == 1;
            const char sep = oneSep ? OutColSep[0] : '\0';
            for (std::size_t k = 1; k <= n; ++k) {
                if (k > 1) {
                    if (oneSep) {
                        *p++ = sep;
                    } else if (!OutColSep.empty()) {
                        std::memcpy(p, OutColSep.data(), OutColSep.size());
                        p += OutColSep.size();
                    }
                }
                const std::string& s = t_lineOut[k];
                if (!s.empty()) std::memcpy(p, s.data(), s.size());
                p += s.size();
            }
            std::memcpy(p, eol.data(), eol.size());
            return sink.Commit(total) ? leOk : leWrite;
        }
        join_.clear();
        for (std::size_t k = 1; k <= n; ++k) {
            if (k > 1) join_ += OutColSep;
            join_ += t_lineOut[k];
        }
        join_ += eol;
        return sink.Write(join_) ? leOk : leWrite;
    } catch (...) {
        return leWrite;
    }
}

bool Converter::DecimalChangeInPlace(std::string& value, std::string_view from, std::string_view to) {
    try {
        if (from.size() != 1 || value.empty()) return true;
        const char f = from[0];
        if (to.size() == 1) {
            bytescan::ReplaceByte(value.data(), value.size(), f, to[0]);
            return true;
        }
        if (value.find(f) == std::string::npos) return true;
        std::string changed;
        changed.reserve(value.size() + 8);
        for (const char c : value) {
            if (c == f)
                changed.append(to);
            else
                changed.push_back(c);
        }
        value.swap(changed);
        return true;
    } catch (...) {
        return false;
    }
}

std::string Converter::DecimalChange(std::string_view from, std::string_view to, std::string_view value) {
    try {
        std::string out(value);
        if (DecimalChangeInPlace(out, from, to)) return out;
    } catch (...) {
    }
    return "#KO";
}

std::string Converter::DecimalChangeOf(std::size_t k, std::string_view value) const {
    const std::string& from = fmt_.Input.decSep;
    switch (DecimalModeOf(fmt_, k)) {
    case dmEvery: return DecimalChange(from, fmt_.Output.decSep, value);
    case dmPlainNumber:
        if (ReadsAsPlainNumber(value.data(), value.size(), from[0])) return DecimalChange(from, fmt_.Output.decSep, value);
        return std::string(value);
    default: return std::string(value);
    }
}

DecimalMode DecimalModeOf(const FormatState& formats, std::size_t k) {
    const std::string& from = formats.Input.decSep;
    // A separator of another length than one never matches a character.
    if (from.size() != 1 || from == formats.Output.decSep || k == 0) return dmNone;
    const std::vector<Column>& out = formats.Output.columns;
    if (k - 1 < out.size() && out[k - 1].IsDate()) return dmNone;
    if (k - 1 < out.size() && out[k - 1].type == ColumnType::Number) return dmEvery;
    return dmPlainNumber;
}

bool Converter::ControlValue(std::string_view value, ControlKind kind, std::string_view decSep,
                             std::string_view dateSepText) {
    if (kind == ckAnyText) return true;
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
    const auto& cols = fmt_.Output.columns;
    if (column < 0 || static_cast<std::size_t>(column) >= cols.size()) return ckDateChars;
    switch (cols[static_cast<std::size_t>(column)].type) {
    case ColumnType::Text: return ckAnyText;
    case ColumnType::Number: return ckNumber;
    default: return ckDateChars; // a date, and "A"
    }
}

bool Converter::TypeControl(std::string_view value, int32_t column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= fmt_.Output.columns.size()) return false;
    return ControlValue(value, ControlKindOf(column), fmt_.Output.decSep, DateSepTextOf(column));
}

void Converter::ForceCaseInPlace(std::string& value, int32_t code) {
    // ASCII letters only: accented letters keep their case.
    if (code == 1) {
        for (char& c : value)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    } else if (code == 2) {
        for (char& c : value)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
}

std::string Converter::ForceCase(std::string_view value, int32_t code) {
    std::string out(value);
    ForceCaseInPlace(out, code);
    return out;
}

void Converter::AddFixeInPlace(std::string& value, int32_t code, std::string_view fixe) {
    if (code == 1)
        value.insert(0, fixe);
    else if (code == 2)
        value.append(fixe);
}

std::string Converter::AddFixe(std::string_view value, int32_t code, std::string_view fixe) {
    std::string out(value);
    AddFixeInPlace(out, code, fixe);
    return out;
}

} // namespace lmx

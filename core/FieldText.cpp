#include "core/FieldText.h"

#include <array>

namespace lmx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int ScaleOf(char c) {
    switch (c) {
    case 'K': case 'k': return 3;
    case 'M': case 'm': return 6;
    case 'B': case 'b': return 9;
    default: return 0;
    }
}

} // namespace

void AppendUnquoted(std::string& out, std::string_view raw, bool quoted) {
    if (!quoted) {
        out.append(raw);
        return;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        out.push_back(raw[i]);
        if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') ++i;
    }
}

void AppendQuoted(std::string& out, std::string_view value, QuoteMode mode, std::string_view sep) {
    const bool quote = mode == QuoteMode::Always ||
                       (mode == QuoteMode::AsNeeded &&
                        (value.find_first_of("\"\r\n") != std::string_view::npos ||
                         (!sep.empty() && value.find(sep) != std::string_view::npos)));
    if (!quote) {
        out.append(value);
        return;
    }
    out.push_back('"');
    for (const char c : value) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    out.push_back('"');
}

bool ReadNumber(std::string& value, char dec, char group, bool scaled, bool percent) {
    std::size_t n = value.size();
    if (percent && n > 0 && value[n - 1] == '%') --n;
    const int scale = scaled && n > 0 ? ScaleOf(value[n - 1]) : 0;
    if (scale > 0) --n;
    // Nothing to do unless a sign of the download is there.
    const bool grouped = group != '\0' && value.find(group) < n;
    if (n == value.size() && !grouped) return false;

    // The whole part's digits and the fraction's, on the stack: no allocation per value.
    constexpr std::size_t kMax = 64;
    if (n > kMax) return false;
    std::array<char, kMax + 12> whole{};
    std::array<char, kMax> fraction{};
    std::size_t w = 0, f = 0, i = 0;
    const bool signed_ = n > 0 && (value[0] == '-' || value[0] == '+');
    if (signed_) i = 1;
    for (; i < n && value[i] != dec; ++i) {
        if (IsDigit(value[i])) whole[w++] = value[i];
        else if (!(value[i] == group && w > 0 && i + 1 < n && IsDigit(value[i + 1]) && IsDigit(value[i - 1]))) return false;
    }
    const bool hasDec = i < n;
    for (i += hasDec ? 1 : 0; i < n; ++i) {
        if (!IsDigit(value[i])) return false;
        fraction[f++] = value[i];
    }
    if (w + f == 0) return false;

    std::size_t start = 0; // leading zeros of the whole part go when digits move into it
    if (scale > 0) {
        std::size_t moved = 0;
        for (; moved < static_cast<std::size_t>(scale) && moved < f; ++moved) whole[w++] = fraction[moved];
        for (std::size_t z = moved; z < static_cast<std::size_t>(scale); ++z) whole[w++] = '0';
        for (std::size_t k = moved; k < f; ++k) fraction[k - moved] = fraction[k];
        f -= moved;
        while (start + 1 < w && whole[start] == '0') ++start;
    }
    std::array<char, 2 * kMax + 16> out{};
    std::size_t o = 0;
    if (signed_) out[o++] = value[0];
    for (std::size_t k = start; k < w; ++k) out[o++] = whole[k];
    if (f > 0 || (hasDec && scale == 0)) {
        out[o++] = dec;
        for (std::size_t k = 0; k < f; ++k) out[o++] = fraction[k];
    }
    value.assign(out.data(), o); // within the value's storage once it has grown
    return true;
}

void GroupDigits(std::string& value, std::string_view dec, std::string_view group) {
    const std::size_t start = !value.empty() && (value[0] == '-' || value[0] == '+') ? 1 : 0;
    std::size_t end = start;
    while (end < value.size() && IsDigit(value[end])) ++end;
    if (end - start <= 3 || group.empty()) return;
    if (end < value.size()) {
        // Only the decimal separator and digits may follow.
        if (dec.empty() || value.compare(end, dec.size(), dec) != 0) return;
        for (std::size_t i = end + dec.size(); i < value.size(); ++i)
            if (!IsDigit(value[i])) return;
    }
    // The separators go in from the end, in place: no allocation once the value has grown.
    const std::size_t digits = end - start;
    const std::size_t added = (digits - 1) / 3 * group.size();
    const std::size_t old = value.size();
    value.resize(old + added);
    char* v = value.data();
    for (std::size_t i = old; i-- > end;) v[i + added] = v[i];
    std::size_t to = end + added;
    for (std::size_t i = end, d = 0; i-- > start; ++d) {
        if (d > 0 && d % 3 == 0) {
            to -= group.size();
            for (std::size_t g = 0; g < group.size(); ++g) v[to + g] = group[g];
        }
        v[--to] = v[i];
    }
}

} // namespace lmx

#include "env/Colors.h"

#include "common/Text.h"

#include <array>

namespace lmx {
namespace {

struct NamedColor {
    std::string_view name;
    uint32_t bgr;
};

constexpr std::array<NamedColor, 16> kNamed = {{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
}};

constexpr uint32_t kMaxColor = 0xFFFFFF;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool SameAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool HexToColor(std::string_view digits, uint32_t& bgr) {
    if (digits.empty()) return false;
    uint32_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        value = value * 16 + static_cast<uint32_t>(d);
        // Leading zeros are harmless; anything beyond 24 bits is no colour.
        if (value > kMaxColor) return false;
    }
    bgr = value;
    return true;
}

} // namespace

bool ColorFromText(std::string_view text, uint32_t& bgr) {
    for (const auto& named : kNamed) {
        if (SameAsciiNoCase(text, named.name)) {
            bgr = named.bgr;
            return true;
        }
    }
    if (!text.empty() && text.front() == '$') return HexToColor(text.substr(1), bgr);
    int32_t number = 0;
    if (!StrToInt32(text, number) || number < 0 || static_cast<uint32_t>(number) > kMaxColor) return false;
    bgr = static_cast<uint32_t>(number);
    return true;
}

std::string ColorToText(uint32_t bgr) {
    for (const auto& named : kNamed)
        if (named.bgr == bgr) return std::string(named.name);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "$";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(bgr >> shift) & 0xF];
    return out;
}

} // namespace lmx

#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lmx {

// Replaces each "%s" from left to right by the next argument, as plain text: an argument holding "%s"
// or "%d" is never interpreted. Placeholders beyond the arguments stay as they are.
std::string FillPlaceholders(std::string_view tmpl, std::initializer_list<std::string_view> args);

// A whole decimal number with an optional sign that fits in 32 bits; nothing else (no blanks).
bool StrToInt32(std::string_view text, int32_t& value);

std::string IntToStr(int64_t value);

// Blanks (space and control characters up to 32) removed at both ends.
std::string_view Trim(std::string_view s);

// A path made safe for a line of a tab-separated or line-based file: backslash, TAB, CR and LF
// become "\\", "\t", "\r" and "\n"; every other byte stays.
std::string EscapePath(std::string_view path);

} // namespace lmx

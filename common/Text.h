#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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

// Where a path's own bytes stand in a text.
struct PathSpan {
    std::size_t pos = 0;
    std::size_t len = 0;
    bool operator==(const PathSpan&) const = default;
};

// A text for the user that holds paths: the program's words are Windows-1252, a path is the file
// system's bytes. The bytes are the plain text (what a file or a terminal gets); the spans tell the
// window which of them to show as a path.
class TextWithPaths {
public:
    TextWithPaths() = default;
    explicit TextWithPaths(std::string words) : text_(std::move(words)) {}

    TextWithPaths& Words(std::string_view words);
    TextWithPaths& Path(std::string_view path);

    const std::string& Text() const { return text_; }
    const std::vector<PathSpan>& Paths() const { return paths_; }

private:
    std::string text_;
    std::vector<PathSpan> paths_; // in order, never overlapping
};

// FillPlaceholders whose arguments are paths: the same bytes, with their places.
TextWithPaths FillPathPlaceholders(std::string_view tmpl, std::initializer_list<std::string_view> paths);

} // namespace lmx

#include "common/Text.h"

#include <charconv>

namespace lmx {

namespace {

// The one placeholder walk: words go to words, each argument to arg.
template <class Words, class Arg>
void WalkPlaceholders(std::string_view tmpl, std::initializer_list<std::string_view> args, Words words, Arg arg) {
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < tmpl.size()) {
        const std::size_t hit = tmpl.find("%s", pos);
        if (hit == std::string_view::npos || next == args.end()) break;
        words(tmpl.substr(pos, hit - pos));
        arg(*next++);
        pos = hit + 2;
    }
    words(tmpl.substr(pos));
}

} // namespace

std::string FillPlaceholders(std::string_view tmpl, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(tmpl.size() + 32);
    auto add = [&](std::string_view s) { out.append(s); };
    WalkPlaceholders(tmpl, args, add, add);
    return out;
}

TextWithPaths& TextWithPaths::Words(std::string_view words) {
    text_.append(words);
    return *this;
}

TextWithPaths& TextWithPaths::Path(std::string_view path) {
    if (!path.empty()) paths_.push_back(PathSpan{text_.size(), path.size()});
    text_.append(path);
    return *this;
}

TextWithPaths FillPathPlaceholders(std::string_view tmpl, std::initializer_list<std::string_view> paths) {
    TextWithPaths out;
    WalkPlaceholders(
        tmpl, paths, [&](std::string_view s) { out.Words(s); }, [&](std::string_view p) { out.Path(p); });
    return out;
}

bool StrToInt32(std::string_view text, int32_t& value) {
    if (text.empty()) return false;
    std::size_t start = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        start = 1;
    }
    if (start == text.size()) return false;
    int64_t acc = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        acc = acc * 10 + (c - '0');
        if (acc > 2147483648LL) return false;
    }
    if (negative) acc = -acc;
    if (acc > 2147483647LL || acc < -2147483648LL) return false;
    value = static_cast<int32_t>(acc);
    return true;
}

std::string IntToStr(int64_t value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

std::string EscapePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c; break;
        }
    }
    return out;
}

} // namespace lmx

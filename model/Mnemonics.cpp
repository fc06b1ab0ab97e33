#include "model/Mnemonics.h"

namespace lmx {

namespace {

bool KeyChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Accented letters are no keys, but they are letters: a key after one is inside a word.
bool WordChar(char c) { return KeyChar(c) || static_cast<unsigned char>(c) >= 0xC0; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The position of the letter chosen in text, or npos.
std::size_t Choose(std::string_view text, const std::string& taken) {
    const auto free = [&](std::size_t i) { return KeyChar(text[i]) && taken.find(Lower(text[i])) == std::string::npos; };
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((i == 0 || !WordChar(text[i - 1])) && free(i)) return i;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (free(i)) return i;
    return std::string::npos;
}

} // namespace

std::vector<std::string> WithMnemonics(const std::vector<std::string>& captions, std::string& taken) {
    std::vector<std::string> out;
    out.reserve(captions.size());
    for (const std::string& text : captions) {
        const std::size_t key = Choose(text, taken);
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (i == key) shown += '&';
            if (text[i] == '&') shown += '&';
            shown += text[i];
        }
        if (key != std::string::npos) taken += Lower(text[key]);
        out.push_back(std::move(shown));
    }
    return out;
}

std::string WithoutMnemonic(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

} // namespace lmx

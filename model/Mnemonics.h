#pragma once
// Alt+letter keys for the captions of one page, added when the captions are shown: the language
// texts stay as they are, a "&" goes before the letter chosen.
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// Each caption, in order, gets the first letter (a to z, or a digit, of either case) that no caption
// before it took and that taken does not hold: a word's first letter before the others. A caption
// without a free letter gets no key. A "&" of the text is doubled, so that it shows as itself.
// taken holds lower-case letters already used (the window's own buttons and pages); the letters
// chosen are added to it. Texts are Windows-1252 bytes.
std::vector<std::string> WithMnemonics(const std::vector<std::string>& captions, std::string& taken);

// The text as shown: the "&" of a key dropped, a doubled one made single.
std::string WithoutMnemonic(std::string_view caption);

} // namespace lmx

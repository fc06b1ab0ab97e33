#include "model/Mnemonics.h"

#include <gtest/gtest.h>

namespace lmx {
namespace {

// A word's first free letter, else any free one, else none; the window's own keys are never taken
// again; "&" of a text shows as itself; accented letters are no keys but still letters of a word.
TEST(Mnemonics, EachCaptionItsOwnLetterWithTheTextUnchanged) {
    std::string taken = "q";
    const std::vector<std::string> captions = {"Ouvrir", "Quitter", "Convertir", "Changer", "Clear", "Save & go",
                                               "\xC9t\xE9", "CCC", "1 2", "l'\xE9t\xE9 x"};
    const std::vector<std::string> got = WithMnemonics(captions, taken);
    const std::vector<std::string> expected = {"&Ouvrir", "Q&uitter", "&Convertir", "C&hanger", "C&lear",
                                               "&Save && go", "\xC9&t\xE9", "CCC", "&1 2", "l'\xE9t\xE9 &x"};
    EXPECT_EQ(expected, got);
    EXPECT_EQ("qouchlst1x", taken);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(captions[i], WithoutMnemonic(got[i]));
}

} // namespace
} // namespace lmx

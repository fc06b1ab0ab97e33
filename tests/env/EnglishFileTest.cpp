#include "common/Text.h"
#include "env/LangTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

const std::string kLng = std::string(LUMIVEX_SOURCE_DIR) + "/examples/Lumivex.lng";

std::size_t Placeholders(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t at = text.find("%s"); at != std::string_view::npos; at = text.find("%s", at + 2)) ++n;
    return n;
}

// The shipped English file gives every key once, in table order, with the French text's "%s".
TEST(EnglishFile, EveryKeyWithTheFrenchPlaceholders) {
    const std::string bytes = ReadFile(kLng);
    ASSERT_FALSE(bytes.empty());
    std::vector<std::pair<std::string, std::string>> entries;
    bool inSection = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "the last line ends with CR LF";
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << "CR LF line ends only: " << line;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inSection = line == "[English]";
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inSection && eq != std::string::npos) entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }

    const LangTexts french;
    ASSERT_EQ(entries.size(), LangTexts::Count());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].first, LangTexts::KeyAt(i));
        EXPECT_EQ(Placeholders(entries[i].second), Placeholders(french.TextAt(i))) << entries[i].first;
    }

    LangTexts english;
    ASSERT_TRUE(english.LangLoad("English", kLng).Ok());
    EXPECT_EQ(english.Text(LK::btn_exit), "Quit");
    // A text that is appended to another keeps its separation through a no-break space.
    EXPECT_EQ(english.Text(LK::err_fmtFileUpdt) + english.Text(LK::err_fmtFilePres),
              "An error occurred while updating the format file.\xA0The previous version of the file has been kept.");
    std::vector<std::string> names;
    EXPECT_TRUE(english.LangList(kLng, names).Ok());
    EXPECT_EQ(names.size(), 1u);
}

} // namespace

// The language and parameters files holding what no one would write by hand: lines of tens of
// megabytes, a hundred thousand sections, every key ten thousand times, NUL and high bytes.
#include "HostileSupport.h"

#include "env/LangTexts.h"
#include "env/Params.h"

#include <algorithm>
#include <chrono>

namespace lmx::test {
namespace {

using Clock = std::chrono::steady_clock;

const std::string kNul(1, '\0');

TEST(HostileLanguageFile, OneLineOfFiftyMegabytes) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> sections;
        StatusCode loadEnglish;
        std::size_t exitTextSize;
    };
    const std::string big(50u << 20, 'x');
    LangTexts defaults;
    const Case cases[] = {
        {"the whole file one line, no section", big, {}, StatusCode::LangNoSection, defaults.Text(LK::btn_exit).size()},
        {"one text of 50 MB", "[English]\r\nbtn_exit=" + big, {"English"}, StatusCode::Ok, big.size()},
        {"a section name of 50 MB", "[" + big + "]\r\nbtn_exit=q\r\n", {big}, StatusCode::LangNoSection, defaults.Text(LK::btn_exit).size()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteFile(dir.file("Lumivex.lng"), c.bytes);
        const auto before = Snapshot(dir.path());
        LangTexts lang;
        std::vector<std::string> names;
        EXPECT_TRUE(lang.LangList(dir.file("Lumivex.lng"), names).Ok());
        EXPECT_TRUE(names == c.sections);
        EXPECT_EQ(lang.LangLoad("English", dir.file("Lumivex.lng")), c.loadEnglish);
        EXPECT_EQ(lang.Text(LK::btn_exit).size(), c.exitTextSize);
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

TEST(HostileLanguageFile, HundredThousandSections) {
    constexpr int kCount = 100000;
    std::string text;
    text.reserve(kCount * 32);
    for (int i = kCount - 1; i >= 0; --i)
        text += "[L" + std::to_string(i) + "]\r\nbtn_exit=v" + std::to_string(i) + "\r\n";
    TempDir dir;
    WriteFile(dir.file("Lumivex.lng"), text);
    const auto before = Snapshot(dir.path());
    LangTexts lang;
    std::vector<std::string> names;
    const auto start = Clock::now();
    EXPECT_TRUE(lang.LangList(dir.file("Lumivex.lng"), names).Ok());
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(lang.LangLoad("L0", dir.file("Lumivex.lng")), StatusCode::Ok); // the last section of the file
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 2.0);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(names.front(), "L0");
    EXPECT_EQ(names.back(), "L99999");
    EXPECT_EQ(lang.Text(LK::btn_exit), "v0");
    EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST(HostileLanguageFile, NulAndHighBytesInSectionKeyAndText) {
    const std::string section = "S" + kNul + "\x80\xFF";
    // Inside the text: a NUL at either end would go with the blanks that are trimmed.
    const std::string text = "\x81" + kNul + "\xFE";
    TempDir dir;
    WriteFile(dir.file("Lumivex.lng"), CrLf({"[" + section + "]", "btn_exit=" + text, "btn_" + kNul + "about=z",
                                             "msg_" + kNul + "yes=n", "\xFF\xFE=\x80"}));
    const auto before = Snapshot(dir.path());
    LangTexts lang;
    const LangTexts defaults;
    std::vector<std::string> names;
    EXPECT_TRUE(lang.LangList(dir.file("Lumivex.lng"), names).Ok());
    EXPECT_EQ(names.size(), 1u);
    EXPECT_TRUE(names == std::vector<std::string>{section});
    // The name is compared to its last byte: one that stops at the NUL is another language.
    EXPECT_EQ(lang.LangLoad("S", dir.file("Lumivex.lng")), StatusCode::LangNoSection);
    EXPECT_EQ(lang.LangLoad(section, dir.file("Lumivex.lng")), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), text);
    EXPECT_EQ(lang.Text(LK::btn_about), defaults.Text(LK::btn_about));
    EXPECT_EQ(lang.Text(LK::msg_yes), defaults.Text(LK::msg_yes));
    EXPECT_EQ(Snapshot(dir.path()), before);
}

constexpr const char* kPrmKeys[] = {"CTB", "LNG", "MRS", "F_S", "MRD", "DDO", "EXT", "BIS", "SCM", "SDL",
                                    "SRN", "ERL", "MRI", "MRO", "CPD", "CPE", "DTY", "LGT", "LGF", "LOG"};

TEST(HostileParametersFile, EveryKeyTenThousandTimesLastOneWins) {
    TempDir dir;
    const std::string folder = dir.file("sub/");
    WriteFile(folder + "keep", "k");
    std::string text = FileBanner(bkParameters) + "\r\n";
    for (int r = 0; r < 10000; ++r) {
        for (const char* key : kPrmKeys) {
            const std::string k = key;
            const bool isDir = k == "MRS" || k == "MRD" || k == "BIS";
            text += k + "=" + (isDir ? (r % 2 ? folder : "/no/such/folder/") : "v" + std::to_string(r)) + "\r\n";
        }
    }
    WriteFile(dir.file("Lumivex.prm"), text);
    const auto before = Snapshot(dir.path());
    Params prm;
    prm.ProgramDir = dir.path();
    prm.PrmFileName = dir.file("Lumivex.prm");
    const auto start = Clock::now();
    EXPECT_TRUE(prm.Load().Ok());
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 5.0);
    EXPECT_EQ(prm.settings.language, "v9999");
    EXPECT_EQ(prm.settings.sourceFolder, folder);
    EXPECT_EQ(prm.settings.resultFolder, folder);
    EXPECT_EQ(prm.settings.addedText, "v9999");
    EXPECT_EQ(prm.settings.badLine, BadLineRule::Unset);
    EXPECT_EQ(prm.settings.log, LogDetail::Unreadable);
    EXPECT_EQ(prm.ChangesSinceSave(), 0);
    EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST(HostileParametersFile, NulAndHighBytesInEveryValue) {
    const std::string value = "\x80" + kNul + "\xFF";
    TempDir dir;
    std::vector<std::string> lines;
    for (const char* key : kPrmKeys) lines.push_back(std::string(key) + "=" + value);
    lines.push_back(kNul + "DD=x");
    lines.push_back("\xFF\xFF\xFF=y");
    WriteFile(dir.file("Lumivex.prm"), CrLf(lines));
    const auto before = Snapshot(dir.path());
    Params prm;
    prm.ProgramDir = dir.path();
    prm.PrmFileName = dir.file("Lumivex.prm");
    EXPECT_TRUE(prm.Load().Ok());
    const Settings& s = prm.settings;
    for (const std::string& text : {s.language, s.addedText, *s.resultExtension, *s.renameText, s.inputFormat, s.outputFormat})
        EXPECT_EQ(text, value);
    EXPECT_EQ(s.logTextColor, std::nullopt);
    // Not folders: the program's folder instead.
    EXPECT_EQ(prm.settings.sourceFolder, dir.path());
    EXPECT_EQ(prm.settings.resultFolder, dir.path());
    EXPECT_EQ(Snapshot(dir.path()), before);
}

} // namespace
} // namespace lmx::test

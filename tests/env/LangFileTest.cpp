#include "env/LangTexts.h"

#include "common/Cp1252.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace lmx {
namespace {

using test::CrLf;
using test::TempDir;
using test::WriteFile;

class LangFile : public ::testing::Test {
protected:
    StatusCode Load(std::string_view name, std::string_view bytes) {
        WriteFile(path, bytes);
        return lang.LangLoad(name, path).code;
    }
    // The count of sections, or -1 when the file cannot be read.
    int List(std::string_view bytes) {
        WriteFile(path, bytes);
        return lang.LangList(path, names).Ok() ? static_cast<int>(names.size()) : -1;
    }
    std::string French(LK key) const { return LangTexts().Text(key); }

    TempDir dir;
    std::string path = dir.file("Lumivex.lng");
    LangTexts lang;
    std::vector<std::string> names;
};

TEST_F(LangFile, FrenchDefaultsAreWindows1252) {
    EXPECT_EQ(BuiltInLanguage(), "Fran\xE7" "ais");
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
    EXPECT_EQ(lang.Text(LK::btn_model), "Mod\xE8le");
    EXPECT_EQ(lang.Text(LK::cpn_infile), " Entr\xE9" "e : ");
    EXPECT_EQ(lang.Text("msg_yes"), "Oui");
    EXPECT_EQ(lang.Text("no_such_key"), "");
}

TEST_F(LangFile, BuiltInLanguageLoadsNothingEvenWithoutAFile) {
    EXPECT_EQ(lang.LangLoad(BuiltInLanguage(), dir.file("none.lng")), StatusCode::Ok);
    EXPECT_EQ(Load(BuiltInLanguage(), CrLf({"[Fran\xE7" "ais]", "btn_exit=Sortir"})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
}

TEST_F(LangFile, UpperCaseFrancaisIsAnotherLanguage) {
    const std::string upper = "FRAN\xC7" "AIS";
    EXPECT_EQ(Load(upper, CrLf({"[English]", "btn_exit=Quit"})), StatusCode::LangNoSection);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
    // With a section of that name, it is loaded like any other language; the section header's
    // "ç" matches "Ç" once both are upper-cased.
    EXPECT_EQ(Load(upper, CrLf({"[fran\xE7" "ais]", "btn_exit=Sortir"})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Sortir");
}

TEST_F(LangFile, SectionsAndKeysIgnoreCase) {
    ASSERT_EQ(Load("English", CrLf({"[english]", "BTN_EXIT = Quit", "Msg_Yes=Yes"})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quit");
    EXPECT_EQ(lang.Text(LK::msg_yes), "Yes");
}

TEST_F(LangFile, AccentedSectionNameInTheOtherCase) {
    ASSERT_EQ(Load("\xE9t\xE9", CrLf({"[\xC9T\xC9]", "btn_exit=Sortie d'\xE9t\xE9"})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Sortie d'\xE9t\xE9");
    EXPECT_EQ(Load("\xFF", CrLf({"[\x9F]", "btn_exit=y"})), StatusCode::Ok); // ÿ / Ÿ
    EXPECT_EQ(Load("\xDF", CrLf({"[SS]", "btn_exit=z"})), StatusCode::LangNoSection);  // ß has no one-letter upper case
}

TEST_F(LangFile, PartialSectionKeepsTheOtherTexts) {
    ASSERT_EQ(Load("English", CrLf({"[English]", "btn_about=About..."})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_about), "About...");
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
    EXPECT_EQ(lang.Text(LK::msg_fileExists), French(LK::msg_fileExists));
}

TEST_F(LangFile, LineRulesTable) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::string exit; // expected btn_exit
    };
    const Case cases[] = {
        {"blanks around key and text", {"[English]", "  btn_exit   =   Quit now  "}, "Quit now"},
        {"tabs trimmed", {"[English]", "\tbtn_exit\t=\tQuit\t"}, "Quit"},
        {"empty text", {"[English]", "btn_exit="}, ""},
        {"only blanks after =", {"[English]", "btn_exit=   "}, ""},
        {"text holding =", {"[English]", "btn_exit=a=b"}, "a=b"},
        {"last key line wins", {"[English]", "btn_exit=One", "BTN_EXIT=Two"}, "Two"},
        {"comment ignored", {"[English]", ";btn_exit=No", "  ; btn_exit=No", "btn_about=x"}, "Quitter"},
        {"line without =", {"[English]", "btn_exit Quit", "btn_about=x"}, "Quitter"},
        {"blank lines", {"", "[English]", "", "   ", "btn_exit=Quit", ""}, "Quit"},
        {"lines before any section", {"btn_exit=Early", "[English]", "btn_about=x"}, "Quitter"},
        {"header with blanks inside", {"[  English  ]", "btn_exit=Quit"}, "Quit"},
        {"indented header", {"   [English]   ", "btn_exit=Quit"}, "Quit"},
        {"other section's keys", {"[German]", "btn_exit=Beenden", "[English]", "btn_about=x"}, "Quitter"},
        {"unknown key", {"[English]", "btn_exitt=Nope", "btn_about=x"}, "Quitter"},
        {"key with inner blank", {"[English]", "btn _exit=Nope", "btn_about=x"}, "Quitter"},
        {"placeholders kept", {"[English]", "btn_exit=%s and %s"}, "%s and %s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LangTexts fresh;
        WriteFile(path, CrLf(c.lines));
        EXPECT_EQ(fresh.LangLoad("English", path), StatusCode::Ok);
        EXPECT_EQ(fresh.Text(LK::btn_exit), c.exit);
    }
}

TEST_F(LangFile, SecondSectionOfTheSameNameWins) {
    ASSERT_EQ(Load("English", CrLf({"[English]", "btn_exit=First", "btn_about=Only first", "[German]",
                                    "btn_exit=Beenden", "[ENGLISH]", "btn_exit=Second"})),
              StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Second");
    EXPECT_EQ(lang.Text(LK::btn_about), "A propos..."); // the first section is not used at all
}

TEST_F(LangFile, EmptySectionCountsAsMissing) {
    const std::vector<std::vector<std::string>> files = {
        {"[English]", "[German]", "btn_exit=Beenden"},
        {"[English]"},
        {"[English]", "; only a comment", "", "[German]"},
        {"[English]", "btn_exit=First", "[English]"}, // the last section of the name decides
        {"[German]", "btn_exit=Beenden"},
        {},
    };
    for (const auto& lines : files) {
        LangTexts fresh;
        WriteFile(path, CrLf(lines));
        EXPECT_EQ(fresh.LangLoad("English", path), StatusCode::LangNoSection) << CrLf(lines);
        EXPECT_EQ(fresh.Text(LK::btn_exit), "Quitter");
    }
}

TEST_F(LangFile, MissingOrUnreadableFileFailsTheLoad) {
    EXPECT_EQ(lang.LangLoad("English", dir.file("none.lng")), StatusCode::LangFileUnreadable);
    std::filesystem::create_directory(dir.file("folder.lng"));
    EXPECT_EQ(lang.LangLoad("English", dir.file("folder.lng")), StatusCode::LangFileUnreadable);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
}

TEST_F(LangFile, HeaderWithATrailingCommentIsListedButNotLoadable) {
    const std::string bytes = CrLf({"[English]   ;comment", "btn_exit=Quit"});
    ASSERT_EQ(List(bytes), 1);
    EXPECT_EQ(names[0], "English]   ;commen");
    EXPECT_EQ(Load(names[0], bytes), StatusCode::LangNoSection);
    EXPECT_EQ(Load("English", bytes), StatusCode::LangNoSection);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
}

TEST_F(LangFile, BrokenHeaderEndsThePreviousSection) {
    // Lines under an unclosed header belong to no language, not to the one above it.
    ASSERT_EQ(Load("English", CrLf({"[English]", "btn_about=About", "[German", "btn_exit=Beenden"})), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_about), "About");
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quitter");
}

TEST_F(LangFile, LineEndsOfEveryKind) {
    const std::pair<const char*, std::string> cases[] = {
        {"CRLF", "[English]\r\nbtn_exit=Quit\r\nbtn_about=About\r\n"},
        {"LF", "[English]\nbtn_exit=Quit\nbtn_about=About"},
        {"CR", "[English]\rbtn_exit=Quit\rbtn_about=About\r"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        LangTexts fresh;
        WriteFile(path, bytes);
        ASSERT_EQ(fresh.LangLoad("English", path), StatusCode::Ok);
        EXPECT_EQ(fresh.Text(LK::btn_exit), "Quit");
        EXPECT_EQ(fresh.Text(LK::btn_about), "About");
        std::vector<std::string> listed;
        ASSERT_TRUE(fresh.LangList(path, listed).Ok());
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0], "English");
    }
}

TEST_F(LangFile, EveryKeyCanBeGivenAndIsLoadedInPlace) {
    std::vector<std::string> lines = {"[English]"};
    for (std::size_t i = 0; i < LangTexts::Count(); ++i)
        lines.push_back(std::string(LangTexts::KeyAt(i)) + "=T" + std::to_string(i));
    ASSERT_EQ(LangTexts::Count(), 327u);
    ASSERT_EQ(Load("English", CrLf(lines)), StatusCode::Ok);
    for (std::size_t i = 0; i < LangTexts::Count(); ++i) EXPECT_EQ(lang.TextAt(i), "T" + std::to_string(i));
}

TEST_F(LangFile, ListTable) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"sorted without regard to case", {"[english]", "[Deutsch]", "[Breton]", "[czech]"},
         {"Breton", "czech", "Deutsch", "english"}},
        {"twice listed twice", {"[English]", "a=1", "[English]"}, {"English", "English"}},
        {"raw lines only", {" [Indented]", "[Kept]", "x=[no]"}, {"Kept"}},
        {"last char dropped whatever it is", {"[Abc] ", "[Def"}, {"Abc]", "De"}},
        {"empty section shown", {"[English]", "[]"}, {"", "English"}},
        {"lone bracket", {"["}, {""}},
        {"no sections", {"a=b", "; [x]"}, {}},
        {"accents by upper case", {"[\xE9t\xE9]", "[\xC9tang]", "[Ete]"}, {"Ete", "\xC9tang", "\xE9t\xE9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(List(CrLf(c.lines)), static_cast<int>(c.expected.size()));
        EXPECT_EQ(names, c.expected);
    }
}

TEST_F(LangFile, ListOfAMissingOrUnreadableFile) {
    names = {"stale"};
    EXPECT_EQ(lang.LangList(dir.file("none.lng"), names), StatusCode::LangFileUnreadable);
    EXPECT_TRUE(names.empty());
    std::filesystem::create_directory(dir.file("folder.lng"));
    names = {"stale"};
    EXPECT_EQ(lang.LangList(dir.file("folder.lng"), names), StatusCode::LangFileUnreadable);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(List(""), 0);
}

TEST_F(LangFile, HostileFilesStayFast) {
    std::string many;
    many.reserve(3'000'000);
    for (int i = 0; i < 100000; ++i) many += "[English]\r\nbtn_exit=E" + std::to_string(i) + "\r\n";
    std::string longLine = "[English]\r\nbtn_about=";
    longLine.append(50'000'000, '\xE9');
    longLine += "\r\n[";
    longLine.append(1'000'000, 'x');

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Load("english", many), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_exit), "E99999");
    EXPECT_EQ(List(many), 100000);
    ASSERT_EQ(Load("English", longLine), StatusCode::Ok);
    EXPECT_EQ(lang.Text(LK::btn_about).size(), 50'000'000u);
    EXPECT_EQ(List(longLine), 2);
    EXPECT_EQ(Load("English", std::string(2'000'000, '\0')), StatusCode::LangNoSection);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(LanguageLocale, NamesInThemselvesInEnglishOrFrenchAnyAsciiCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"Fran\xE7" "ais", "fr"}, {"English", "en"},     {"ENGLISH", "en"},      {"anglais", "en"},
        {"german", "de"},         {"Espa\xF1ol", "es"}, {"Portugu\xEAs", "pt"}, {"Klingon", "fr"}, {"", "fr"},
    };
    for (const auto& [name, locale] : cases) EXPECT_EQ(LanguageLocale(name), locale) << name;
}

// The variables in the C library's order: LANGUAGE, then LC_ALL, LC_MESSAGES, LANG.
TEST(LocaleLanguage, FirstSetVariableCutToItsLanguage) {
    struct Case {
        const char *language, *lcAll, *lcMessages, *lang, *code;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", "en"},  {nullptr, "", "de_DE@euro", "fr_FR", "de"},
        {nullptr, "C.UTF-8", nullptr, "en_GB.UTF-8", ""},  {"es:en", nullptr, nullptr, "en_US.UTF-8", "es"},
        {"es", nullptr, nullptr, "POSIX", ""},             {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(LocaleLanguage(c.language, c.lcAll, c.lcMessages, c.lang), c.code) << c.code;
}

TEST(LanguageFor, TheSectionThatSpeaksTheCode) {
    const std::vector<std::string> sections = {"Deutsch", "English", "Klingon"};
    EXPECT_EQ(LanguageFor("en", sections), "English");
    EXPECT_EQ(LanguageFor("de", sections), "Deutsch");
    EXPECT_EQ(LanguageFor("it", sections), ""); // not in the file: the built-in language
    EXPECT_EQ(LanguageFor("fr", {"French"}), ""); // built in: nothing to load
    EXPECT_EQ(LanguageFor("", sections), "");
}

} // namespace
} // namespace lmx

#pragma once
// The user-interface texts: French built in, other languages from the language file.
#include "env/LangKeys.h"
#include "env/LangTable.h"
#include "common/Status.h"
#include "common/Text.h"
#include "common/SystemPort.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// The built-in language, in Windows-1252 bytes ("Fran\xE7" "ais").
std::string_view BuiltInLanguage();

// The locale ("fr", "en", "de"...) of a language name as LNG holds it: the name of the language in
// itself, in English or in French, whatever the case of its letters a to z. French for a name it
// does not know, as the built-in texts are.
std::string_view LanguageLocale(std::string_view lng);

// The language of a locale as the C library finds it for messages: the first of LANGUAGE (a
// list, its first entry; only beside a locale other than C), LC_ALL, LC_MESSAGES and LANG that is
// set, cut to its language ("en_GB.UTF-8" gives "en"). Empty for none, "C" or "POSIX".
std::string LocaleLanguage(const char* language, const char* lcAll, const char* lcMessages, const char* lang);
// The same from the process's environment.
std::string DesktopLanguage();

// The section of the language file that speaks the language code ("en"), the first in the list's
// order; empty for French (the built-in texts) or when no section speaks it.
std::string LanguageFor(std::string_view code, const std::vector<std::string>& sections);

class LangTexts {
public:
    LangTexts(); // every text holds its French default

    // Current text of a key, Windows-1252 bytes. Read at the moment a text is shown, so a later
    // load changes every message.
    const std::string& Text(LK key) const { return texts_[static_cast<std::size_t>(key)]; }
    // By key name; an unknown name gives an empty text.
    const std::string& Text(std::string_view keyName) const;
    // The text of the key with each "%s" replaced, from left to right, by the next argument.
    std::string Format(LK key, std::initializer_list<std::string_view> args) const;
    // The same with paths for arguments: the window shows them as the file system's bytes.
    TextWithPaths FormatPaths(LK key, std::initializer_list<std::string_view> paths) const;

    // Iteration over the table, in loading order.
    static constexpr std::size_t Count() { return kLangTextCount; }
    static std::string_view KeyAt(std::size_t i) { return LangTable()[i].key; }
    const std::string& TextAt(std::size_t i) const { return texts_[i]; }
    static int IndexOf(std::string_view keyName); // -1 when unknown

    // Language file (the program's path with ".lng"): the names of its sections, sorted without
    // regard to case; LangFileUnreadable when the file is missing or unreadable (names then empty).
    Status LangList(const std::string& lngPath, std::vector<std::string>& names, SystemPort& port = RealPort()) const;
    // Ok when the texts of the language are in place ("Français" loads nothing); otherwise
    // LangFileUnreadable or LangNoSection, and the texts are unchanged.
    Status LangLoad(std::string_view name, const std::string& lngPath, SystemPort& port = RealPort());

private:
    std::array<std::string, kLangTextCount> texts_;
};

} // namespace lmx

#include "env/LangTexts.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "common/Basics.h"
#include "common/BlockLineReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace lmx {

std::string_view BuiltInLanguage() {
    static const std::string kName = Utf8ToCp1252("Français");
    return kName;
}

namespace {

// Calls onLine for every line of the file, read in blocks; CR LF, LF and a lone CR all end a line.
// False when the file is missing, cannot be opened or a read fails.
template <typename F>
bool ForEachLine(SystemPort& port, const std::string& path, F&& onLine) {
    std::FILE* f = port.OpenStream(path);
    if (f == nullptr) return false;
    BlockLineReader reader(f);
    std::string line;
    while (reader.Next(line)) onLine(std::string_view(line));
    std::fclose(f);
    return !reader.Failed();
}

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Cp1252Upper(a[i]) != Cp1252Upper(b[i])) return false;
    return true;
}

bool LessNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(Cp1252Upper(a[i]));
        const auto cb = static_cast<unsigned char>(Cp1252Upper(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

// Upper-cased key -> position in the table, built once per load.
std::unordered_map<std::string, std::size_t> KeyIndex() {
    std::unordered_map<std::string, std::size_t> index;
    index.reserve(kLangTextCount * 2);
    for (std::size_t i = 0; i < kLangTextCount; ++i) index.emplace(Cp1252Upper(LangTable()[i].key), i);
    return index;
}

// The texts of the last section of the wanted name, gathered in one pass over the file.
struct SectionScan {
    bool found = false;      // a section of that name holding at least one line
    std::array<std::string, kLangTextCount> texts;
    std::array<uint32_t, kLangTextCount> stamp{}; // texts[i] belongs to the current section when equal
    uint32_t section = 0;                         // numbers the sections of the wanted name, from 1
};

// False when the file cannot be read to its end.
bool ScanSection(SystemPort& port, const std::string& path, std::string_view wanted, SectionScan& scan) {
    const auto keys = KeyIndex();
    bool inWanted = false;
    bool wantedHasLine = false;
    std::string upperKey;
    return ForEachLine(port, path, [&](std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[') {
            // A header that does not close with "]" names no section that can be asked for, but
            // still ends the previous one, so its lines are not taken for another language's.
            inWanted = line.size() >= 2 && line.back() == ']' &&
                       SameNoCase(Trim(line.substr(1, line.size() - 2)), wanted);
            if (inWanted) {
                ++scan.section; // a later section of the same name replaces the earlier one
                wantedHasLine = false;
            }
            scan.found = scan.found && !inWanted;
            return;
        }
        if (!inWanted) return;
        if (!wantedHasLine) {
            wantedHasLine = true;
            scan.found = true;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        upperKey = Cp1252Upper(Trim(line.substr(0, eq)));
        const auto it = keys.find(upperKey);
        if (it == keys.end()) return;
        scan.texts[it->second] = std::string(Trim(line.substr(eq + 1)));
        scan.stamp[it->second] = scan.section;
    });
}

} // namespace

LangTexts::LangTexts() {
    const auto& table = LangTable();
    for (std::size_t i = 0; i < table.size(); ++i) texts_[i] = Utf8ToCp1252(table[i].frenchUtf8);
}

int LangTexts::IndexOf(std::string_view keyName) {
    const auto& table = LangTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].key == keyName) return static_cast<int>(i);
    return -1;
}

const std::string& LangTexts::Text(std::string_view keyName) const {
    static const std::string kEmpty;
    const int i = IndexOf(keyName);
    return i < 0 ? kEmpty : texts_[static_cast<std::size_t>(i)];
}

std::string LangTexts::Format(LK key, std::initializer_list<std::string_view> args) const {
    return FillPlaceholders(Text(key), args);
}

std::string_view LanguageLocale(std::string_view lng) {
    struct Entry {
        std::string_view locale;
        std::initializer_list<std::string_view> names;
    };
    static const Entry kLocales[] = {
        {"fr", {"Fran\xE7" "ais", "French"}},
        {"en", {"English", "Anglais"}},
        {"de", {"Deutsch", "German", "Allemand"}},
        {"es", {"Espa\xF1ol", "Spanish", "Espagnol"}},
        {"it", {"Italiano", "Italian", "Italien"}},
        {"pt", {"Portugu\xEAs", "Portuguese", "Portugais"}},
        {"nl", {"Nederlands", "Dutch", "N\xE9" "erlandais"}},
    };
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        return true;
    };
    for (const Entry& e : kLocales)
        for (std::string_view name : e.names)
            if (same(name, lng)) return e.locale;
    return "fr";
}

std::string LocaleLanguage(const char* language, const char* lcAll, const char* lcMessages, const char* lang) {
    auto code = [](std::string_view v) {
        const std::size_t end = v.find_first_of("_.@:");
        v = v.substr(0, end);
        return v == "C" || v == "POSIX" ? std::string() : std::string(v);
    };
    std::string locale;
    for (const char* v : {lcAll, lcMessages, lang})
        if (v != nullptr && *v != '\0') {
            locale = code(v);
            break;
        }
    // LANGUAGE is a preference list that the C library heeds only beside a real locale.
    if (!locale.empty() && language != nullptr && *language != '\0') {
        const std::string first = code(language);
        if (!first.empty()) return first;
    }
    return locale;
}

std::string DesktopLanguage() {
    return LocaleLanguage(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string LanguageFor(std::string_view code, const std::vector<std::string>& sections) {
    if (code.empty() || code == LanguageLocale(BuiltInLanguage())) return {};
    for (const std::string& name : sections)
        if (LanguageLocale(name) == code) return name;
    return {};
}

TextWithPaths LangTexts::FormatPaths(LK key, std::initializer_list<std::string_view> paths) const {
    return FillPathPlaceholders(Text(key), paths);
}

Status LangTexts::LangList(const std::string& lngPath, std::vector<std::string>& names, SystemPort& port) const {
    names.clear();
    // Raw lines, not the section parser: whatever stands between the first and the last
    // character of a line that starts with "[" is a name.
    const bool read = ForEachLine(port, lngPath, [&](std::string_view line) {
        if (line.empty() || line.front() != '[') return;
        names.emplace_back(line.size() < 2 ? std::string_view() : line.substr(1, line.size() - 2));
    });
    if (!read) {
        names.clear();
        return Status{StatusCode::LangFileUnreadable, {}};
    }
    std::stable_sort(names.begin(), names.end(), LessNoCase);
    return Status{};
}

Status LangTexts::LangLoad(std::string_view name, const std::string& lngPath, SystemPort& port) {
    if (name == BuiltInLanguage()) return Status{};
    auto scan = std::make_unique<SectionScan>();
    if (!ScanSection(port, lngPath, name, *scan)) return Status{StatusCode::LangFileUnreadable, {}};
    if (!scan->found) return Status{StatusCode::LangNoSection, {}};
    for (std::size_t i = 0; i < kLangTextCount; ++i)
        if (scan->stamp[i] == scan->section) texts_[i] = std::move(scan->texts[i]);
    return Status{};
}

} // namespace lmx

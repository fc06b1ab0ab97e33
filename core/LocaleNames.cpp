#include "core/LocaleNames.h"

#include "common/Cp1252.h"

#include <ctime>
#include <iterator>
#include <sstream>

namespace lmx {

namespace {

std::locale LocaleOrClassic(const std::string& name) {
    try {
        return std::locale(name.c_str());
    } catch (...) {
        return std::locale::classic();
    }
}

} // namespace

StdLocaleNames::StdLocaleNames() : locale_(LocaleOrClassic("")) {}

StdLocaleNames::StdLocaleNames(const std::string& localeName) : locale_(LocaleOrClassic(localeName)) {}

std::string StdLocaleNames::Put(int weekday, int month0, char spec) const {
    try {
        std::tm tm{};
        tm.tm_wday = weekday;
        tm.tm_mon = month0;
        tm.tm_mday = 1;
        tm.tm_year = 100;
        std::ostringstream os;
        os.imbue(locale_);
        std::use_facet<std::time_put<char>>(locale_).put(std::ostreambuf_iterator<char>(os), os, ' ', &tm, spec);
        const std::string raw = os.str();
        // Most systems name things in UTF-8; a single-byte locale gives Latin-1, which Windows-1252 extends.
        return IsUtf8(raw) ? Utf8ToCp1252(raw) : raw;
    } catch (...) {
        return std::string();
    }
}

std::string StdLocaleNames::LongDayName(int weekday0Sunday) const {
    if (weekday0Sunday < 0 || weekday0Sunday > 6) return std::string();
    return Put(weekday0Sunday, 0, 'A');
}

std::string StdLocaleNames::LongMonthName(int month1) const {
    if (month1 < 1 || month1 > 12) return std::string();
    return Put(0, month1 - 1, 'B');
}

} // namespace lmx

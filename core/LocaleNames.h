#pragma once
// Long day and month names for the log banner's date.
#include <locale>
#include <string>

namespace lmx {

// Long day and month names of the user's locale, in Windows-1252.
class ILocaleNames {
public:
    virtual ~ILocaleNames() = default;
    virtual std::string LongDayName(int weekday0Sunday) const = 0; // 0 = Sunday; empty out of range
    virtual std::string LongMonthName(int month1) const = 0;       // 1 = January; empty out of range
};

// The names the standard library knows for a locale: the user's one by default. A locale name the
// system does not have gives the classic (English) names rather than a failure.
class StdLocaleNames : public ILocaleNames {
public:
    StdLocaleNames();
    explicit StdLocaleNames(const std::string& localeName);

    std::string LongDayName(int weekday0Sunday) const override;
    std::string LongMonthName(int month1) const override;

private:
    std::string Put(int weekday, int month0, char spec) const;
    std::locale locale_;
};

} // namespace lmx

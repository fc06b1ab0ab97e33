#pragma once
// The toolkit's own texts (file, colour and folder choosers, standard buttons) in the program's
// language: Qt's translations for its locale, installed while this object lives.
#include <QString>

#include <memory>
#include <string_view>

class QTranslator;

namespace lmx {

class ToolkitTexts {
public:
    ToolkitTexts();
    ~ToolkitTexts();
    ToolkitTexts(const ToolkitTexts&) = delete;
    ToolkitTexts& operator=(const ToolkitTexts&) = delete;

    // The translations of locale ("fr", "en"...) in place of the previous ones; false when the
    // toolkit has none for it (its texts are then its own English).
    bool Apply(std::string_view locale);
    QString Locale() const { return locale_; }

private:
    void Remove();
    std::unique_ptr<QTranslator> qtbase_;
    QString locale_;
};

} // namespace lmx

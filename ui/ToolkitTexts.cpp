#include "ui/ToolkitTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lmx {

ToolkitTexts::ToolkitTexts() = default;

ToolkitTexts::~ToolkitTexts() { Remove(); }

void ToolkitTexts::Remove() {
    if (qtbase_) QCoreApplication::removeTranslator(qtbase_.get());
    qtbase_.reset();
    locale_.clear();
}

bool ToolkitTexts::Apply(std::string_view locale) {
    const QString wanted = QString::fromLatin1(locale.data(), static_cast<qsizetype>(locale.size()));
    if (wanted == locale_ && qtbase_) return true;
    Remove();
    // The widgets' texts (dialogs, standard buttons) are all in the base module's catalogue.
    auto qtbase = std::make_unique<QTranslator>();
    if (!qtbase->load(QStringLiteral("qtbase_") + wanted, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(qtbase.get());
    qtbase_ = std::move(qtbase);
    locale_ = wanted;
    return true;
}

} // namespace lmx

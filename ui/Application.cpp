#include "ui/Application.h"

#include <QCoreApplication>

namespace lmx {

void NameApplication() { QCoreApplication::setApplicationName(QStringLiteral("Quendrafil (stocks datas)")); }

} // namespace lmx

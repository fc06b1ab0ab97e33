#include "platform/UTrashQt.h"

#include <QFile>
#include <QString>

namespace lmx {

bool QtTrash::MoveToTrash(const std::string& path) {
    // Paths are kept as the file system's own bytes.
    const QString name = QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    return QFile::moveToTrash(name);
}

} // namespace lmx

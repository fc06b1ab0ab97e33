#include "ui/UQt.h"

#include <QFile>

#include "common/Cp1252.h"

namespace lmx {

QString Qs(const std::string& cp1252) { return QString::fromUtf8(Cp1252ToUtf8(cp1252)); }

std::string Cp(const QString& text) { return Utf8ToCp1252(text.toUtf8().toStdString()); }

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t BgrFromColor(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

} // namespace lmx

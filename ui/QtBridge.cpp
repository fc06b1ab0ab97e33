#include "ui/QtBridge.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <algorithm>

#include "common/Contrast.h"
#include "common/Cp1252.h"

namespace lmx {

QString Qs(const std::string& cp1252) { return QString::fromUtf8(Cp1252ToUtf8(cp1252)); }

std::string Cp(const QString& text) { return Utf8ToCp1252(text.toUtf8().toStdString()); }

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Qs(std::string_view text, const std::vector<PathSpan>& paths) {
    QString out;
    std::size_t pos = 0;
    for (const PathSpan& p : paths) {
        if (p.pos < pos || p.pos > text.size()) break; // spans come in order; a stray one is words
        const std::size_t len = std::min(p.len, text.size() - p.pos);
        out += Qs(std::string(text.substr(pos, p.pos - pos)));
        out += PathText(std::string(text.substr(p.pos, len)));
        pos = p.pos + len;
    }
    out += Qs(std::string(text.substr(pos)));
    return out;
}

QString Qs(const TextWithPaths& text) { return Qs(text.Text(), text.Paths()); }

QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

QColor ReadableOn(const QColor& wanted, const QColor& other) {
    const Rgb c = lmx::ReadableOn(Rgb{wanted.red(), wanted.green(), wanted.blue()}, Rgb{other.red(), other.green(), other.blue()});
    return QColor(c.r, c.g, c.b);
}

QColor TextOn(const QColor& text, const QColor& background) {
    const Rgb c = lmx::TextOn(Rgb{text.red(), text.green(), text.blue()},
                              Rgb{background.red(), background.green(), background.blue()});
    return QColor(c.r, c.g, c.b);
}

void SetReadableBackground(QWidget* w, QPalette::ColorRole back, const QColor& background, QPalette::ColorRole text) {
    const QPalette theme = QApplication::palette(w);
    QPalette p = w->palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, back, background);
        p.setColor(g, text, TextOn(theme.color(g, text), background));
    }
    w->setPalette(p);
}

uint32_t BgrFromColor(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

} // namespace lmx

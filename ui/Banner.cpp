#include "ui/Banner.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lmx {

namespace {

// A small price curve: the motif of every picture of the program.
void DrawCurve(QPainter& p, const QRectF& r, const QColor& color, qreal width) {
    static const qreal pts[] = {0.70, 0.62, 0.66, 0.48, 0.55, 0.40, 0.46, 0.30, 0.36, 0.22, 0.28, 0.12};
    QPainterPath path;
    const int n = static_cast<int>(sizeof(pts) / sizeof(pts[0]));
    for (int i = 0; i < n; ++i) {
        const QPointF pt(r.left() + r.width() * i / (n - 1), r.top() + r.height() * pts[i]);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

} // namespace

QPixmap BannerPixmap(QSize size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, QColor(0x12, 0x2B, 0x4A));
    g.setColorAt(1, QColor(0x3A, 0x7C, 0xB8));
    p.fillRect(pm.rect(), g);
    DrawCurve(p, QRectF(size.width() * 0.55, 4, size.width() * 0.42, size.height() - 8), QColor(0xF0, 0xC0, 0x40), 2.5);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size.height() * 5 / 10);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(12, 0, size.width() / 2, size.height()), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Lumivex"));
    return pm;
}

QPixmap AboutPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x50, 0x70), 1));
    for (int y = 10; y < size.height(); y += 20) p.drawLine(0, y, size.width(), y);
    DrawCurve(p, QRectF(10, 10, size.width() - 20, size.height() - 20), QColor(0xE0, 0xFF, 0xFF), 3);
    return pm;
}

QPixmap ProgramIconPixmap(int side) {
    QPixmap pm(side, side);
    pm.fill(QColor(0x12, 0x2B, 0x4A));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCurve(p, QRectF(3, 3, side - 6, side - 6), QColor(0xF0, 0xC0, 0x40), 2);
    return pm;
}

} // namespace lmx

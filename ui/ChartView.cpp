#include "ui/ChartView.h"
#include "ui/ObjectNames.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace lmx {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(names::kChartView);
    setMinimumHeight(80); // the window at its smallest still shows the other pages whole
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::Show(std::optional<ChartColumns> chart, std::optional<SeriesPoint> jump, const QString& first,
                     const QString& last, const QString& decimal) {
    chart_ = std::move(chart);
    drawn_.reset();
    jump_ = jump;
    mark_.reset();
    first_ = first;
    last_ = last;
    decimal_ = decimal;
    low_ = 0, high_ = 1;
    bool any = false;
    if (chart_)
        for (const ChartColumns::Column& c : chart_->Columns()) {
            if (!c.used) continue;
            low_ = any ? std::min(low_, c.low.value) : c.low.value;
            high_ = any ? std::max(high_, c.high.value) : c.high.value;
            any = true;
        }
    if (high_ <= low_) high_ = low_ + 1; // a flat series draws as a line across the middle
    update();
}

void ChartView::Mark(std::optional<SeriesPoint> p) {
    mark_ = p;
    update();
}

QRect ChartView::Plot() const {
    const int text = fontMetrics().height();
    const int left = fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 6;
    return QRect(left, text / 2 + 2, std::max(1, width() - left - 8), std::max(1, height() - 2 * text - 6));
}

double ChartView::Y(double value) const {
    const QRect p = Plot();
    return p.bottom() - (value - low_) / (high_ - low_) * (p.height() - 1);
}

const ChartColumns& ChartView::Drawn() const {
    if (!drawn_ || drawn_->Width() != Plot().width()) drawn_ = chart_->Resized(Plot().width());
    return *drawn_;
}

QPointF ChartView::PlaceOf(const SeriesPoint& p) const {
    const QRect plot = Plot();
    const int column = chart_ ? Drawn().ColumnOf(p.x) : 0;
    return QPointF(plot.left() + column + 0.5, Y(p.value));
}

void ChartView::resizeEvent(QResizeEvent*) { drawn_.reset(); }

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QRect plot = Plot();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    if (!chart_) return;
    painter.setPen(palette().color(QPalette::Text));
    const int text = fontMetrics().height();
    const auto number = [this](double v) { return QString::number(v, 'g', 6).replace(QLatin1Char('.'), decimal_); };
    painter.drawText(QRect(0, plot.top() - text / 2, plot.left() - 4, text), Qt::AlignRight | Qt::AlignVCenter, number(high_));
    painter.drawText(QRect(0, plot.bottom() - text / 2, plot.left() - 4, text), Qt::AlignRight | Qt::AlignVCenter, number(low_));
    painter.drawText(QRect(plot.left(), plot.bottom() + 3, plot.width(), text), Qt::AlignLeft, first_);
    painter.drawText(QRect(plot.left(), plot.bottom() + 3, plot.width(), text), Qt::AlignRight, last_);

    // Each pixel column from its lowest to its highest point: a single value out of line stays a spike.
    QPainterPath path;
    bool started = false;
    const ChartColumns& drawn = Drawn();
    for (int c = 0; c < drawn.Width(); ++c) {
        const ChartColumns::Column& col = drawn.Columns()[static_cast<std::size_t>(c)];
        if (!col.used) continue;
        const double x = plot.left() + c + 0.5;
        // In the column, the point met first in date order first.
        const bool lowFirst = col.low.x <= col.high.x;
        const double a = Y(lowFirst ? col.low.value : col.high.value), b = Y(lowFirst ? col.high.value : col.low.value);
        if (started) path.lineTo(x, a);
        else path.moveTo(x, a), started = true;
        path.lineTo(x, b);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 1));
    painter.drawPath(path);
    const auto ring = [&](const std::optional<SeriesPoint>& p, const QColor& color) {
        if (!p) return;
        painter.setPen(QPen(color, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(PlaceOf(*p), 5, 5);
    };
    ring(jump_, QColor(0xCC, 0x00, 0x00));
    ring(mark_, QColor(0x00, 0x80, 0xFF));
}

std::optional<SeriesPoint> ChartView::PointAt(const QPoint& at) const {
    if (!chart_) return std::nullopt;
    const QRect plot = Plot();
    const ChartColumns& drawn = Drawn();
    std::optional<SeriesPoint> best;
    double bestDistance = 0;
    constexpr int kReach = 4;
    for (int c = at.x() - plot.left() - kReach; c <= at.x() - plot.left() + kReach; ++c) {
        if (c < 0 || c >= drawn.Width()) continue;
        const ChartColumns::Column& col = drawn.Columns()[static_cast<std::size_t>(c)];
        if (!col.used) continue;
        for (const SeriesPoint& p : {col.low, col.high}) {
            const double d = std::hypot(plot.left() + c + 0.5 - at.x(), Y(p.value) - at.y());
            if (!best || d < bestDistance) best = p, bestDistance = d;
        }
    }
    return best;
}

void ChartView::mousePressEvent(QMouseEvent* e) {
    if (const auto p = PointAt(e->position().toPoint())) emit pointClicked(*p);
}

} // namespace lmx

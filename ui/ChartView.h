#pragma once
// The chart itself: one series drawn with a plain path, each pixel column from its lowest to its
// highest point, the largest jump ringed. A click picks the nearest drawn point.
#include "core/Series.h"

#include <QWidget>

#include <optional>
#include <string>

namespace lmx {

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    // The points, the largest jump (ringed in red) and the texts of the axes, values written with the
    // decimal separator decimal; nullopt: empty.
    void Show(std::optional<ChartColumns> chart, std::optional<SeriesPoint> jump, const QString& first,
              const QString& last, const QString& decimal = QStringLiteral("."));
    void Mark(std::optional<SeriesPoint> p); // the point chosen, ringed in blue
    const std::optional<SeriesPoint>& Jump() const { return jump_; }
    // The drawn point nearest to a place of the widget, within a few pixels of its column.
    std::optional<SeriesPoint> PointAt(const QPoint& at) const;
    // Where a point is drawn.
    QPointF PlaceOf(const SeriesPoint& p) const;

signals:
    void pointClicked(const lmx::SeriesPoint& p);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QRect Plot() const;
    double Y(double value) const;
    const ChartColumns& Drawn() const; // the points in the plot's pixel columns

    std::optional<ChartColumns> chart_;
    mutable std::optional<ChartColumns> drawn_;
    std::optional<SeriesPoint> jump_, mark_;
    QString first_, last_, decimal_;
    double low_ = 0, high_ = 1;
};

} // namespace lmx

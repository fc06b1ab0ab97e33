#include "core/ChartColumns.h"

namespace lmx {

ChartColumns::ChartColumns(int width, int64_t xMin, int64_t xMax)
    : xMin_(xMin), xMax_(xMax < xMin ? xMin : xMax), cols_(static_cast<std::size_t>(width < 1 ? 1 : width)) {}

int ChartColumns::ColumnOf(int64_t x) const {
    if (x <= xMin_) return 0;
    if (x >= xMax_) return Width() - 1;
    // Spans of days or ranks times a screen's width stay far inside 64 bits.
    return static_cast<int>((x - xMin_) * Width() / (xMax_ - xMin_ + 1));
}

void ChartColumns::Add(const SeriesPoint& p) {
    Column& c = cols_[static_cast<std::size_t>(ColumnOf(p.x))];
    if (!c.used) {
        c.used = true;
        c.low = c.high = p;
        return;
    }
    if (p.value < c.low.value) c.low = p;
    if (p.value > c.high.value) c.high = p;
}

ChartColumns ChartColumns::Resized(int width) const {
    ChartColumns out(width, xMin_, xMax_);
    for (const Column& c : cols_) {
        if (!c.used) continue;
        out.Add(c.low);
        out.Add(c.high);
    }
    return out;
}

} // namespace lmx

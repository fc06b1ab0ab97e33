#pragma once
// The points of a series spread over a chart's pixel columns.
#include <cstdint>
#include <vector>

namespace lmx {

// One value of the series and where it comes from.
struct SeriesPoint {
    double value = 0;
    int64_t x = 0;      // the line's date as a day number, or its rank when the format has no date column
    int64_t lineNo = 0; // in the file, from 1
    int64_t offset = 0; // of the line's first byte, to read it again
};

// The chart's decimation: points spread over width pixel columns by x, each column keeping its
// lowest and highest point, so that a single spike is never averaged away.
class ChartColumns {
public:
    struct Column {
        bool used = false;
        SeriesPoint low, high;
    };
    ChartColumns(int width, int64_t xMin, int64_t xMax);
    void Add(const SeriesPoint& p);
    // The same points in another number of columns.
    ChartColumns Resized(int width) const;
    const std::vector<Column>& Columns() const { return cols_; }
    int Width() const { return static_cast<int>(cols_.size()); }
    int64_t XMin() const { return xMin_; }
    int64_t XMax() const { return xMax_; }
    int ColumnOf(int64_t x) const;

private:
    int64_t xMin_, xMax_;
    std::vector<Column> cols_;
};

} // namespace lmx

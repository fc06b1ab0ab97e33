#pragma once
// A number column of a data file seen as a series against its date column: the summary that gives
// a bad value away, and the chart's points decimated to pixel columns. Whole files are read in two
// passes, in memory bounded by the number of pixel columns, never by the file.
#include "common/SystemPort.h"
#include "core/ChartColumns.h"
#include "core/Format.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// What one number column holds, in one pass over the file.
struct ColumnSummary {
    int32_t column = 0; // in the format, from 0
    std::string name;
    int64_t points = 0;
    int64_t unread = 0; // split lines whose value here is no number
    SeriesPoint first, last, min, max; // first and last by date (by line without a date column)
    std::string firstDate, lastDate, minText, maxText; // as read
    // The largest ratio between two consecutive positive values, in line order: jump is the value
    // divided by the one before, jumpAt the value it lands on.
    bool hasJump = false;
    double jump = 1;
    SeriesPoint jumpAt;
    std::string jumpText, jumpDate; // as read

    // Takes the next value in line order.
    void Add(const SeriesPoint& p, std::string_view text, std::string_view date);

private:
    double previous_ = 0;
    double jumpSize_ = 1; // max(jump, 1 / jump)
};

struct SeriesScan {
    std::vector<ColumnSummary> columns;
    int64_t lines = 0;    // data lines met (leading, header and empty lines left out)
    int64_t rejected = 0; // of them, lines that do not split into the format's columns or whose date does not read
    bool dated = false;   // the format has a date column: x is a day
    int64_t xMin = 0, xMax = -1;
};

// Stops a reading and follows its progress; either may be left null.
struct SeriesControl {
    const std::atomic<bool>* cancel = nullptr;
    std::atomic<int64_t>* bytesRead = nullptr; // both passes count: twice the file's size in all
};

enum class SeriesStatus { Ok, CannotOpen, ReadError, Cancelled };

// The file to read and how: a source skips the format's leading lines; a result has the output
// format's header lines before each source's lines, which are no data wherever they stand.
struct SeriesRequest {
    std::string path;
    Format format;
    int64_t skipLines = 0;
    std::vector<std::string> headers;
};

// The number columns of a format (from 0), and the one a chart shows first: CLOSE, else the first.
std::vector<int32_t> NumberColumns(const Format& f);
int32_t DefaultChartColumn(const Format& f);

// A number as a format writes it: an optional sign, digits, the decimal separator and digits.
bool ReadSeriesNumber(std::string_view text, std::string_view decSep, double& value);

// A line's fields as a series needs them: its date as a day number and its number columns.
class SeriesFields {
public:
    SeriesFields(const Format& f, const std::vector<int32_t>& columns, int currentYear);
    ~SeriesFields();
    SeriesFields(const SeriesFields&) = delete;
    SeriesFields& operator=(const SeriesFields&) = delete;
    // False when the line does not split into the format's columns or its date does not read.
    bool Split(std::string_view line);
    bool Dated() const { return dateCol_ >= 0; }
    int64_t Day() const { return day_; }
    std::string_view Date() const;
    // Column i of those asked for.
    std::string_view Text(std::size_t i) const;
    bool Value(std::size_t i, double& v) const;

private:
    struct Impl;
    Impl* impl_;
    int32_t dateCol_ = -1;
    int64_t day_ = 0;
};

class SeriesReader {
public:
    SeriesReader(const SeriesRequest& request, SystemPort& port = RealPort());
    // Pass one: the summaries of the given number columns, and the span of x.
    SeriesStatus Scan(const std::vector<int32_t>& columns, SeriesScan& scan, const SeriesControl& control = {});
    // Pass two: the points of one column into the chart, placed in date order.
    SeriesStatus Draw(int32_t column, ChartColumns& chart, const SeriesControl& control = {});
    int ErrorNo() const { return errNo_; }

private:
    template <class OnLine>
    SeriesStatus Walk(SeriesFields& fields, int64_t progressBase, const SeriesControl& control, OnLine&& onLine);

    const SeriesRequest& request_;
    SystemPort& port_;
    int errNo_ = 0;
};

// The line that starts at offset, as read (its first 4 KiB at most); false when it cannot be read.
bool ReadLineAt(const std::string& path, int64_t offset, std::string& line, SystemPort& port = RealPort());

} // namespace lmx

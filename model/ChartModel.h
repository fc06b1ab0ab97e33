#pragma once
// The chart page's model: which file it draws with which format (the input preview's file before a
// run, the run's result after it), the reading of that file on a worker thread, and the texts the
// page shows. No window here: the page runs ChartJob::Run on a thread of its own and shows the texts.
#include "common/Text.h"
#include "core/Series.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lmx {

class LangTexts;
class Session;

// The file to draw and how to read it; equal sources need no new reading.
struct ChartSource {
    SeriesRequest request;
    std::string formatText; // the format's block: a format changed under the same name reads anew
    int64_t size = -1;      // the file as last looked at: a file rewritten reads anew
    int64_t modified = 0;
    bool operator==(const ChartSource& o) const {
        return request.path == o.request.path && formatText == o.formatText && size == o.size &&
               modified == o.modified && request.headers == o.request.headers && request.skipLines == o.request.skipLines;
    }
};

// The first source with the input format, past its leading lines; none (empty path) when no file
// or no usable input format is chosen, or for standard input.
ChartSource SourceChart(Session& s);
// The run's result with the output format, its header lines no data.
ChartSource ResultChart(Session& s);
// The size and time of the file, now.
void LookAgain(ChartSource& c, SystemPort& port);

// One reading: both passes over the file for one column, cancellable from another thread.
struct ChartJob {
    ChartJob(ChartSource what, int32_t which, int columns) : source(std::move(what)), column(which), width(columns) {}
    const ChartSource source;
    const int32_t column;
    const int width;
    std::atomic<bool> cancel{false};
    std::atomic<int64_t> bytesRead{0};
    // Set by Run, read once it is over.
    SeriesStatus status = SeriesStatus::Ok;
    int errNo = 0;
    SeriesScan scan;
    std::optional<ChartColumns> chart;

    void Run(SystemPort& port);
    // The column's summary, once read.
    const ColumnSummary* Summary() const { return scan.columns.empty() ? nullptr : &scan.columns.front(); }
};

// The summary line under the chart: the fields of the converter's --summary, joined for the eye.
std::string ChartSummaryText(const ChartJob& job, const LangTexts& lang);
// What the page says beside the list: the reading's progress, its counts once over, or why it failed;
// the file's name as the file system has it.
TextWithPaths ChartStatusText(const ChartJob& job, bool over, const LangTexts& lang);
// A point of the series: its line's number, date and value; line receives the line as read from the
// file again (the data's bytes), empty when it cannot be read.
std::string ChartPointText(const ChartJob& job, const SeriesPoint& p, const LangTexts& lang, SystemPort& port,
                           std::string& line);

} // namespace lmx

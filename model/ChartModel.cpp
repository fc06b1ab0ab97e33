#include "model/ChartModel.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "core/SeriesSummary.h"
#include "model/Session.h"

#include <cstring>
#include <sys/stat.h>

namespace lmx {

void LookAgain(ChartSource& c, SystemPort& port) {
    struct stat st {};
    const bool there = !c.request.path.empty() && port.Stat(c.request.path.c_str(), st, true) == 0;
    c.size = there ? static_cast<int64_t>(st.st_size) : -1;
    c.modified = there ? static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
}

ChartSource SourceChart(Session& s) {
    ChartSource c;
    const ConvPageState& page = s.page;
    if (!page.InChosen || !s.formats.Input || page.InFiles.empty() || IsStdInSource(page.InFiles.front())) return c;
    c.request = SeriesRequest{page.InFiles.front(), *s.formats.Input, s.formats.Input->SkipCount(), {}};
    c.formatText = s.formats.Input->BlockText();
    LookAgain(c, s.port);
    return c;
}

ChartSource ResultChart(Session& s) {
    ChartSource c;
    if (!s.formats.Output || s.page.OutPath.empty()) return c;
    c.request = SeriesRequest{s.page.OutPath, *s.formats.Output, 0, {}};
    // As the run wrote them, in the data files' encoding.
    for (const std::string& h : s.formats.Output->headers) c.request.headers.push_back(s.conv.AddedText(h));
    c.formatText = s.formats.Output->BlockText();
    LookAgain(c, s.port);
    return c;
}

void ChartJob::Run(SystemPort& port) {
    SeriesReader reader(source.request, port);
    const SeriesControl control{&cancel, &bytesRead};
    status = reader.Scan({column}, scan, control);
    if (status == SeriesStatus::Ok) {
        chart.emplace(width, scan.xMin, scan.xMax);
        status = reader.Draw(column, *chart, control);
    }
    errNo = reader.ErrorNo();
}

std::string ChartSummaryText(const ChartJob& job, const LangTexts& lang) {
    const ColumnSummary* s = job.Summary();
    if (!s) return {};
    std::string out;
    for (const std::string& field : SummaryFields(*s, job.source.request.format.decSep, lang)) {
        if (!out.empty()) out += "  \xB7  ";
        out += field;
    }
    return out;
}

namespace {

// tmpl with its first "%s" the file's name, the others filled with rest.
TextWithPaths NameFirst(std::string_view tmpl, std::string_view name, std::initializer_list<std::string_view> rest) {
    const std::size_t at = tmpl.find("%s");
    if (at == std::string_view::npos) return TextWithPaths(std::string(tmpl));
    TextWithPaths out;
    out.Words(tmpl.substr(0, at)).Path(name).Words(FillPlaceholders(tmpl.substr(at + 2), rest));
    return out;
}

} // namespace

TextWithPaths ChartStatusText(const ChartJob& job, bool over, const LangTexts& lang) {
    const std::string name = ExtractFileName(job.source.request.path);
    const std::string group = lang.Text(LK::str_chartGroup);
    if (!over) {
        const int64_t total = 2 * (job.source.size > 0 ? job.source.size : 1);
        const int64_t share = job.bytesRead.load(std::memory_order_relaxed) * 100 / total;
        return NameFirst(lang.Text(LK::str_chartReading), name, {IntToStr(share > 100 ? 100 : share)});
    }
    if (job.status == SeriesStatus::CannotOpen || job.status == SeriesStatus::ReadError)
        return NameFirst(lang.Text(LK::str_chartCannotRead), name, {std::strerror(job.errNo)});
    const ColumnSummary* s = job.Summary();
    const int64_t rejected = job.scan.rejected + (s ? s->unread : 0);
    return NameFirst(lang.Text(LK::str_chartRead), name,
                     {GroupedNumber(job.scan.lines, group), GroupedNumber(rejected, group)});
}

std::string ChartPointText(const ChartJob& job, const SeriesPoint& p, const LangTexts& lang, SystemPort& port,
                           std::string& line) {
    line.clear();
    if (!ReadLineAt(job.source.request.path, p.offset, line, port)) return PointText(p.lineNo, {}, {}, lang);
    // The date and the value as the line holds them now.
    SeriesFields fields(job.source.request.format, {job.column}, port.CurrentYear());
    const bool split = fields.Split(line);
    return PointText(p.lineNo, split ? fields.Date() : std::string_view(), split ? fields.Text(0) : std::string_view(), lang);
}

} // namespace lmx

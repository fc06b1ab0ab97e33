#include "CliSummary.h"

#include "CliIo.h"
#include "core/SeriesSummary.h"
#include "model/Session.h"

#include <cstring>

namespace lmx::cli {

bool PrintSummary(Session& s, const std::string& path) {
    if (!s.formats.Output) return false; // only after a run, which had one
    const Format& out = *s.formats.Output;
    // The result holds the output format's header lines before each source's lines, as written.
    SeriesRequest req{path, out, 0, {}};
    for (const std::string& h : out.headers) req.headers.push_back(s.conv.AddedText(h));
    SeriesReader reader(req, s.port);
    SeriesScan scan;
    if (reader.Scan(NumberColumns(out), scan) != SeriesStatus::Ok) {
        PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::str_chartCannotRead), {path, std::strerror(reader.ErrorNo())}));
        return false;
    }
    for (const ColumnSummary& c : scan.columns) {
        std::string line;
        for (const std::string& field : SummaryFields(c, out.decSep, s.lang)) {
            if (!line.empty()) line += '\t';
            line += field;
        }
        PrintOut(Tx(line));
    }
    return true;
}

} // namespace lmx::cli

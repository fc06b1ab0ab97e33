#include "core/Series.h"

#include "core/Converter.h"
#include "core/LineReader.h"
#include "core/SlotLine.h"

#include <charconv>
#include <unistd.h>

namespace lmx {

void ColumnSummary::Add(const SeriesPoint& p, std::string_view text, std::string_view date) {
    const bool firstPoint = points++ == 0;
    // Equal dates: the first line met stays first, the last one met is last.
    if (firstPoint || p.x < first.x) first = p, firstDate.assign(date);
    if (firstPoint || p.x >= last.x) last = p, lastDate.assign(date);
    if (firstPoint || p.value < min.value) min = p, minText.assign(text);
    if (firstPoint || p.value > max.value) max = p, maxText.assign(text);
    // A ratio means something between positive values only (prices, volumes).
    if (!firstPoint && previous_ > 0 && p.value > 0) {
        const double r = p.value / previous_;
        const double size = r >= 1 ? r : previous_ / p.value;
        if (!hasJump || size > jumpSize_) {
            hasJump = true;
            jump = r;
            jumpSize_ = size;
            jumpAt = p;
            jumpText.assign(text);
            jumpDate.assign(date);
        }
    }
    previous_ = p.value;
}

std::vector<int32_t> NumberColumns(const Format& f) {
    std::vector<int32_t> out;
    for (std::size_t i = 0; i < f.columns.size(); ++i)
        if (f.columns[i].type == ColumnType::Number) out.push_back(static_cast<int32_t>(i));
    return out;
}

int32_t DefaultChartColumn(const Format& f) {
    const std::vector<int32_t> numbers = NumberColumns(f);
    for (const int32_t c : numbers)
        if (f.columns[static_cast<std::size_t>(c)].name == "CLOSE") return c;
    return numbers.empty() ? -1 : numbers.front();
}

bool ReadSeriesNumber(std::string_view text, std::string_view decSep, double& value) {
    constexpr std::size_t kMax = 64;
    if (text.empty() || text.size() > kMax) return false;
    const char dec = decSep.size() == 1 ? decSep[0] : '\0';
    const std::size_t signs = text[0] == '+' || text[0] == '-' ? 1 : 0;
    // What a number control lets pass, with a sign before it: digits alone, or a plain number.
    const std::string_view unsigned_ = text.substr(signs);
    const bool digits = !unsigned_.empty() && Converter::ControlValue(unsigned_, ckNumber, "", "");
    if (!digits && (dec == '\0' || !ReadsAsPlainNumber(text.data(), text.size(), dec))) return false;
    char buf[kMax];
    std::size_t n = 0;
    if (text[0] == '-') buf[n++] = '-';
    for (const char c : unsigned_) buf[n++] = c == dec ? '.' : c;
    const auto r = std::from_chars(buf, buf + n, value);
    return r.ec == std::errc() && r.ptr == buf + n;
}

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DayNumber(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int Digits(std::string_view s) {
    int v = 0;
    for (const char c : s) v = v * 10 + (c - '0');
    return v;
}

} // namespace

struct SeriesFields::Impl {
    Converter conv;
    SlotLine line{conv};
    std::vector<int32_t> slots; // per column asked for, its slot in the line's slots
    DateConvValues date;        // to YYYYMMDD, the century widened as the run widens it
    std::string dateOut;
    int32_t dateSlot = 0;
};

SeriesFields::SeriesFields(const Format& f, const std::vector<int32_t>& columns, int currentYear) : impl_(new Impl) {
    Impl& m = *impl_;
    m.conv.SetCurrentYear(currentYear);
    // The split of the engines through a link that keeps the wanted fields only: the dates, then
    // the columns asked for.
    std::vector<IoLinkEntry> link(static_cast<std::size_t>(f.ColumnCount()) + 1, IoLinkEntry{});
    int32_t slot = 0;
    for (std::size_t i = 0; i < f.columns.size(); ++i) {
        if (!f.columns[i].IsDate()) continue;
        dateCol_ = static_cast<int32_t>(i);
        m.date = Converter::MakeDateConv(f.columns[i].dateLayout, "0", "YYYYMMDD");
        link[i + 1].target = m.dateSlot = ++slot;
        break;
    }
    for (const int32_t c : columns) {
        if (c < 0 || c >= f.ColumnCount()) {
            m.slots.push_back(0);
            continue;
        }
        IoLinkEntry& e = link[static_cast<std::size_t>(c) + 1];
        if (e.target == 0) e.target = ++slot;
        m.slots.push_back(e.target);
    }
    m.conv.TakePlan(ConversionPlan(f, std::move(link), slot));
}

SeriesFields::~SeriesFields() { delete impl_; }

bool SeriesFields::Split(std::string_view line) {
    Impl& m = *impl_;
    if (!m.line.Unstring(line)) return false;
    if (dateCol_ < 0) return true;
    if (!m.conv.DateConvInto(m.line.Slots()[static_cast<std::size_t>(m.dateSlot)], m.date, m.dateOut)) return false;
    const std::string_view d = m.dateOut;
    int year = 0;
    // A four-digit year is taken as it is: the day and month still have to make a date.
    if (!m.conv.ExpandYear(d.substr(0, 4), d.substr(4, 2), d.substr(6, 2), year)) return false;
    day_ = DayNumber(year, Digits(d.substr(4, 2)), Digits(d.substr(6, 2)));
    return true;
}

std::string_view SeriesFields::Date() const {
    return dateCol_ < 0 ? std::string_view() : std::string_view(impl_->line.Slots()[static_cast<std::size_t>(impl_->dateSlot)]);
}

std::string_view SeriesFields::Text(std::size_t i) const {
    return impl_->line.Slots()[static_cast<std::size_t>(impl_->slots[i])];
}

bool SeriesFields::Value(std::size_t i, double& v) const {
    return impl_->slots[i] > 0 && ReadSeriesNumber(Text(i), impl_->conv.Plan().Input().decSep, v);
}

SeriesReader::SeriesReader(const SeriesRequest& request, SystemPort& port) : request_(request), port_(port) {}

template <class OnLine>
SeriesStatus SeriesReader::Walk(SeriesFields& fields, int64_t progressBase, const SeriesControl& control,
                                OnLine&& onLine) {
    LineReader in;
    if (!in.Open(request_.path, port_)) {
        errNo_ = in.ErrorNo();
        return SeriesStatus::CannotOpen;
    }
    int64_t lineNo = in.Skip(request_.skipLines);
    int64_t rank = 0;
    std::string_view line;
    for (;;) {
        const int64_t offset = in.Consumed();
        if (!in.Next(line)) break;
        ++lineNo;
        if ((lineNo & 0xFFF) == 0) {
            if (control.cancel && control.cancel->load(std::memory_order_relaxed)) return SeriesStatus::Cancelled;
            if (control.bytesRead) control.bytesRead->store(progressBase + in.Consumed(), std::memory_order_relaxed);
        }
        if (line.empty()) continue;
        bool header = false;
        for (const std::string& h : request_.headers) header = header || line == h;
        if (header) continue;
        const bool split = !in.Cut() && fields.Split(line);
        onLine(split, SeriesPoint{0, fields.Dated() ? fields.Day() : rank, lineNo, offset});
        if (split) ++rank;
    }
    if (in.Error()) {
        errNo_ = in.ErrorNo();
        return SeriesStatus::ReadError;
    }
    if (control.bytesRead) control.bytesRead->store(progressBase + in.Consumed(), std::memory_order_relaxed);
    return SeriesStatus::Ok;
}

SeriesStatus SeriesReader::Scan(const std::vector<int32_t>& columns, SeriesScan& scan, const SeriesControl& control) {
    scan = SeriesScan{};
    SeriesFields fields(request_.format, columns, port_.CurrentYear());
    scan.dated = fields.Dated();
    for (const int32_t c : columns) {
        ColumnSummary s;
        s.column = c;
        if (c >= 0 && c < request_.format.ColumnCount()) s.name = request_.format.columns[static_cast<std::size_t>(c)].name;
        scan.columns.push_back(std::move(s));
    }
    bool any = false;
    return Walk(fields, 0, control, [&](bool split, SeriesPoint p) {
        ++scan.lines;
        if (!split) {
            ++scan.rejected;
            return;
        }
        scan.xMin = any && scan.xMin < p.x ? scan.xMin : p.x;
        scan.xMax = any && scan.xMax > p.x ? scan.xMax : p.x;
        any = true;
        for (std::size_t i = 0; i < scan.columns.size(); ++i) {
            if (!fields.Value(i, p.value)) {
                ++scan.columns[i].unread;
                continue;
            }
            scan.columns[i].Add(p, fields.Text(i), fields.Date());
        }
    });
}

SeriesStatus SeriesReader::Draw(int32_t column, ChartColumns& chart, const SeriesControl& control) {
    SeriesFields fields(request_.format, {column}, port_.CurrentYear());
    const int64_t size = port_.SizeOf(request_.path);
    return Walk(fields, size, control, [&](bool split, SeriesPoint p) {
        if (split && fields.Value(0, p.value)) chart.Add(p);
    });
}

bool ReadLineAt(const std::string& path, int64_t offset, std::string& line, SystemPort& port) {
    constexpr std::size_t kShown = 4096;
    int fd = -1;
    if (offset < 0 || !port.OpenForReading(path, fd).Ok()) return false;
    bool ok = ::lseek(fd, offset, SEEK_SET) == offset;
    if (ok) {
        LineReader in(64 * 1024, kShown);
        in.Attach(fd);
        std::string_view read;
        ok = in.Next(read);
        if (ok) line.assign(read);
    }
    port.Close(fd);
    return ok;
}

} // namespace lmx

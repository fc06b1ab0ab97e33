#include "model/Progress.h"

#include "common/Text.h"

#include <iterator>

namespace lmx {

std::string ByteSize(int64_t bytes) {
    static constexpr const char* kUnits[] = {"B", "kB", "MB", "GB", "TB"};
    if (bytes < 0) bytes = 0;
    std::size_t unit = 0;
    int64_t scale = 1;
    // The unit in which the rounded figure stays under 1000.
    while (unit + 1 < std::size(kUnits) && bytes >= scale * 1000 - scale / 2) {
        scale *= 1000;
        ++unit;
    }
    if (unit == 0) return IntToStr(bytes) + " B";
    const int64_t tenths = (bytes * 10 + scale / 2) / scale;
    if (tenths >= 1000) return IntToStr((bytes + scale / 2) / scale) + " " + kUnits[unit];
    return IntToStr(tenths / 10) + "." + IntToStr(tenths % 10) + " " + kUnits[unit];
}

namespace {

std::string Duration(int64_t seconds) {
    auto two = [](int64_t n) { return (n < 10 ? "0" : "") + IntToStr(n); };
    if (seconds >= 3600)
        return IntToStr(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
    return IntToStr(seconds / 60) + ":" + two(seconds % 60);
}

} // namespace

std::string ProgressText(const ProgressFigures& f, const ProgressWords& words) {
    const bool sized = f.total > 0;
    std::string out;
    if (sized) {
        const int64_t done = f.done < f.total ? f.done : f.total;
        out = FillPlaceholders(words.share, {IntToStr(done * 100 / f.total), ByteSize(f.total)});
    } else {
        out = FillPlaceholders(words.read, {ByteSize(f.done)});
    }
    if (f.done > 0 && f.millis > 0) {
        // Bytes a second over the whole run so far: steadier than the last moment's.
        const double rate = static_cast<double>(f.done) * 1000.0 / static_cast<double>(f.millis);
        out += ", " + ByteSize(static_cast<int64_t>(rate)) + "/s";
        if (sized) {
            const int64_t left = f.total > f.done ? f.total - f.done : 0;
            out += ", " + FillPlaceholders(words.left, {Duration(static_cast<int64_t>(static_cast<double>(left) / rate + 0.5))});
        }
    }
    return out + ", " + FillPlaceholders(words.counts, {IntToStr(f.lines), IntToStr(f.rejected)});
}

} // namespace lmx

#pragma once
// The progress of a run told in one line (the converter's line on a terminal): the share of the
// bytes read, the rate and the time left when the size is known, and the counts.
#include <cstdint>
#include <string>
#include <string_view>

namespace lmx {

struct ProgressFigures {
    int64_t done = 0;   // bytes read
    int64_t total = -1; // bytes to read; -1 when not known (standard input from a pipe)
    int64_t millis = 0; // since the run started
    int64_t lines = 0;
    int64_t rejected = 0;
};

// The words of the line, in the language of the run: texts whose "%s" are filled left to right.
struct ProgressWords {
    std::string_view share = "%s% of %s";
    std::string_view read = "%s read";
    std::string_view left = "%s left";
    std::string_view counts = "%s lines, %s rejected";
};

// "37% of 265 MB, 98.1 MB/s, 0:02 left, 1234567 lines, 12 rejected"; without a known size
// "98.1 MB read, 98.1 MB/s, 1234567 lines, 12 rejected". No rate before any byte or millisecond.
std::string ProgressText(const ProgressFigures& f, const ProgressWords& words = {});

// Bytes in decimal units with three significant digits at most: "950 B", "1.5 kB", "98.1 MB", "265 MB".
std::string ByteSize(int64_t bytes);

} // namespace lmx

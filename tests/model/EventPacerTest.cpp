// The pace at which a run lets the window's events through.
#include "model/EventPacer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lmx {
namespace {

using namespace std::chrono;

// A run simulated on a fake clock: files of linesPerFile lines, each line costing lineCost and each
// file boundary fileCost. The longest wait between two event passes, and the looks at the clock.
struct Simulated {
    microseconds longestWait{0};
    int64_t looks = 0;
    int64_t lines = 0;
};

Simulated Simulate(int files, int linesPerFile, microseconds lineCost, microseconds fileCost) {
    steady_clock::time_point now{hours(1)};
    Simulated s;
    EventPacer pacer(milliseconds(30), [&] {
        ++s.looks;
        return now;
    });
    steady_clock::time_point last = now;
    auto pass = [&](bool due) {
        if (!due) return;
        s.longestWait = std::max(s.longestWait, duration_cast<microseconds>(now - last));
        last = now;
    };
    for (int f = 0; f < files; ++f) {
        now += fileCost;
        pass(pacer.Boundary());
        for (int l = 0; l < linesPerFile; ++l) {
            now += lineCost;
            ++s.lines;
            pass(pacer.Line());
        }
    }
    s.longestWait = std::max(s.longestWait, duration_cast<microseconds>(now - last));
    return s;
}

TEST(EventPacer, EventsAtLeastEveryIntervalWhateverTheFilesAndFewLooksAtTheClock) {
    struct Case {
        const char* what;
        int files, lines;
        microseconds line, file;
        int64_t maxLooks; // per stride and per file, never per fast line
    };
    const Case cases[] = {
        {"one large file of fast lines", 1, 20'000'000, microseconds(1), microseconds(0), 20'000},
        {"thousands of files under 512 lines", 20'000, 100, microseconds(2), microseconds(40), 40'000},
        {"empty files only", 50'000, 0, microseconds(0), microseconds(100), 50'000},
        {"slow lines", 1, 2'000, microseconds(5'000), microseconds(0), 2'001},
    };
    for (const Case& c : cases) {
        const Simulated s = Simulate(c.files, c.lines, c.line, c.file);
        // A wait may pass the interval by one stride's worth of lines, never by much more.
        EXPECT_LE(s.longestWait, milliseconds(40)) << c.what;
        EXPECT_LE(s.looks, c.maxLooks) << c.what;
    }
}

} // namespace
} // namespace lmx

#pragma once
// When a run shows the window where it is: at least every interval, whatever the sizes of the
// files, for no more per-line work than a countdown. The lines between two looks at the
// clock follow the pace of the run, so a slow line and a run of tiny files are both caught.
#include <chrono>
#include <cstdint>
#include <functional>

namespace lmx {

class EventPacer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>; // read at the looks only, never per line

    explicit EventPacer(std::chrono::milliseconds interval = std::chrono::milliseconds(30), Clock clock = {});

    // After each line: true when the events are due.
    bool Line() {
        if (--countdown_ > 0) return false;
        return Look(true);
    }
    // Where a file starts or ends: the clock is looked at, the countdown goes on.
    bool Boundary() { return Look(false); }

    // Lines between two looks at the clock, as last adapted.
    int32_t Stride() const { return stride_; }
    static constexpr int32_t kMaxStride = 1 << 16;

private:
    bool Look(bool fromCountdown);
    TimePoint Now() const;

    std::chrono::steady_clock::duration interval_;
    Clock clock_;
    int32_t stride_ = 1; // grows within a few looks when lines are fast
    int32_t countdown_ = 1;
    TimePoint lastLook_{};
    TimePoint lastDue_{}; // the epoch: the first look is due
};

} // namespace lmx

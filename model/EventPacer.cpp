#include "model/EventPacer.h"

namespace lmx {

EventPacer::EventPacer(std::chrono::milliseconds interval, Clock clock)
    : interval_(interval), clock_(std::move(clock)) {}

EventPacer::TimePoint EventPacer::Now() const { return clock_ ? clock_() : std::chrono::steady_clock::now(); }

bool EventPacer::Look(bool fromCountdown) {
    const TimePoint now = Now();
    if (fromCountdown) {
        // Aim at a look every eighth of the interval or so: double the stride while the looks come
        // too often, halve it when they come late.
        const auto since = now - lastLook_;
        if (lastLook_ != TimePoint{}) {
            if (since < interval_ / 8 && stride_ < kMaxStride) stride_ *= 2;
            else if (since > interval_ / 4 && stride_ > 1) stride_ /= 2;
        }
        lastLook_ = now;
        countdown_ = stride_;
    }
    if (now - lastDue_ < interval_) return false;
    lastDue_ = now;
    return true;
}

} // namespace lmx

#include "playback/play_clock.h"

#include "platform/clock.h"

#include <algorithm>

int cPlayClock::rateOfIndex(int index) {
    return kRates[std::clamp(index, 0, 6)];
}

uint32_t cPlayClock::periodOfRate(int rate) {
    return 1000u / static_cast<uint32_t>(std::clamp(rate, 1, 120));
}

cPlayClock::cPlayClock(MillisecondSource source) {
    setSource(std::move(source));
}

void cPlayClock::setSource(MillisecondSource source) {
    source_ = source ? std::move(source) : MillisecondSource(platform::NowMilliseconds);
}

uint32_t cPlayClock::now() const {
    return source_();
}

void cPlayClock::setRate(int rate) {
    rate_ = std::clamp(rate, 1, 120);
    period_ = periodOfRate(rate_);
    reset();
}

bool cPlayClock::start() {
    if (running_) return false;
    reset();
    running_ = true;
    return true;
}

void cPlayClock::reset() {
    last_ = now();
    lag_ = 0;
}

bool cPlayClock::poll() {
    if (!running_) return false;
    const uint32_t t = now();
    const uint32_t due = last_ + period_;
    // Compared by signed difference so that the 49.7-day wrap of the millisecond counter does not
    // fire a tick early.
    const auto late = static_cast<int32_t>(t - due);
    if (late < 0) return false;
    if (static_cast<uint32_t>(late) <= period_) {
        last_ = due;
        lag_ = static_cast<uint32_t>(late);
    } else {
        last_ = t;
        lag_ = 0;
    }
    if (target_) target_();
    return true;
}

uint32_t cPlayClock::untilNext() const {
    const uint32_t due = last_ + period_;
    const auto left = static_cast<int32_t>(due - now());
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

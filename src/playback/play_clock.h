#pragma once
// The playback clock: ticks at a fixed period computed from the rate, keeping to its schedule
// through small delays and restarting it after a stall, on an injected millisecond source
// (platform::NowMilliseconds by default; tests and the command-line tool inject their own). Nothing here
// sleeps or blocks: the owner polls (the editor from a 1 ms precise timer, the command-line tool from its
// loop) and runs one player tick for every poll that returns true.

#include <cstdint>
#include <functional>

class cPlayClock {
  public:
    using MillisecondSource = std::function<uint32_t()>;

    // The rate table indexed by "PlayRate": 60, 55, 40, 30, 20, 15, 10 ticks per second.
    static constexpr int kRates[7] = {60, 55, 40, 30, 20, 15, 10};
    static constexpr const char* kRateList = "60 fps,55 fps,40 fps,30 fps,20 fps,15 fps,10 fps";
    // The rate of a table index; the index is clamped into 0..6.
    static int rateOfIndex(int index);
    // 1000 / rate, integer division, with the rate clamped to 1..120.
    static uint32_t periodOfRate(int rate);

    explicit cPlayClock(MillisecondSource source = {});

    void setSource(MillisecondSource source);
    uint32_t now() const;

    // Sets the rate (clamped to 1..120) and the period; last = now, lag = 0.
    void setRate(int rate);
    int rate() const { return rate_; }
    uint32_t period() const { return period_; }
    // Called for every tick that poll() produces (the tick message of the original); may be empty.
    void setTarget(std::function<void()> target) { target_ = std::move(target); }

    // Fails when already running; otherwise last = now, lag = 0, running.
    bool start();
    void stop() { running_ = false; }
    // last = now, lag = 0.
    void reset();
    bool running() const { return running_; }

    // One poll of the message loop. `last` is the time the last tick was due, so a tick is due at
    // last + period. When it is, lag = how late it comes; a tick at most one period late keeps the
    // schedule (last advances by the period, so the next tick comes early by the lag and no tick is
    // lost to jitter), a later one restarts it from now (last = now, lag = 0), so a stall never
    // produces a backlog of ticks. Calls the target and returns true for a tick; false when none is
    // due or the clock is stopped (the caller yields).
    bool poll();

    // When the last tick was due (after a restart: when it came).
    uint32_t last() const { return last_; }
    // How late the last tick came, in milliseconds (0 after a restart).
    uint32_t lag() const { return lag_; }
    // Milliseconds until the next tick is due (0 when due now); for a caller that wants to sleep.
    uint32_t untilNext() const;

  private:
    MillisecondSource source_;
    std::function<void()> target_;
    bool running_ = false;
    int rate_ = 60;
    uint32_t period_ = 16;
    uint32_t last_ = 0;
    uint32_t lag_ = 0;
};

// The playback clock: the rate table, the period, keeping the schedule through jitter and
// restarting it after a stall, on an injected millisecond source that wraps around.

#include "playback/play_clock.h"

#include <gtest/gtest.h>

TEST(PlayClock, RateTableAndPeriods) {
    EXPECT_EQ(cPlayClock::periodOfRate(cPlayClock::rateOfIndex(0)), 16u); // 60 a second
    EXPECT_EQ(cPlayClock::rateOfIndex(9), 10);                            // index clamped into 0..6
    EXPECT_EQ(cPlayClock::rateOfIndex(-3), 60);
    EXPECT_EQ(cPlayClock::periodOfRate(0), 1000u); // rate clamped into 1..120
    EXPECT_EQ(cPlayClock::periodOfRate(500), 8u);
}

TEST(PlayClock, ALateTickKeepsTheScheduleAndTheNextComesEarly) {
    uint32_t now = 1000;
    int ticks = 0;
    cPlayClock clock([&now] { return now; });
    clock.setTarget([&ticks] { ++ticks; });
    clock.setRate(60);
    EXPECT_FALSE(clock.poll()); // not running
    ASSERT_TRUE(clock.start());
    EXPECT_FALSE(clock.start()); // already running
    // (poll time, ticks?, last, lag, until next): a tick 4 ms late keeps the schedule of 16 ms
    // steps, so the next is due 12 ms after it; exactly one period late still keeps it (and the
    // missed tick follows at once); 17 ms late restarts it, and a long stall gives one tick, no
    // backlog.
    const struct {
        uint32_t at;
        bool tick;
        uint32_t last, lag, untilNext;
    } steps[] = {
        {1015, false, 1000, 0, 1},  {1016, true, 1016, 0, 16}, {1036, true, 1032, 4, 12},
        {1047, false, 1032, 4, 1},  {1048, true, 1048, 0, 16}, {1080, true, 1064, 16, 0},
        {1080, true, 1080, 0, 16},  {1113, true, 1113, 0, 16}, {1600, true, 1600, 0, 16},
        {1600, false, 1600, 0, 16}, {1616, true, 1616, 0, 16},
    };
    int expected = 0;
    for (const auto& s : steps) {
        now = s.at;
        EXPECT_EQ(clock.poll(), s.tick) << s.at;
        expected += s.tick;
        EXPECT_EQ(clock.last(), s.last) << s.at;
        EXPECT_EQ(clock.lag(), s.lag) << s.at;
        EXPECT_EQ(clock.untilNext(), s.untilNext) << s.at;
    }
    EXPECT_EQ(ticks, expected);
}

TEST(PlayClock, JitterLosesNoTickOverALongRun) {
    // A poller that looks every millisecond, often a millisecond or two late, for 10 s at each rate:
    // the tick count matches elapsed time / period.
    for (int rate : {60, 55, 10}) {
        uint32_t now = 0xFFFF0000u; // the counter wraps during the run
        uint32_t seed = 12345;
        cPlayClock clock([&now] { return now; });
        clock.setRate(rate);
        clock.start();
        const uint32_t begin = now;
        int ticks = 0;
        while (now - begin < 10000) {
            seed = seed * 1103515245u + 12345u;
            now += 1 + (seed >> 16) % 3;
            ticks += clock.poll();
        }
        const int expected = static_cast<int>((now - begin) / clock.period());
        EXPECT_NEAR(ticks, expected, 1) << rate;
    }
}

TEST(PlayClock, RateChangeAndResetRestartFromNow) {
    uint32_t now = 500;
    cPlayClock clock([&now] { return now; });
    clock.start();
    now = 700;
    clock.setRate(10);
    EXPECT_EQ(clock.period(), 100u);
    EXPECT_EQ(clock.last(), 700u);
    now = 799;
    EXPECT_FALSE(clock.poll());
    now = 800;
    EXPECT_TRUE(clock.poll());
    now = 5000;
    clock.reset();
    EXPECT_EQ(clock.last(), 5000u);
    clock.stop();
    now = 9000;
    EXPECT_FALSE(clock.poll());
}

// The playback clock: the rate table, the period, and the lag and drop rules on an
// injected millisecond source.

#include "playback/play_clock.h"

#include <gtest/gtest.h>

TEST(PlayClock, RateTableAndPeriods) {
    const uint32_t periods[] = {16, 18, 25, 33, 50, 66, 100}; // index 0: 60 a second, period 16
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(cPlayClock::PeriodOfRate(cPlayClock::RateOfIndex(i)), periods[i]) << i;
    EXPECT_EQ(cPlayClock::RateOfIndex(9), 10); // index clamped into 0..6
    EXPECT_EQ(cPlayClock::RateOfIndex(-3), 60);
    EXPECT_EQ(cPlayClock::PeriodOfRate(0), 1000u); // rate clamped into 1..120
    EXPECT_EQ(cPlayClock::PeriodOfRate(500), 8u);
}

TEST(PlayClock, TicksOnThePeriodAndCatchesUpALateTick) {
    uint32_t now = 1000;
    int ticks = 0;
    cPlayClock clock([&now] { return now; });
    clock.setTarget([&ticks] { ++ticks; });
    clock.setRate(60);
    EXPECT_FALSE(clock.poll()); // not running
    ASSERT_TRUE(clock.start());
    EXPECT_FALSE(clock.start()); // already running
    now = 1015;
    EXPECT_FALSE(clock.poll());
    EXPECT_EQ(clock.untilNext(), 1u);
    now = 1016;
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.last(), 1016u);
    EXPECT_EQ(clock.lag(), 0u);
    // 4 ms late: the next tick comes 4 ms early.
    now = 1036;
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.lag(), 4u);
    EXPECT_EQ(clock.last(), 1032u);
    now = 1043;
    EXPECT_FALSE(clock.poll());
    now = 1044;
    EXPECT_TRUE(clock.poll());
    // That early tick is 4 ms before last + period: the unsigned lag wraps, which restarts the
    // schedule (a dropped tick).
    EXPECT_EQ(clock.last(), 1060u);
    EXPECT_EQ(clock.lag(), 0u);
    now = 1075;
    EXPECT_FALSE(clock.poll());
    now = 1076;
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.last(), 1076u);
    EXPECT_EQ(ticks, 4);
}

TEST(PlayClock, AStallOfMoreThanAPeriodRestartsTheSchedule) {
    uint32_t now = 0;
    cPlayClock clock([&now] { return now; });
    clock.setRate(60);
    clock.start();
    now = 50; // 34 ms late
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.last(), 66u);
    EXPECT_EQ(clock.lag(), 0u);
    now = 81;
    EXPECT_FALSE(clock.poll());
    now = 82;
    EXPECT_TRUE(clock.poll());
    // Exactly one period late still counts as on schedule.
    now = 82 + 32;
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.lag(), 16u);
    EXPECT_EQ(clock.last(), 98u);
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

TEST(PlayClock, WrapsAround32Bits) {
    uint32_t now = 0xFFFFFFF0u;
    cPlayClock clock([&now] { return now; });
    clock.setRate(60);
    clock.start();
    now += 8;
    EXPECT_FALSE(clock.poll()); // the due time 0 lies after the wrap
    now += 8;                   // wraps to 0
    EXPECT_TRUE(clock.poll());
    EXPECT_EQ(clock.last(), 0u);
}

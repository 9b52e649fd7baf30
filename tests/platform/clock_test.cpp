#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, SleepAdvancesTheMillisecondClock) {
    uint32_t before = platform::NowMilliseconds();
    platform::SleepMilliseconds(20);
    uint32_t after = platform::NowMilliseconds();
    // Unsigned difference, as callers must compute it across the 32-bit wrap.
    EXPECT_GE(uint32_t(after - before), 20u);
    platform::SleepMilliseconds(0); // yields and returns
    // Steady: consecutive readings never step back (a step back would show as a huge difference).
    uint32_t last = platform::NowMilliseconds();
    for (int i = 0; i < 1000; ++i) {
        uint32_t now = platform::NowMilliseconds();
        ASSERT_LT(uint32_t(now - last), 10000u);
        last = now;
    }
}

} // namespace

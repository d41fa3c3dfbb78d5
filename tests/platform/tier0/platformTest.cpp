// Clock, sleep and debugger detection of the tier0 stand-in.
#include "tier0/platform.h"

#include <gtest/gtest.h>

#include "tier0/standin.h"

namespace {

struct RealClockAfter {
    ~RealClockAfter() {
        Tier0_UseRealClock();
        Tier0_SetDebugSession(-1);
    }
};

}  // namespace

TEST(Tier0Platform, RealClockMovesForward) {
    RealClockAfter restore;
    double a = Plat_FloatTime();
    ThreadSleep(5);
    double b = Plat_FloatTime();
    EXPECT_GE(b - a, 0.004);
    EXPECT_FALSE(Tier0_IsClockManual());
}

TEST(Tier0Platform, ManualClockIsSetAndAdvancedExactly) {
    RealClockAfter restore;
    Tier0_SetClock(10.0);
    EXPECT_TRUE(Tier0_IsClockManual());
    EXPECT_DOUBLE_EQ(Plat_FloatTime(), 10.0);
    Tier0_AdvanceClock(0.25);
    EXPECT_DOUBLE_EQ(Plat_FloatTime(), 10.25);
    // A sleep on the manual clock moves time on instead of waiting.
    ThreadSleep(10);
    EXPECT_DOUBLE_EQ(Plat_FloatTime(), 10.26);
    Tier0_UseRealClock();
    EXPECT_FALSE(Tier0_IsClockManual());
}

TEST(Tier0Platform, TimeStampCounterFollowsTheClockAndMultipliers) {
    RealClockAfter restore;
    Tier0_SetClock(1.0);
    uint64_t start = Plat_Rdtsc();
    Tier0_AdvanceClock(0.5);
    uint64_t elapsed = Plat_Rdtsc() - start;
    EXPECT_NEAR(elapsed * g_ClockSpeedSecondsMultiplier, 0.5, 1e-6);
    EXPECT_NEAR(elapsed * g_ClockSpeedMillisecondsMultiplier, 500.0, 1e-3);
    EXPECT_NEAR(elapsed * g_ClockSpeedMicrosecondsMultiplier, 500000.0, 1.0);
    EXPECT_EQ(g_ClockSpeed, 1000000000ull);
}

TEST(Tier0Platform, DebugSessionCanBeForced) {
    RealClockAfter restore;
    Tier0_SetDebugSession(1);
    EXPECT_TRUE(Plat_IsInDebugSession());
    Tier0_SetDebugSession(0);
    EXPECT_FALSE(Plat_IsInDebugSession());
    Tier0_SetDebugSession(-1);
    (void)Plat_IsInDebugSession();  // asks the system; must simply answer
}

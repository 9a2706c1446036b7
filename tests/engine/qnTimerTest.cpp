#include <gtest/gtest.h>

#include <ctime>

#include "fake/fake_win32.h"
#include "qnTimer.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(TimerTest, DeltaIsTheTimeBetweenTheLastTwoUpdates)
{
    fake::SetTime(5'000'000);
    qnTimer kTimer;
    fake::AdvanceTime(250'000);
    kTimer.Update();
    EXPECT_DOUBLE_EQ(kTimer.GetDelta(), 0.25);
    fake::AdvanceTime(16'000);
    kTimer.Update();
    EXPECT_DOUBLE_EQ(kTimer.GetDelta(), 0.016);
    kTimer.Update();
    EXPECT_DOUBLE_EQ(kTimer.GetDelta(), 0.0);
}

TEST_F(TimerTest, CalendarFieldsAreThoseOfLocalTimeUnconverted)
{
    qnTimer kTimer;
    EXPECT_EQ(kTimer.GetYear(), 0);
    std::time_t iBefore = std::time(nullptr);
    kTimer.Update();
    std::tm kExpected = *std::localtime(&iBefore);
    // A second may tick between the two reads; the year and month do not change with it here.
    EXPECT_EQ(kTimer.GetYear(), kExpected.tm_year);
    EXPECT_EQ(kTimer.GetMonth(), kExpected.tm_mon);
    EXPECT_LE(kTimer.GetMonth(), 11);
    EXPECT_GE(kTimer.GetDay(), 1);
    EXPECT_LE(kTimer.GetHours(), 23);
    EXPECT_LE(kTimer.GetMinutes(), 59);
    EXPECT_LE(kTimer.GetSeconds(), 60);
}

}  // namespace

#include "navigation/navigation_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Hands out the given draws in order and fails the test on one draw too many.
struct ScriptedDraws {
    std::vector<int> draws;
    std::size_t nNext = 0;
    int Next()
    {
        if (nNext >= draws.size()) {
            ADD_FAILURE() << "draw " << nNext << " was not expected";
            return 1;
        }
        return draws[nNext++];
    }
    bool AllUsed() const { return nNext == draws.size(); }
};

NavigationState Moving(double dCourse, double dSpeed)
{
    NavigationState state;
    state.dCourse = dCourse;
    state.dSpeed = dSpeed;
    return state;
}

} // namespace

TEST(NavigationModel, StartingCourseComesFromTheFirstDrawWithBothEndsReachable)
{
    ScriptedDraws top{{32767}};
    const NavigationState start = StartNavigation(top);
    EXPECT_EQ(start.dCourse, NAV_TWO_PI);
    EXPECT_EQ(start.dSpeed, 0.0);
    EXPECT_EQ(start.pos, (NavPoint{0.0, 0.0}));

    ScriptedDraws bottom{{0}};
    EXPECT_EQ(StartNavigation(bottom).dCourse, 0.0);

    ScriptedDraws middle{{12345}};
    EXPECT_EQ(StartNavigation(middle).dCourse, 12345 * 6.283185307179586 * 3.051850947599719e-05);
}

TEST(NavigationModel, FirstTickDrawsOnlyTheSpeedAndNeverGoesBelowZero)
{
    SpeedHold hold;
    ScriptedDraws draws{{20000, 32767}};
    NavigationState state = StartNavigation(draws);
    NavigationTick(state, hold, draws);
    EXPECT_TRUE(draws.AllUsed()); // no jump draw while the speed is 0
    const double dExpected = (32767 * 3.051850947599719e-05 - 0.49) * 0.0013333333333333333;
    EXPECT_EQ(state.dSpeed, dExpected);
    EXPECT_EQ(state.dCourse, 20000 * NAV_TWO_PI * NAV_NORMALISER);
    EXPECT_EQ(state.pos.x, dExpected * std::sin(state.dCourse));
    EXPECT_EQ(state.pos.y, -(dExpected * std::cos(state.dCourse)));

    // A step that would go negative gives exactly +0.0, and the point stays.
    NavigationState slow = Moving(1.0, 0.0001);
    ScriptedDraws down{{1, 0}};
    NavigationTick(slow, hold, down);
    EXPECT_TRUE(down.AllUsed());
    EXPECT_EQ(slow.dSpeed, 0.0);
    EXPECT_FALSE(std::signbit(slow.dSpeed));
    EXPECT_EQ(slow.pos, (NavPoint{0.0, 0.0}));
}

TEST(NavigationModel, CeilingKeepsExactlyTheLimitAndResetsAnythingAbove)
{
    EXPECT_EQ(LimitSpeed(0.05), 0.05);
    EXPECT_EQ(LimitSpeed(std::nextafter(0.05, 1.0)), 0.048);
    EXPECT_EQ(LimitSpeed(-1e-300), 0.0);
    EXPECT_EQ(LimitSpeed(0.0), 0.0);

    SpeedHold hold;
    NavigationState fast = Moving(0.5, 0.05);
    ScriptedDraws up{{1, 32767}};
    NavigationTick(fast, hold, up);
    EXPECT_EQ(fast.dSpeed, 0.048);
    EXPECT_EQ(fast.pos.x, 0.048 * std::sin(0.5));
}

TEST(NavigationModel, JumpsHappenOnMultiplesOfThirtyAndWrapOnce)
{
    SpeedHold hold;
    auto jump = [](int r2) { return (r2 * NAV_NORMALISER - 0.5) * NAV_TWO_PI * 0.5; };

    // 31 is no multiple of 30: two draws, the course bit for bit unchanged.
    NavigationState straight = Moving(1.25, 0.01);
    ScriptedDraws noJump{{31, 16000}};
    NavigationTick(straight, hold, noJump);
    EXPECT_TRUE(noJump.AllUsed());
    EXPECT_EQ(straight.dCourse, 1.25);

    NavigationState turning = Moving(1.25, 0.01);
    ScriptedDraws inRange{{60, 24000, 16000}};
    NavigationTick(turning, hold, inRange);
    EXPECT_TRUE(inRange.AllUsed());
    EXPECT_EQ(turning.dCourse, 1.25 + jump(24000));

    // Above 2 pi: reduced once.
    NavigationState overTop = Moving(6.0, 0.01);
    ScriptedDraws over{{0, 32767, 16000}};
    NavigationTick(overTop, hold, over);
    EXPECT_EQ(overTop.dCourse, (6.0 + jump(32767)) - NAV_TWO_PI);

    // Below 0: raised once.
    NavigationState underBottom = Moving(0.2, 0.01);
    ScriptedDraws under{{30, 0, 16000}};
    NavigationTick(underBottom, hold, under);
    EXPECT_EQ(underBottom.dCourse, (0.2 + jump(0)) + NAV_TWO_PI);
    EXPECT_GT(underBottom.dCourse, 0.0);

    // Landing on exactly 2 pi stays there.
    const double dStep = jump(16384);
    const double dBefore = NAV_TWO_PI - dStep;
    ASSERT_EQ(dBefore + dStep, NAV_TWO_PI);
    NavigationState onTop = Moving(dBefore, 0.01);
    ScriptedDraws exact{{90, 16384, 16000}};
    NavigationTick(onTop, hold, exact);
    EXPECT_EQ(onTop.dCourse, NAV_TWO_PI);
}

TEST(NavigationModel, HoldKeepsTheSpeedAtZeroForFiftyTicksThenTheWalkResumes)
{
    SpeedHold hold;
    NavigationState state = Moving(2.0, 0.03);
    state.pos = {0.5, -0.25};
    hold.Request();
    EXPECT_EQ(hold.HoldTicks(), 50);

    // The first held tick still makes the jump check: the speed was above 0.
    ScriptedDraws firstHeld{{7}};
    NavigationTick(state, hold, firstHeld);
    EXPECT_TRUE(firstHeld.AllUsed());
    EXPECT_EQ(state.dSpeed, 0.0);
    EXPECT_EQ(hold.HoldTicks(), 49);

    // Then at speed 0 nothing is drawn and nothing moves or turns.
    ScriptedDraws none{{}};
    for (int i = 0; i < 49; ++i)
        NavigationTick(state, hold, none);
    EXPECT_EQ(hold.HoldTicks(), 0);
    EXPECT_EQ(state.dCourse, 2.0);
    EXPECT_EQ(state.pos, (NavPoint{0.5, -0.25}));

    ScriptedDraws resumed{{32767}};
    NavigationTick(state, hold, resumed);
    EXPECT_TRUE(resumed.AllUsed());
    EXPECT_EQ(state.dSpeed, (32767 * NAV_NORMALISER - NAV_SPEED_OFFSET) * NAV_SPEED_STEP);
}

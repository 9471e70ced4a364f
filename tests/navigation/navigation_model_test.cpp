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

// The expected values below come from tools/model-sequences.py navigation-ticks, which computes
// them on its own from the rules.

TEST(NavigationModel, StartingCourseComesFromTheFirstDrawWithBothEndsReachable)
{
    const struct {
        int nDraw;
        double dCourse;
    } cases[] = {
        {0, 0x0.0p+0},
        {12345, 0x1.2f004a31374b1p+1},
        {32767, 0x1.921fb54442d18p+2},
    };
    for (const auto& c : cases) {
        ScriptedDraws draws{{c.nDraw}};
        const NavigationState start = StartNavigation(draws);
        EXPECT_EQ(start.dCourse, c.dCourse) << c.nDraw;
        EXPECT_EQ(start.dSpeed, 0.0);
        EXPECT_EQ(start.pos, (NavPoint{0.0, 0.0}));
    }
}

TEST(NavigationModel, OneTickDrawsInOrderJumpsOnMultiplesOfThirtyWrapsOnceAndKeepsTheSpeedInBounds)
{
    struct Case {
        const char* pszWhat;
        double dCourse;
        double dSpeed;
        std::vector<int> draws;
        double dCourseAfter;
        double dSpeedAfter;
        NavPoint posAfter;
    };
    const Case cases[] = {
        {"first tick: no jump draw at speed 0", 0x1.eae38a8ce8aa9p+1, 0.0, {32767},
         0x1.eae38a8ce8aa9p+1, 0x1.64840e1719f7fp-11, {-0x1.c7c7b84e8f91bp-12, 0x1.122bbd01d442cp-11}},
        {"a step below 0 gives +0.0", 1.0, 0.0001, {1, 0},
         1.0, 0.0, {0.0, 0.0}},
        {"above the ceiling: 0.048", 0.5, 0.05, {1, 32767},
         0.5, 0.048, {0x1.79091c1c2d575p-6, -0x1.59145a6aca9f8p-5}},
        {"31: no jump", 1.25, 0.01, {31, 16000},
         1.25, 0x1.479b05d4ce77ep-7, {0x1.36e483c2957b9p-7, -0x1.9d34974ba865fp-9}},
        {"60: a jump", 1.25, 0.01, {60, 24000, 16000},
         0x1.faf15764d461ap+0, 0x1.479b05d4ce77ep-7, {0x1.2c869c101993bp-7, 0x1.04d78b84920fcp-8}},
        {"a jump above 2 pi", 6.0, 0.01, {0, 32767, 16000},
         0x1.49a0e033378b8p+0, 0x1.479b05d4ce77ep-7, {0x1.3a8e9f90b2b7fp-7, -0x1.6e26fbdadd8bep-9}},
        {"a jump below 0", 0.2, 0.01, {30, 0, 16000},
         0x1.3a6494bffee9fp+2, 0x1.479b05d4ce77ep-7, {-0x1.411344191cae9p-7, -0x1.0457389e3f201p-9}},
        {"a jump onto exactly 2 pi stays", 0x1.921eec32d60c8p+2, 0.01, {90, 16384, 16000},
         0x1.921fb54442d18p+2, 0x1.479b05d4ce77ep-7, {-0x1.695eacb4a8179p-59, -0x1.479b05d4ce77ep-7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        SpeedHold hold;
        NavigationState state = Moving(c.dCourse, c.dSpeed);
        ScriptedDraws draws{c.draws};
        NavigationTick(state, hold, draws);
        EXPECT_TRUE(draws.AllUsed());
        EXPECT_EQ(state.dCourse, c.dCourseAfter);
        EXPECT_EQ(state.dSpeed, c.dSpeedAfter);
        EXPECT_FALSE(std::signbit(state.dSpeed));
        EXPECT_EQ(state.pos.x, c.posAfter.x);
        EXPECT_EQ(state.pos.y, c.posAfter.y);
    }
}

TEST(NavigationModel, CeilingKeepsExactlyTheLimitAndResetsAnythingAbove)
{
    EXPECT_EQ(LimitSpeed(0.05), 0.05);
    EXPECT_EQ(LimitSpeed(std::nextafter(0.05, 1.0)), 0.048);
    EXPECT_EQ(LimitSpeed(-1e-300), 0.0);
    EXPECT_EQ(LimitSpeed(0.0), 0.0);
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
    EXPECT_EQ(state.dSpeed, 0x1.64840e1719f7fp-11);
    EXPECT_EQ(state.pos, (NavPoint{0x1.00510b73afb4dp-1, -0x1.ff6ba3166e164p-3}));
}

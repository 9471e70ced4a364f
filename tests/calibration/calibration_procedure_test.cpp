#include "calibration/calibration_procedure.h"

#include "resources/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct RecordingHost : ICalibrationHost {
    std::vector<std::string> calls;
    bool bOnMains = false;
    int nOnMainsQueries = 0;
    void StartDiskWorker() override { calls.push_back("StartDiskWorker"); }
    void StopDiskWorker() override { calls.push_back("StopDiskWorker"); }
    bool OnMains() override
    {
        ++nOnMainsQueries;
        return bOnMains;
    }
    void SetCalibrated(bool b) override { calls.push_back(b ? "SetCalibrated(true)" : "SetCalibrated(false)"); }
    void StartLegTimer() override { calls.push_back("StartLegTimer"); }
    void StopLegTimer() override { calls.push_back("StopLegTimer"); }
    void RepaintNow() override {}
    void Invalidate() override { calls.push_back("Invalidate"); }
    void ShowFailure(unsigned nId) override { calls.push_back("ShowFailure(" + std::to_string(nId) + ")"); }
    void ReturnToStart() override { calls.push_back("ReturnToStart"); }

    bool Called(const std::string& strCall) const
    {
        return std::find(calls.begin(), calls.end(), strCall) != calls.end();
    }
};

struct Walk {
    RecordingHost host;
    CalibrationProcedure procedure;
    explicit Walk(int nDirection = +1, int nModelDirection = +1) : procedure(host, nDirection, nModelDirection) {}

    // Presses a key to start the leg, lets nTicks pass, presses a key to end it.
    void Leg(int nTicks)
    {
        procedure.KeyPress();
        for (int i = 0; i < nTicks; ++i)
            procedure.Tick();
        procedure.KeyPress();
    }
    // Walks legs in time up to (not including) leg number nLeg, from state 1.
    void LegsInTime(int nLegs)
    {
        for (int i = 0; i < nLegs; ++i)
            Leg(i % 2 == 0 ? 84 : 24);
    }
};

} // namespace

TEST(CalibrationProcedure, AcceptedTickRangesOfWalksAndTurns)
{
    struct Case {
        int nWalkTicks;
        int nTurnTicks;
        bool bAccepted;
    };
    for (const Case& c : {Case{63, 24, false}, Case{64, 24, true}, Case{104, 24, true}, Case{105, 24, false},
                          Case{84, 3, false}, Case{84, 4, true}, Case{84, 44, true}, Case{84, 45, false}}) {
        Walk walk;
        walk.procedure.KeyPress(); // 0 -> 1
        walk.Leg(c.nWalkTicks);
        if (walk.procedure.State() == 3)
            walk.Leg(c.nTurnTicks);
        const bool bAccepted = walk.procedure.State() == 5;
        EXPECT_EQ(bAccepted, c.bAccepted) << c.nWalkTicks << " " << c.nTurnTicks;
        if (!c.bAccepted) {
            EXPECT_EQ(walk.procedure.State(), CalibrationProcedure::STATE_FAILED);
            EXPECT_TRUE(walk.host.Called("ShowFailure(1015)"));
            EXPECT_EQ(walk.host.calls.back(), "ReturnToStart");
        }
    }
}

TEST(CalibrationProcedure, TwoQuickPressesFail)
{
    Walk walk;
    walk.procedure.KeyPress();
    walk.procedure.KeyPress();
    walk.procedure.KeyPress();
    EXPECT_EQ(walk.procedure.State(), CalibrationProcedure::STATE_FAILED);
    EXPECT_TRUE(walk.host.Called("ShowFailure(1015)"));
}

TEST(CalibrationProcedure, FullWalkInTimeOnBatteryCalibrates)
{
    Walk walk;
    walk.procedure.KeyPress();
    EXPECT_EQ(walk.host.calls, std::vector<std::string>{"StartDiskWorker"});
    EXPECT_EQ(walk.procedure.State(), 1);
    walk.LegsInTime(8);
    EXPECT_EQ(walk.procedure.State(), CalibrationProcedure::STATE_SUCCEEDED);
    EXPECT_EQ(walk.host.nOnMainsQueries, 1);
    EXPECT_FALSE(walk.host.Called("Invalidate"));
    ASSERT_GE(walk.host.calls.size(), 2u);
    EXPECT_EQ(walk.host.calls[walk.host.calls.size() - 2], "StopDiskWorker");
    EXPECT_EQ(walk.host.calls.back(), "SetCalibrated(true)");
    EXPECT_FALSE(walk.procedure.LegTimed());

    walk.host.calls.clear();
    walk.procedure.KeyPress();
    EXPECT_EQ(walk.host.calls, (std::vector<std::string>{"StopDiskWorker", "ReturnToStart"}));
}

TEST(CalibrationProcedure, EveryLegStartClearsTheCalibration)
{
    Walk walk;
    walk.procedure.KeyPress();
    EXPECT_FALSE(walk.host.Called("SetCalibrated(false)"));
    walk.procedure.KeyPress(); // the north walk starts
    EXPECT_EQ(walk.host.calls.back(), "StartLegTimer");
    EXPECT_EQ(walk.host.calls[walk.host.calls.size() - 2], "SetCalibrated(false)");
}

TEST(CalibrationProcedure, MainsAtTheNorthWalksStartFailsAfterTheEastWalk)
{
    Walk walk;
    walk.host.bOnMains = true;
    walk.procedure.KeyPress();
    walk.LegsInTime(2);
    EXPECT_EQ(walk.procedure.State(), 5);
    walk.host.bOnMains = false; // a later change of power does not count
    walk.LegsInTime(1);
    EXPECT_EQ(walk.procedure.State(), CalibrationProcedure::STATE_FAILED);
    EXPECT_TRUE(walk.host.Called("ShowFailure(1017)"));
    EXPECT_EQ(walk.host.nOnMainsQueries, 1);
}

TEST(CalibrationProcedure, WrongDirectionFailsAfterTheSecondTurnUnlessItsTimingFailedFirst)
{
    Walk walk(-1, +1);
    walk.procedure.KeyPress();
    walk.LegsInTime(3);
    EXPECT_EQ(walk.procedure.State(), 7);
    walk.Leg(24);
    EXPECT_EQ(walk.procedure.State(), CalibrationProcedure::STATE_FAILED);
    EXPECT_TRUE(walk.host.Called("ShowFailure(1016)"));

    Walk late(-1, +1);
    late.procedure.KeyPress();
    late.LegsInTime(3);
    late.Leg(45);
    EXPECT_TRUE(late.host.Called("ShowFailure(1015)"));
    EXPECT_FALSE(late.host.Called("ShowFailure(1016)"));
}

TEST(CalibrationProcedure, FailureOrderOfEffects)
{
    Walk walk;
    walk.procedure.KeyPress();
    walk.Leg(10);
    const std::vector<std::string> tail(walk.host.calls.end() - 5, walk.host.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"StopLegTimer", "Invalidate", "StopDiskWorker", "ShowFailure(1015)",
                                              "ReturnToStart"}));
}

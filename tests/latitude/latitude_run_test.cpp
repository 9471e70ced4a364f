#include "latitude/latitude_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A run on a simulated clock: every 50 ms step advances it, so 24 hours pass in milliseconds.
struct SimulatedRun : ILatitudeRunHost {
    std::int64_t nStartSeconds = 1'700'000'000;
    std::int64_t nElapsedMs = 0;
    bool bWindowAlive = true;
    bool bStopped = false;
    int nImplausible = 0;
    int nReturnRequests = 0;
    bool bDiskStopped = false;
    int nReports = 0;
    LatPoint reported;
    std::vector<LatPoint> stored;
    std::vector<int> storedAccuracy;
    int nSteps = 0;
    std::function<void()> onStep;

    bool WindowAlive() override { return bWindowAlive; }
    bool Stopped() override { return bStopped; }
    std::int64_t Now() override { return nStartSeconds + nElapsedMs / 1000; }
    void Sleep50Milliseconds() override { nElapsedMs += 50; }
    void DrawMarker(const LatPoint& point, bool bStore, int nAccuracy) override
    {
        ++nSteps;
        if (bStore) {
            stored.push_back(point);
            storedAccuracy.push_back(nAccuracy);
        }
        if (onStep)
            onStep();
    }
    void ShowImplausibleValues() override { ++nImplausible; }
    void RequestReturnToStart() override
    {
        ++nReturnRequests;
        bStopped = true; // the page stops the run when it handles the request
    }
    void StopDiskLoad() override { bDiskStopped = true; }
    void ShowReport(const LatPoint& last) override
    {
        ++nReports;
        reported = last;
    }
};

// One stored cycle: its counter, accuracy, target and angle.
struct GoldenCycle {
    int nCounter;
    int nAccuracy;
    double dTarget;
    double dAngle;
};

template <std::size_t N>
void ExpectCycles(const SimulatedRun& run, const GoldenCycle (&expected)[N])
{
    for (const GoldenCycle& cycle : expected) {
        const std::size_t i = static_cast<std::size_t>(cycle.nCounter - 1) / 20;
        ASSERT_LT(i, run.stored.size()) << cycle.nCounter;
        EXPECT_EQ(run.storedAccuracy[i], cycle.nAccuracy) << cycle.nCounter;
        EXPECT_EQ(run.stored[i].value, cycle.dTarget) << cycle.nCounter;
        EXPECT_EQ(run.stored[i].angle, cycle.dAngle) << cycle.nCounter;
    }
}

} // namespace

TEST(LatitudeRun, AccuracyAndDampingFollowTheCounter)
{
    EXPECT_EQ(LatitudeAccuracy(1), 1);
    EXPECT_EQ(LatitudeAccuracy(34'559), 1);
    EXPECT_EQ(LatitudeAccuracy(34'560), 2);
    EXPECT_EQ(LatitudeAccuracy(1'727'999), 99);
    EXPECT_EQ(LatitudeAccuracy(1'728'000), 100);
    EXPECT_EQ(LatitudeAccuracy(5'000'000), 100);
    EXPECT_EQ(DampingDivisor(20), 1.0);
    EXPECT_EQ(DampingDivisor(21), 1.0125);
    EXPECT_EQ(DampingDivisor(100), 2.0);
}

TEST(LatitudeRun, FullDayStoresOnePointPerCycleAndEndsWithTheReport)
{
    SimulatedRun run;
    RunLatitudeMeasurement(run, +1, +1);
    // Each cycle takes exactly one simulated second.
    EXPECT_EQ(run.stored.size(), 86'400u);
    EXPECT_EQ(run.nSteps, 86'400 * 20);
    EXPECT_EQ(run.storedAccuracy.front(), 1);
    EXPECT_EQ(run.storedAccuracy.back(), 99);
    EXPECT_TRUE(run.bDiskStopped);
    ASSERT_EQ(run.nReports, 1);
    EXPECT_EQ(run.reported.value, run.stored.back().value);
    EXPECT_EQ(run.nImplausible, 0);

    // Cycle by cycle against values that tools/model-sequences.py computes on its own from the
    // rules: seeded with the start time, the draws in order, the damping from accuracy 21 on,
    // the angle from the time of day.
    const GoldenCycle expected[] = {
        {1, 1, 0x1.5e5dbcbb7976fp+0, 0x1.74563f8b0e762p+2},
        {21, 1, 0x1.100c201840308p-1, 0x1.7457708fc3f31p+2},
        {41, 1, 0x1.310f621ec43d8p+0, 0x1.7458a19479701p+2},
        {34541, 1, 0x1.5b53b6a76d4eep+0, 0x1.7c5fee4f648cbp+2},
        {34561, 2, 0x1.3086610cc2198p-1, 0x1.7c611f541a09ap+2},
        {362861, 20, 0x1.ed9f0e715015dp-1, 0x1.b53c38087da77p-1},
        {362881, 21, 0x1.21781192fa5cep+0, 0x1.b545c02e298f4p-1},
        {1727981, 99, 0x1.ecfffcde4b588p-1, 0x1.74550e8658f92p+2},
    };
    ExpectCycles(run, expected);
    EXPECT_EQ(run.reported.value, 0x1.ecfffcde4b588p-1);
}

TEST(LatitudeRun, AnimationMovesInNineteenStepsTowardsTheTarget)
{
    std::vector<double> values;
    struct Recording : SimulatedRun {
        std::vector<double>* pValues = nullptr;
        void DrawMarker(const LatPoint& point, bool bStore, int nAccuracy) override
        {
            pValues->push_back(point.value);
            SimulatedRun::DrawMarker(point, bStore, nAccuracy);
        }
    } recording;
    recording.pValues = &values;
    recording.onStep = [&recording] {
        if (recording.nSteps == 20)
            recording.bWindowAlive = false;
    };
    RunLatitudeMeasurement(recording, +1, +1);
    ASSERT_EQ(values.size(), 20u);
    const double dTarget = values.back();
    for (int i = 0; i < 19; ++i)
        EXPECT_DOUBLE_EQ(values[i], 1.0 + (dTarget - 1.0) * (i + 1) * 0.05) << i;
    // The window went away without a stop: the program is closing, no report.
    EXPECT_EQ(recording.nReports, 0);
    EXPECT_TRUE(recording.bDiskStopped);
}

TEST(LatitudeRun, WrongDirectionIsImplausibleFromTheCycleWithCounter2401)
{
    SimulatedRun run;
    RunLatitudeMeasurement(run, -1, +1);
    EXPECT_EQ(run.nImplausible, 1);
    EXPECT_EQ(run.nReturnRequests, 1);
    // Cycles with counters 1, 21, ..., 2381 are complete; the 121st shows the message.
    EXPECT_EQ(run.stored.size(), 120u);
    EXPECT_EQ(run.nReports, 0);
    // The same draws as with the right direction; the marker circles anticlockwise.
    const GoldenCycle expected[] = {
        {1, 1, 0x1.5e5dbcbb7976fp+0, -0x1.74563f8b0e762p+2},
        {2381, 1, 0x1.060c0c1818303p-1, -0x1.74e408bb6b8e1p+2},
    };
    ExpectCycles(run, expected);
}

TEST(LatitudeRun, StopDuringTheAnimationEndsWithoutAStoredPointOrReport)
{
    SimulatedRun run;
    run.onStep = [&run] {
        if (run.nSteps == 25)
            run.bStopped = true;
    };
    RunLatitudeMeasurement(run, +1, +1);
    EXPECT_EQ(run.stored.size(), 1u);
    EXPECT_EQ(run.nSteps, 25);
    EXPECT_EQ(run.nReports, 0);
    EXPECT_TRUE(run.bDiskStopped);
}

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

    // The first estimate scatters by up to half a unit, the last narrowly.
    EXPECT_LE(std::abs(run.stored.front().value - 1.0), 0.5);
    EXPECT_LE(std::abs(run.stored.back().value - 1.0), 0.1);
    // Clockwise once a day: the angle follows the time of day.
    const double dExpectedAngle = static_cast<double>((run.nStartSeconds + 1) % 86400) * 6.283185307179586 *
                                  1.1574074074074073e-05;
    EXPECT_DOUBLE_EQ(run.stored[1].angle, dExpectedAngle);
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
    EXPECT_LT(run.stored[5].angle, 0.0); // anticlockwise
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

#include "latitude/latitude_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Simulated time: every animation step moves it on by nSecondsPerStep.
struct SteppingClock : ILatitudeClock {
    explicit SteppingClock(std::int64_t nSeconds) : nSecondsPerStep(nSeconds) {}
    const std::int64_t nSecondsPerStep;
    std::atomic<std::int64_t> nNow{1'700'000'000};
    std::int64_t nSleeps = 0;
    std::function<void(std::int64_t nSleep)> afterSleep = [](std::int64_t) {};
    std::int64_t Now() override { return nNow; }
    void Sleep50Milliseconds() override
    {
        nNow += nSecondsPerStep;
        afterSleep(++nSleeps);
    }
};

// What the thread handed over, in the order it came.
struct Handed {
    std::mutex mutex;
    std::vector<std::string> events;
    std::size_t Count()
    {
        std::lock_guard lock(mutex);
        return events.size();
    }
};

LatitudeThreadServices Recording(Handed& handed, const std::shared_ptr<LatitudeVisit>& pVisit)
{
    auto add = [&handed](std::string strEvent) {
        std::lock_guard lock(handed.mutex);
        handed.events.push_back(std::move(strEvent));
    };
    return {[add](const LatitudeMarker& marker) { add(marker.bStore ? "point" : "step"); },
            [add] { add("return"); }, [add] { add("implausible"); },
            [add, pVisit](const std::string& strReport) {
                const bool bNamesDrive = strReport.find("Plattentyp:\tTOSHIBA MK4019GAX\r\nDrehrichtung:\trechts\r\n") !=
                                         std::string::npos;
                add(std::string(pVisit->m_bDiskRun ? "report, disk busy" : "report") +
                    (bNamesDrive ? "" : ", drive missing"));
            }};
}

} // namespace

TEST(LatitudeThread, HeldAndStoppedItEndsWithoutAnotherStepAndARunToTheEndOffersItsReportLast)
{
    const LatitudeDrive drive{"TOSHIBA MK4019GAX", +1, +1};
    {
        auto pVisit = std::make_shared<LatitudeVisit>();
        pVisit->m_bDiskRun = true;
        SteppingClock clock(1);
        // The hold comes between two steps, as the page's would; asked for from the test's thread,
        // it could come after a day of simulated steps had already run out.
        clock.afterSleep = [&pVisit](std::int64_t nSleep) {
            if (nSleep == 30)
                pVisit->m_gate.Hold();
        };
        Handed handed;
        std::thread thread(LatitudeThreadProc, pVisit, std::ref(clock), LatitudeLocation{}, drive,
                           Recording(handed, pVisit));
        ASSERT_TRUE(pVisit->m_gate.WaitUntilParked(1, std::chrono::seconds(20)));
        const std::size_t nAtHold = handed.Count();
        EXPECT_GE(nAtHold, 30u);
        EXPECT_TRUE(pVisit->m_bMeasuring);
        pVisit->m_bStop = true;
        pVisit->m_gate.Release();
        thread.join();
        EXPECT_EQ(handed.Count(), nAtHold);
        EXPECT_EQ(pVisit->m_nPostedSteps, nAtHold);
        EXPECT_FALSE(pVisit->m_bMeasuring);
        EXPECT_FALSE(pVisit->m_bDiskRun);
    }
    {
        // 1,000 s a step: the day is over after five cycles of 20 steps each.
        auto pVisit = std::make_shared<LatitudeVisit>();
        pVisit->m_bDiskRun = true;
        SteppingClock clock(1'000);
        Handed handed;
        LatitudeThreadProc(pVisit, clock, LatitudeLocation{}, drive, Recording(handed, pVisit));
        std::vector<std::string> expected;
        for (int nCycle = 0; nCycle < 5; ++nCycle) {
            expected.insert(expected.end(), 19, "step");
            expected.push_back("point");
        }
        expected.push_back("report");
        EXPECT_EQ(handed.events, expected);
        EXPECT_FALSE(pVisit->m_bMeasuring);
    }
}

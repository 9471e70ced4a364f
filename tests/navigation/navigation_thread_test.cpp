#include "app/rand15.h"
#include "navigation/navigation_model.h"
#include "navigation/navigation_thread.h"
#include "stepped_pauses.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr std::int64_t s_nNow = 1'700'000'000;

// What the thread published, as the page would receive it.
struct PublishedUpdates {
    mutable std::mutex mutex;
    std::vector<NavigationUpdate> updates;
    std::vector<int> niceValues;

    std::function<void(const NavigationUpdate&)> Function()
    {
        return [this](const NavigationUpdate& update) {
            std::lock_guard lock(mutex);
            updates.push_back(update);
            niceValues.push_back(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())));
        };
    }
    std::size_t Count() const
    {
        std::lock_guard lock(mutex);
        return updates.size();
    }
};

// One visit's measurement thread, run on simulated pauses.
struct VisitThread {
    std::shared_ptr<VisitControl> pControl = std::make_shared<VisitControl>();
    PublishedUpdates published;
    std::thread thread;

    void Start(SpeedHold& hold, SteppedPauses& pauses)
    {
        pControl->m_bDiskRun = true;
        thread = std::thread(NavigationThreadProc, pControl, std::ref(hold),
                             NavigationThreadServices{[] { return s_nNow; }, pauses.Function(), published.Function()});
    }
};

bool SameUpdate(const NavigationUpdate& a, const NavigationUpdate& b)
{
    return a.pos == b.pos && a.dCourse == b.dCourse && a.dSpeed == b.dSpeed;
}

} // namespace

TEST(NavigationThread, TicksAtOnceThenAfterEveryPauseAndEndsAtAStopWithoutAnotherUpdate)
{
    SpeedHold hold;
    SteppedPauses pauses;
    VisitThread visit;
    visit.Start(hold, pauses);

    ASSERT_TRUE(pauses.WaitForPause(1));
    EXPECT_EQ(visit.published.Count(), 1u);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(pauses.Step());

    // The same sequence as the model seeded with the time at thread start.
    Rand15 rand(static_cast<std::uint32_t>(s_nNow));
    SpeedHold noHold;
    NavigationState expected = StartNavigation(rand);
    {
        std::lock_guard lock(visit.published.mutex);
        ASSERT_EQ(visit.published.updates.size(), 4u);
        for (const NavigationUpdate& update : visit.published.updates) {
            NavigationTick(expected, noHold, rand);
            EXPECT_TRUE(SameUpdate(update, {expected.pos, expected.dCourse, expected.dSpeed}));
        }
        // Below normal: one nice step above the thread that started it.
        const int nExpectedNice = std::min(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())) + 1, 19);
        for (int nNice : visit.published.niceValues)
            EXPECT_EQ(nNice, nExpectedNice);
    }
    EXPECT_EQ(pauses.Durations(), std::vector<std::chrono::milliseconds>(4, std::chrono::milliseconds(100)));
    EXPECT_TRUE(visit.pControl->m_bDiskRun);

    // Cancelled during the fourth pause: it ends when the pause does, with no fifth update.
    visit.pControl->m_bStop = true;
    pauses.EndOne();
    visit.thread.join();
    EXPECT_EQ(visit.published.Count(), 4u);
    EXPECT_EQ(pauses.Begun(), 4);
    EXPECT_FALSE(visit.pControl->m_bDiskRun);
}

TEST(NavigationThread, DestroyedWindowEndsItAndClearsTheRunFlag)
{
    SpeedHold hold;
    SteppedPauses pauses;
    VisitThread visit;
    visit.Start(hold, pauses);
    ASSERT_TRUE(pauses.WaitForPause(1));
    visit.pControl->m_bWindowAlive = false;
    pauses.EndOne();
    visit.thread.join();
    EXPECT_EQ(visit.published.Count(), 1u);
    EXPECT_FALSE(visit.pControl->m_bStop);
    EXPECT_FALSE(visit.pControl->m_bDiskRun);
}

TEST(NavigationThread, OldVisitsLateEndLeavesTheNextVisitAlone)
{
    SpeedHold hold;
    SteppedPauses pauses;
    VisitThread oldVisit;
    oldVisit.Start(hold, pauses);
    ASSERT_TRUE(pauses.WaitForPause(1));

    // The page is left and entered again while the old thread still pauses.
    oldVisit.pControl->m_bWindowAlive = false;
    VisitThread newVisit;
    hold.Request();
    newVisit.Start(hold, pauses);
    ASSERT_TRUE(pauses.WaitForPause(2));
    EXPECT_EQ(newVisit.published.Count(), 1u);
    EXPECT_EQ(hold.HoldTicks(), 49); // the new visit's first tick used one held tick

    pauses.EndOne(); // the old thread's pause: it was the first to begin
    oldVisit.thread.join();
    EXPECT_EQ(oldVisit.published.Count(), 1u);
    EXPECT_FALSE(oldVisit.pControl->m_bDiskRun);
    EXPECT_TRUE(newVisit.pControl->m_bDiskRun);
    EXPECT_EQ(hold.HoldTicks(), 49);
    EXPECT_EQ(newVisit.published.Count(), 1u);

    newVisit.pControl->m_bStop = true;
    pauses.EndAll();
    newVisit.thread.join();
    EXPECT_FALSE(newVisit.pControl->m_bDiskRun);
}

TEST(NavigationThread, HeldAcrossTheQuestionItGoesOnAfterNoAndEndsAfterYes)
{
    SpeedHold hold;
    SteppedPauses pauses;
    VisitThread visit;
    visit.Start(hold, pauses);
    ASSERT_TRUE(pauses.WaitForPause(1));

    // "No": held, its pause ends while held, let go: the next tick follows.
    visit.pControl->m_gate.Hold();
    pauses.EndOne();
    visit.pControl->m_gate.Release();
    ASSERT_TRUE(pauses.WaitForPause(2));
    EXPECT_EQ(visit.published.Count(), 2u);

    // "Yes": stopped while held, then let go: no further update.
    visit.pControl->m_gate.Hold();
    pauses.EndOne();
    visit.pControl->m_bStop = true;
    visit.pControl->m_gate.Release();
    visit.thread.join();
    EXPECT_EQ(visit.published.Count(), 2u);
    EXPECT_FALSE(visit.pControl->m_bDiskRun);
}

TEST(NavigationThread, ClickRacingTheTicksNeverLosesTheHold)
{
    SpeedHold hold;
    std::atomic<long> nTicks{0};
    auto pControl = std::make_shared<VisitControl>();
    std::thread thread(NavigationThreadProc, pControl, std::ref(hold),
                       NavigationThreadServices{[] { return s_nNow; }, [](std::chrono::milliseconds) { std::this_thread::yield(); },
                                                [&nTicks](const NavigationUpdate&) { ++nTicks; }});

    for (int i = 0; i < 3000; ++i) {
        const long nBefore = nTicks;
        hold.Request();
        const int nHeld = hold.HoldTicks();
        const long nAfter = nTicks;
        // Each tick since the click takes one held tick, and at most one tick is
        // between its count and its update; a lost click would leave fewer.
        ASSERT_LE(nHeld, 50);
        ASSERT_GE(nHeld + (nAfter - nBefore) + 1, 50) << "round " << i;
        for (int j = 0; j < i % 64; ++j)
            std::this_thread::yield();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (hold.HoldTicks() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(hold.HoldTicks(), 0);
    pControl->m_bStop = true;
    thread.join();
}

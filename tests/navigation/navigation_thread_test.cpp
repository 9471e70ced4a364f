#include "navigation/navigation_thread.h"
#include "stepped_pauses.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
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

    {
        std::lock_guard lock(visit.published.mutex);
        ASSERT_EQ(visit.published.updates.size(), 4u);
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

// The ticks of a thread seeded with the time at its start, bit for bit against values that
// tools/model-sequences.py computes on its own from the rules: the generator, the seed, every
// constant and the order of the draws, through a hold, course jumps and wraps and the ceiling.
TEST(NavigationThread, SeededTicksMatchTheIndependentReferenceBitForBit)
{
    struct Row {
        int nTick;
        NavPoint pos;
        double dCourse;
        double dSpeed;
    };
    // seed 1700000000, "Geschw. auf 0" clicked after tick 40, 6000 ticks
    const Row expected[] = {
        {1, {0x0.0p+0, 0x0.0p+0}, 0x1.5d4abd2bd0d15p+2, 0x0.0p+0},
        {2, {-0x1.9e599f2eb318fp-13, -0x1.7e62322cd68fdp-13}, 0x1.5d4abd2bd0d15p+2, 0x1.19ea1e33c1325p-12},
        {3, {-0x1.a3a3a4a6179ccp-13, -0x1.8343c1ae8af71p-13}, 0x1.5d4abd2bd0d15p+2, 0x1.cc9f770ed0d80p-19},
        {40, {-0x1.4db8ba35c3e60p-5, -0x1.33f9b772635c6p-5}, 0x1.5d4abd2bd0d15p+2, 0x1.aef5a1b1b3669p-9},
        {41, {-0x1.4db8ba35c3e60p-5, -0x1.33f9b772635c6p-5}, 0x1.5d4abd2bd0d15p+2, 0x0.0p+0}, // held
        {90, {-0x1.4db8ba35c3e60p-5, -0x1.33f9b772635c6p-5}, 0x1.5d4abd2bd0d15p+2, 0x0.0p+0}, // held
        {91, {-0x1.4db8ba35c3e60p-5, -0x1.33f9b772635c6p-5}, 0x1.5d4abd2bd0d15p+2, 0x0.0p+0},
        {103, {-0x1.63243587521f8p-5, -0x1.4564a0a11224ep-5}, 0x1.46cccf2e03f30p+2, 0x1.4107d535c22d6p-11}, // jump
        {361, {-0x1.6b3d8774bf232p-2, -0x1.37ebbe4ac38e3p-8}, 0x1.cf3a2cde2f450p-1, 0x1.b768cb9457740p-9}, // jump, wrap down
        {934, {-0x1.76da15b397c47p-1, 0x1.754dc3dc0a821p+1}, 0x1.3f1faee0f6c67p+2, 0x1.3e42608e79bbap-6}, // jump, wrap up
        {2197, {0x1.91c1dfcf4e7a0p+2, 0x1.56bbf16e59889p+4}, 0x1.52b2ad23b3e48p+2, 0x1.89374bc6a7efap-5}, // ceiling reset
        {6000, {0x1.96c70ee66f6e4p+2, -0x1.10e825fb3032bp+4}, 0x1.4543501426738p-1, 0x1.8e617f3ac2d27p-5},
    };
    constexpr std::size_t s_nTicks = 6000;
    SpeedHold hold;
    auto pControl = std::make_shared<VisitControl>();
    std::vector<NavigationUpdate> updates;
    updates.reserve(s_nTicks);
    std::thread thread(NavigationThreadProc, pControl, std::ref(hold),
                       NavigationThreadServices{[] { return s_nNow; }, [](std::chrono::milliseconds) {},
                                                [&](const NavigationUpdate& update) {
                                                    updates.push_back(update);
                                                    if (updates.size() == 40)
                                                        hold.Request();
                                                    if (updates.size() == s_nTicks)
                                                        pControl->m_bStop = true;
                                                }});
    thread.join();
    ASSERT_EQ(updates.size(), s_nTicks);
    for (const Row& row : expected) {
        const NavigationUpdate& update = updates[static_cast<std::size_t>(row.nTick - 1)];
        EXPECT_EQ(update.pos.x, row.pos.x) << "tick " << row.nTick;
        EXPECT_EQ(update.pos.y, row.pos.y) << "tick " << row.nTick;
        EXPECT_EQ(update.dCourse, row.dCourse) << "tick " << row.nTick;
        EXPECT_EQ(update.dSpeed, row.dSpeed) << "tick " << row.nTick;
    }
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
    // Each tick notes the clicks certainly before its use of the hold (done before its pause
    // ended) and those perhaps before it (begun before it published), and whether it was surely
    // not held (a held tick publishes speed 0.0 exactly).
    struct Tick {
        int nDoneBefore;
        int nBegunBefore;
        bool bSurelyNotHeld;
    };
    constexpr int s_nClicks = 1000;
    constexpr std::size_t s_nTicksAfterTheLast = 200;
    SpeedHold hold;
    std::atomic<int> nClicksBegun{0};
    std::atomic<int> nClicksDone{0};
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Tick> ticks;
    std::size_t nTicksAfterTheLast = 0;
    int nDoneBeforeThisTick = 0;
    auto pControl = std::make_shared<VisitControl>();
    std::thread thread(NavigationThreadProc, pControl, std::ref(hold),
                       NavigationThreadServices{[] { return s_nNow; },
                                                [&](std::chrono::milliseconds) {
                                                    std::this_thread::yield();
                                                    nDoneBeforeThisTick = nClicksDone.load();
                                                },
                                                [&](const NavigationUpdate& update) {
                                                    const Tick tick{nDoneBeforeThisTick, nClicksBegun.load(),
                                                                    update.dSpeed != 0.0};
                                                    std::lock_guard lock(mutex);
                                                    ticks.push_back(tick);
                                                    if (tick.nDoneBefore == s_nClicks && ++nTicksAfterTheLast == s_nTicksAfterTheLast)
                                                        changed.notify_all();
                                                }});
    for (int i = 0; i < s_nClicks; ++i) {
        ++nClicksBegun;
        hold.Request();
        ++nClicksDone;
        for (int j = 0; j < i % 32; ++j)
            std::this_thread::yield();
    }
    bool bWentOn = false;
    {
        std::unique_lock lock(mutex);
        bWentOn = changed.wait_for(lock, std::chrono::seconds(20), [&] { return nTicksAfterTheLast >= s_nTicksAfterTheLast; });
    }
    pControl->m_bStop = true;
    thread.join();
    ASSERT_TRUE(bWentOn);

    // A tick that was not held came at least 50 ticks after every click certainly before it;
    // those ticks are all at or past the first that may have come after that click.
    std::vector<std::size_t> firstPerhapsAfter;
    for (std::size_t i = 0; firstPerhapsAfter.size() <= s_nClicks; firstPerhapsAfter.push_back(i))
        while (i < ticks.size() && ticks[i].nBegunBefore < static_cast<int>(firstPerhapsAfter.size()))
            ++i;
    bool bEndedAfterTheLast = false;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const int k = ticks[i].nDoneBefore;
        if (!ticks[i].bSurelyNotHeld || k == 0)
            continue;
        ASSERT_GE(i - firstPerhapsAfter[static_cast<std::size_t>(k)], 50u) << "tick " << i << " after click " << k;
        bEndedAfterTheLast = bEndedAfterTheLast || k == s_nClicks;
    }
    // And the last hold ended: the walk went on.
    EXPECT_TRUE(bEndedAfterTheLast);
}

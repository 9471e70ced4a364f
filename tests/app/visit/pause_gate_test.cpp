#include "app/visit/pause_gate.h"
#include "app/visit/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <chrono>
#include <future>
#include <thread>

namespace {

constexpr std::chrono::seconds s_bound(20);

} // namespace

TEST(PauseGate, WorkersParkAtTheirNextPassAndTakeNoStepUntilRelease)
{
    // Each step reads the round after passing the gate: odd while both workers were found
    // parked, even once they were let go.
    constexpr int s_nRounds = 10;
    PauseGate gate;
    std::atomic<int> nRound{0};
    std::atomic<bool> bStop{false};
    std::atomic<bool> bSteppedWhileParked{false};
    std::mutex mutex;
    std::condition_variable stepped;
    int nLastSeen[2] = {0, 0};
    auto work = [&](int& nMyLastSeen) {
        while (!bStop) {
            gate.Pass();
            const int n = nRound.load();
            if (n % 2 != 0)
                bSteppedWhileParked = true;
            {
                std::lock_guard lock(mutex);
                nMyLastSeen = n;
            }
            stepped.notify_all();
        }
    };
    std::thread first(work, std::ref(nLastSeen[0]));
    std::thread second(work, std::ref(nLastSeen[1]));

    for (int nHeldRound = 1; nHeldRound < 2 * s_nRounds; nHeldRound += 2) {
        gate.Hold();
        if (!gate.WaitUntilParked(2, s_bound)) {
            ADD_FAILURE() << "not both parked in round " << nHeldRound;
            break;
        }
        nRound = nHeldRound;
        // However long we look, no step reads this round.
        for (int i = 0; i < 200; ++i)
            std::this_thread::yield();
        nRound = nHeldRound + 1;
        gate.Release();
        std::unique_lock lock(mutex);
        if (!stepped.wait_for(lock, s_bound, [&] { return nLastSeen[0] > nHeldRound && nLastSeen[1] > nHeldRound; })) {
            ADD_FAILURE() << "not both went on after round " << nHeldRound;
            break;
        }
    }
    bStop = true;
    gate.Release();
    first.join();
    second.join();
    EXPECT_FALSE(bSteppedWhileParked);
}

TEST(PauseGate, HoldNeverWaitsForAWorkerBusyInAStep)
{
    PauseGate gate;
    std::promise<void> stepMayEnd;
    std::shared_future<void> stepEnds = stepMayEnd.get_future().share();
    std::atomic<bool> bInStep{false};
    std::atomic<int> nSteps{0};
    std::thread busy([&] {
        bInStep = true;
        stepEnds.wait(); // a read that hangs behind other I/O
        gate.Pass();
        ++nSteps;
    });
    while (!bInStep)
        std::this_thread::yield();

    std::future<void> held = std::async(std::launch::async, [&] { gate.Hold(); });
    const bool bHeldAtOnce = held.wait_for(s_bound) == std::future_status::ready;
    EXPECT_TRUE(bHeldAtOnce);
    EXPECT_FALSE(gate.WaitUntilParked(1, std::chrono::milliseconds(0)));

    // The step ends while the hold stands: the worker parks before its next step.
    stepMayEnd.set_value();
    EXPECT_TRUE(gate.WaitUntilParked(1, s_bound));
    EXPECT_EQ(nSteps, 0);
    gate.Release();
    busy.join();
    held.wait();
    EXPECT_EQ(nSteps, 1);
    gate.Pass(); // not held: passes at once
}

TEST(WorkerThreads, JoinAllWaitsForEveryThreadStartedAndFinishedOnesAreReaped)
{
    WorkerThreads workers;
    std::atomic<int> nFinished{0};
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(workers.Start([&nFinished] { ++nFinished; }));
    workers.JoinAll();
    EXPECT_EQ(nFinished, 16);

    std::atomic<bool> bGo{false};
    ASSERT_TRUE(workers.Start([&] {
        while (!bGo)
            std::this_thread::yield();
        ++nFinished;
    }));
    EXPECT_FALSE(WorkerThreadsEndWithin(std::chrono::milliseconds(20))) << "one still waits for bGo";
    bGo = true;
    EXPECT_TRUE(WorkerThreadsEndWithin(s_bound));
    workers.JoinAll();
    EXPECT_EQ(nFinished, 17);
}

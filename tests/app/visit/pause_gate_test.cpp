#include "app/visit/pause_gate.h"
#include "app/visit/worker_threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>
#include <chrono>
#include <future>
#include <thread>

namespace {

constexpr std::chrono::seconds s_bound(20);

} // namespace

TEST(PauseGate, WorkersParkAtTheirNextPassAndTakeNoStepUntilRelease)
{
    // Each step notes the round it saw after passing the gate: odd while both workers were
    // found parked, even once they were let go.
    constexpr int s_nRounds = 10;
    PauseGate gate;
    std::atomic<int> nRound{0};
    std::atomic<bool> bStop{false};
    std::mutex mutex;
    std::condition_variable stepped;
    std::vector<int> steps[2];
    auto work = [&](std::vector<int>& mySteps) {
        while (!bStop) {
            gate.Pass();
            const int n = nRound.load();
            {
                std::lock_guard lock(mutex);
                mySteps.push_back(n);
            }
            stepped.notify_all();
        }
    };
    std::thread first(work, std::ref(steps[0]));
    std::thread second(work, std::ref(steps[1]));

    auto bothSteppedIn = [&](int n) {
        std::unique_lock lock(mutex);
        return stepped.wait_for(lock, s_bound, [&] {
            return std::all_of(std::begin(steps), std::end(steps),
                               [n](const std::vector<int>& s) { return !s.empty() && s.back() >= n; });
        });
    };
    for (int nHeldRound = 1; nHeldRound < 2 * s_nRounds; nHeldRound += 2) {
        gate.Hold();
        if (!gate.WaitUntilParked(2, s_bound)) {
            ADD_FAILURE() << "not both parked in round " << nHeldRound;
            break;
        }
        nRound = nHeldRound;
        // However long we look, no step is noted with this round.
        for (int i = 0; i < 200; ++i)
            std::this_thread::yield();
        nRound = nHeldRound + 1;
        gate.Release();
        // Let go, both go on.
        if (!bothSteppedIn(nHeldRound + 1)) {
            ADD_FAILURE() << "not both went on after round " << nHeldRound;
            break;
        }
    }
    bStop = true;
    gate.Release();
    first.join();
    second.join();
    for (const std::vector<int>& s : steps)
        for (int n : s)
            ASSERT_EQ(n % 2, 0) << "a step while both were parked in round " << n;
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
    bGo = true;
    workers.JoinAll();
    EXPECT_EQ(nFinished, 17);
}

#include "app/visit/pause_gate.h"
#include "app/visit/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

constexpr std::chrono::seconds s_bound(20);

} // namespace

TEST(PauseGate, WorkersParkAtTheirNextPassAndTakeNoStepUntilRelease)
{
    PauseGate gate;
    std::atomic<int> nSteps{0};
    std::atomic<bool> bStop{false};
    auto work = [&] {
        while (!bStop) {
            gate.Pass();
            ++nSteps;
        }
    };
    std::thread first(work);
    std::thread second(work);

    for (int nRound = 0; nRound < 20; ++nRound) {
        gate.Hold();
        ASSERT_TRUE(gate.WaitUntilParked(2, s_bound));
        const int nHeld = nSteps;
        // Both workers are parked: however long we look, no step happens.
        for (int i = 0; i < 1000; ++i)
            std::this_thread::yield();
        EXPECT_EQ(nSteps, nHeld);
        gate.Release();
        while (nSteps == nHeld)
            std::this_thread::yield();
    }
    bStop = true;
    first.join();
    second.join();
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

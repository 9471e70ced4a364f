#include "app/pause_gate.h"
#include "app/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(PauseGate, HoldReturnsOnlyWithEveryWorkerParkedAndNoStepTakenUntilRelease)
{
    PauseGate gate;
    std::atomic<int> nSteps{0};
    std::atomic<bool> bStop{false};
    std::atomic<int> nJoined{0};
    auto work = [&] {
        PauseGateMember member(gate);
        ++nJoined;
        while (!bStop) {
            gate.Pass();
            ++nSteps;
        }
    };
    std::thread first(work);
    std::thread second(work);
    while (nJoined < 2)
        std::this_thread::yield();

    for (int nRound = 0; nRound < 20; ++nRound) {
        gate.Hold();
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

TEST(PauseGate, HoldDoesNotWaitForWorkersThatLeft)
{
    PauseGate gate;
    {
        PauseGateMember member(gate);
    }
    gate.Hold(); // returns: nobody is left to park
    gate.Release();
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

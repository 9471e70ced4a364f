#pragma once

#include <chrono>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

// Waits up to bound for every worker thread of the process to return; false when
// one still runs, such as one blocked in a read that a file system never answers.
bool WorkerThreadsEndWithin(std::chrono::milliseconds bound);

// The worker threads of one page's visits. Leaving a page does not wait for its
// threads; whatever still runs is joined when the page goes with the main frame.
class WorkerThreads {
public:
    WorkerThreads() = default;
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;
    ~WorkerThreads() { JoinAll(); }

    // Starts fnWork on a new thread; false when the thread cannot be started.
    bool Start(std::function<void()> fnWork);
    void JoinAll();

private:
    struct Worker {
        std::thread thread;
        bool bDone = false;
    };
    void JoinFinished();

    std::mutex m_mutex;
    std::list<Worker> m_workers;
};

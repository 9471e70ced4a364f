#include "app/visit/worker_threads.h"

#include <condition_variable>
#include <system_error>

namespace {

// The worker threads of the whole process that have not yet returned.
struct RunningWorkers {
    std::mutex mutex;
    std::condition_variable ended;
    int nRunning = 0;
};

RunningWorkers& Running()
{
    static RunningWorkers running;
    return running;
}

void CountWorker(int nChange)
{
    RunningWorkers& running = Running();
    std::lock_guard lock(running.mutex);
    running.nRunning += nChange;
    if (running.nRunning == 0)
        running.ended.notify_all();
}

} // namespace

bool WorkerThreadsEndWithin(std::chrono::milliseconds bound)
{
    RunningWorkers& running = Running();
    std::unique_lock lock(running.mutex);
    return running.ended.wait_for(lock, bound, [&running] { return running.nRunning == 0; });
}

bool WorkerThreads::Start(std::function<void()> fnWork)
{
    JoinFinished();
    std::lock_guard lock(m_mutex);
    Worker& worker = m_workers.emplace_back();
    CountWorker(+1);
    try {
        worker.thread = std::thread([this, &worker, fnWork = std::move(fnWork)] {
            fnWork();
            {
                std::lock_guard doneLock(m_mutex);
                worker.bDone = true;
            }
            // Last: from here on the thread touches nothing that could go away.
            CountWorker(-1);
        });
    } catch (const std::system_error&) {
        m_workers.pop_back();
        CountWorker(-1);
        return false;
    }
    return true;
}

void WorkerThreads::JoinFinished()
{
    std::list<Worker> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            auto next = std::next(it);
            if (it->bDone)
                finished.splice(finished.end(), m_workers, it);
            it = next;
        }
    }
    for (Worker& worker : finished)
        worker.thread.join();
}

void WorkerThreads::JoinAll()
{
    std::list<Worker> all;
    {
        std::lock_guard lock(m_mutex);
        all.splice(all.end(), m_workers);
    }
    for (Worker& worker : all)
        worker.thread.join();
}

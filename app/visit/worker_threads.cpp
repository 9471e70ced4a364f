#include "app/visit/worker_threads.h"

#include <system_error>

bool WorkerThreads::Start(std::function<void()> fnWork)
{
    JoinFinished();
    std::lock_guard lock(m_mutex);
    Worker& worker = m_workers.emplace_back();
    try {
        worker.thread = std::thread([this, &worker, fnWork = std::move(fnWork)] {
            fnWork();
            std::lock_guard doneLock(m_mutex);
            worker.bDone = true;
        });
    } catch (const std::system_error&) {
        m_workers.pop_back();
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

#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// The measurement thread's pauses on a simulated clock: a pause lasts until the
// test ends it, so a test decides exactly how many ticks run.
class SteppedPauses {
public:
    std::function<void(std::chrono::milliseconds)> Function()
    {
        return [this](std::chrono::milliseconds duration) { Pause(duration); };
    }

    // Waits until the nth pause has begun; false when it did not within a generous bound.
    bool WaitForPause(int n)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_nBegun >= n; });
    }
    // Ends the next pause, now or as soon as it begins.
    void EndOne()
    {
        {
            std::lock_guard lock(m_mutex);
            ++m_nEnded;
        }
        m_changed.notify_all();
    }
    // Ends one pause and waits for the one after the tick that follows.
    bool Step()
    {
        const int nNext = Begun() + 1;
        EndOne();
        return WaitForPause(nNext);
    }
    // From now on no pause lasts.
    void EndAll()
    {
        {
            std::lock_guard lock(m_mutex);
            m_bFree = true;
        }
        m_changed.notify_all();
    }
    int Begun() const
    {
        std::lock_guard lock(m_mutex);
        return m_nBegun;
    }
    std::vector<std::chrono::milliseconds> Durations() const
    {
        std::lock_guard lock(m_mutex);
        return m_durations;
    }

private:
    void Pause(std::chrono::milliseconds duration)
    {
        std::unique_lock lock(m_mutex);
        m_durations.push_back(duration);
        const int nTicket = ++m_nBegun;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_bFree || m_nEnded >= nTicket; });
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::chrono::milliseconds> m_durations;
    int m_nBegun = 0;
    int m_nEnded = 0;
    bool m_bFree = false;
};

#include "app/visit/pause_gate.h"

void PauseGate::Pass()
{
    std::unique_lock lock(m_mutex);
    if (!m_bHeld)
        return;
    ++m_nParked;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_bHeld; });
    --m_nParked;
    m_changed.notify_all();
}

void PauseGate::Hold()
{
    std::lock_guard lock(m_mutex);
    m_bHeld = true;
}

void PauseGate::Release()
{
    {
        std::lock_guard lock(m_mutex);
        m_bHeld = false;
    }
    m_changed.notify_all();
}

bool PauseGate::WaitUntilParked(int nWorkers, std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, bound, [&] { return m_nParked == nWorkers; });
}

#include "app/pause_gate.h"

void PauseGate::Join()
{
    std::lock_guard lock(m_mutex);
    ++m_nJoined;
}

void PauseGate::Leave()
{
    {
        std::lock_guard lock(m_mutex);
        --m_nJoined;
    }
    m_changed.notify_all();
}

void PauseGate::Pass()
{
    std::unique_lock lock(m_mutex);
    if (!m_bHeld)
        return;
    ++m_nParked;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_bHeld; });
    --m_nParked;
}

void PauseGate::Hold()
{
    std::unique_lock lock(m_mutex);
    m_bHeld = true;
    m_changed.wait(lock, [this] { return m_nParked >= m_nJoined; });
}

void PauseGate::Release()
{
    {
        std::lock_guard lock(m_mutex);
        m_bHeld = false;
    }
    m_changed.notify_all();
}

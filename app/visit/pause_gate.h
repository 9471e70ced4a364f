#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// Holds one visit's workers still at safe points while the page asks a question.
// Hold() only asks: it never waits, so the GUI thread never waits for a worker
// that is busy, say in a read behind other I/O. Each worker honours the request
// at its next Pass(), which it calls between its steps holding no lock, and
// parks there until Release().
class PauseGate {
public:
    void Pass();

    void Hold();
    void Release();

    // For observers: true once exactly nWorkers are parked (0: all have left the
    // gate again), false when bound passes first.
    bool WaitUntilParked(int nWorkers, std::chrono::milliseconds bound);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bHeld = false;
    int m_nParked = 0;
};

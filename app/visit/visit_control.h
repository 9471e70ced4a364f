#pragma once

#include "app/visit/pause_gate.h"

#include <atomic>

// What one visit of an activity page shares with that visit's threads. Each
// visit makes its own, so a thread that ends late can only touch its own visit.
struct VisitControl {
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bDiskRun{false};
    // Cleared when the visit's window is destroyed.
    std::atomic<bool> m_bWindowAlive{true};
    PauseGate m_gate;

    // The checks every worker makes before each step.
    bool WindowAlive() const { return m_bWindowAlive.load(std::memory_order_acquire); }
};

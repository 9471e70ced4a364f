#pragma once

#include <condition_variable>
#include <mutex>

// Holds one visit's workers still at safe points while the page asks a question.
// A worker calls Pass() between its steps, holding no lock; the page's Hold()
// returns once every worker that has joined is parked at Pass() or has left.
class PauseGate {
public:
    void Join();
    void Leave();
    void Pass();

    void Hold();
    void Release();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bHeld = false;
    int m_nJoined = 0;
    int m_nParked = 0;
};

// A worker's membership of a gate for the worker's whole run.
class PauseGateMember {
public:
    explicit PauseGateMember(PauseGate& gate) : m_gate(gate) { m_gate.Join(); }
    ~PauseGateMember() { m_gate.Leave(); }
    PauseGateMember(const PauseGateMember&) = delete;
    PauseGateMember& operator=(const PauseGateMember&) = delete;

private:
    PauseGate& m_gate;
};

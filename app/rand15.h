#pragma once

#include <cstdint>

// The program's one 15-bit pseudo-random generator: the linear congruential
// rule of the classic C runtime, uniform over 0 to 32767.
class Rand15 {
public:
    explicit Rand15(std::uint32_t nSeed) : m_nState(nSeed) {}

    int Next()
    {
        m_nState = m_nState * 214013u + 2531011u;
        return static_cast<int>((m_nState >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t m_nState;
};

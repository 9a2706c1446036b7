#pragma once
// A small fixed-seed generator, so that every run writes the same bytes.
#include <cstdint>

namespace assets {

class Random {
public:
    explicit Random(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    float Unit() { return (Next() >> 8) / 16777216.0f; }  // 0 <= u < 1
    float Signed() { return Unit() * 2 - 1; }

private:
    uint32_t m_state;
};

}  // namespace assets

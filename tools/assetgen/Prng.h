#pragma once
// The generators' own small random source (xorshift32): the same seed gives
// the same assets on every machine and every run.
#include <cstdint>

class CPrng
{
public:
    explicit CPrng(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}

    uint32_t Next();
    double Unit();                       // [0, 1)
    double Range(double lo, double hi);  // [lo, hi)

private:
    uint32_t m_state;
};

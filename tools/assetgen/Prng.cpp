#include "Prng.h"

uint32_t CPrng::Next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

double CPrng::Unit()
{
    return (Next() >> 8) / 16777216.0;
}

double CPrng::Range(double lo, double hi)
{
    return lo + (hi - lo) * Unit();
}

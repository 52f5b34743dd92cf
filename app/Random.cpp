#include "app/Random.h"

namespace {

uint32_t g_randomState = 1;

}  // namespace

void SeedRandom(uint32_t seed)
{
    g_randomState = seed;
}

int Random()
{
    // A 32-bit linear congruential step; the high bits are the well-mixed ones.
    g_randomState = g_randomState * 1103515245u + 12345u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFF);
}

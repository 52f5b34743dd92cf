#pragma once
// The process's one pseudo-random generator, with values 0 to 32767 on every
// platform. All random choices of the scene draw from it in a fixed order, so a
// seeded generator replays the same scene. Not for anything secret.
#include <cstdint>

const int RANDOM_MAX = 32767;

// Seeded once at start from the tick clock; tests seed it to repeat a scene.
void SeedRandom(uint32_t seed);

// Next value, 0 to RANDOM_MAX inclusive.
int Random();

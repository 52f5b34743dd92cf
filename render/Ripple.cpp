#include "render/Ripple.h"

#include <cmath>
#include <cstdint>

#include "app/Settings.h"

namespace {
const int FIELD_SIZE = 256;  // cells per side; indices wrap with & 255
const int FIELD_CENTRE = 128;
const double RIPPLE_TWO_PI = 6.28318;    // kept short of 2 pi: the rings' look depends on it
const double PHASE_PER_SECOND = -256.0;  // table steps per second; negative moves rings outwards
const int DISTANCE_SHIFT = 5;            // squared distance / 32 = table step
const float GROW = 1.01f;                // enlarges the square so the bent picture still covers the view
const float SHIFT = -0.005f;
const float SLOPE = 0.0001f;  // view units per height step

int32_t g_sineTable[FIELD_SIZE];
uint8_t g_height[FIELD_SIZE][FIELD_SIZE];  // [row][column]

// Clamped before the conversion, so no coordinate (NaN included) indexes outside.
int ClampCell(float coordinate)
{
    const float cell = coordinate * FIELD_SIZE;
    if (!(cell >= 0.0f))
        return 0;
    if (cell >= FIELD_SIZE - 1)
        return FIELD_SIZE - 1;
    return static_cast<int>(cell);
}
}  // namespace

void BuildRippleSineTable()
{
    for (int i = 0; i < FIELD_SIZE; ++i)
        g_sineTable[i] = static_cast<int32_t>(std::sin(i * RIPPLE_TWO_PI * (1.0 / FIELD_SIZE)) * 127 + 128);
}

void UpdateRippleField(double sceneTime)
{
    // 64-bit, so a scene that has run for months still truncates safely; only
    // the low byte matters.
    const int phase = static_cast<int>(static_cast<int64_t>(sceneTime * PHASE_PER_SECOND) & 0xff);
    for (int y = 0; y < FIELD_SIZE; ++y) {
        const int dy = y - FIELD_CENTRE;
        // (x + 1 - c)^2 - (x - c)^2 = 2 (x - c) + 1, so the distance is carried along the row.
        int distance = FIELD_CENTRE * FIELD_CENTRE + dy * dy;
        int step = -2 * FIELD_CENTRE + 1;
        uint8_t* row = g_height[y];
        for (int x = 0; x < FIELD_SIZE; ++x) {
            row[x] = static_cast<uint8_t>(g_sineTable[((distance >> DISTANCE_SHIFT) + phase) & 0xff]);
            distance += step;
            step += 2;
        }
    }
}

void RippleDisplace(float u, float v, float& x, float& y)
{
    if (g_Settings.EnableRipples == 0) {
        x = u;
        y = v;
        return;
    }
    const int i = ClampCell(u);
    const int j = ClampCell(v);
    const int across = g_height[(i + 1) & 0xff][j] - g_height[(i - 1) & 0xff][j];
    const int up = g_height[i][(j + 1) & 0xff] - g_height[i][(j - 1) & 0xff];
    x = GROW * u + SHIFT + SLOPE * across;
    y = GROW * v + SHIFT + SLOPE * up;
}

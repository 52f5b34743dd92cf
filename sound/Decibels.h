#pragma once
// The sound system's linear gains and pans in the audio device's units,
// hundredths of a decibel.
#include <cstdint>

// Gain 0..1 to a volume: 1 is 0, 0.5 is -602, anything at or below 0.00001
// is -10000 (silence). Values outside 0..1 are clamped first.
int32_t GainToVolume(float gain);

// Pan -1 (left) .. 1 (right) to a balance: 0.5 lowers the left channel by 602.
// The ends stop at +-7999, just short of a silent channel.
int32_t PanToBalance(float pan);

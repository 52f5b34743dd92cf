#pragma once
// The program's way to make a sound: free functions over the one
// process-wide sound system. While no sound system exists each does nothing
// and returns 0, so callers never need to know whether sound is on.
#include <cstdint>

#include "render/Math.h"

// Plays a pack WAV entry on a voice. owner and key identify the requester (a
// voice with the same pair is re-targeted; key -1 is never taken over); flags
// bit 0 loops, bit 1 places the sound at position, bit 2 keeps a placed sound
// centred. volume is a linear gain 0..1, pan -1 (left) .. 1 (right), pitch a
// playback-rate factor. Returns 1 when handled, 0 otherwise.
int PlaySample(const char* name, const void* owner, int32_t key, uint32_t flags, float volume, float pan, float pitch,
               const SVector3& position, const SVector3& velocity);

#include "sound/Sound.h"

// No sound system exists yet, so every request is dropped.
int PlaySample(const char*, const void*, int32_t, uint32_t, float, float, float, const SVector3&, const SVector3&)
{
    return 0;
}

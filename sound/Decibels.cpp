#include "sound/Decibels.h"

#include <algorithm>
#include <cmath>

#include "platform/AudioDevice.h"

namespace {

const float QUIETEST_GAIN = 0.00001f;  // -100 dB, the device's silence
const float WIDEST_PAN = 0.9999f;      // keeps 1 - |pan| away from zero

}  // namespace

int32_t GainToVolume(float gain)
{
    // Written so that a NaN gain is silence too.
    if (!(gain > QUIETEST_GAIN))
        return AUDIO_VOLUME_SILENT;
    const float g = std::min(gain, 1.0f);
    const double volume = -2000.0 * std::log10(1.0 / g);
    return std::clamp(static_cast<int32_t>(volume), AUDIO_VOLUME_SILENT, AUDIO_VOLUME_FULL);
}

int32_t PanToBalance(float pan)
{
    if (std::isnan(pan))
        return 0;
    const float a = std::min(std::fabs(pan), WIDEST_PAN);
    const int32_t balance = static_cast<int32_t>(2000.0 * std::log10(1.0 / (1.0 - a)));
    return std::clamp(pan < 0 ? -balance : balance, AUDIO_PAN_LEFT, AUDIO_PAN_RIGHT);
}

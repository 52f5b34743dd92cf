#pragma once
// The state the mixer and its buffers share. A buffer and its duplicates
// share one SMixerSound; each has its own SMixerVoice. The core outlives the
// mixer while any buffer holds it, so buffers may be released in any order.
#include <mutex>
#include <vector>

#include "platform/AudioDevice.h"

struct SMixerSound
{
    SAudioFormat format;
    uint32_t frames = 0;
    std::vector<uint8_t> bytes;  // what Lock hands out; main thread only
    std::vector<float> samples;  // the bytes as -1..1, interleaved; under the core's lock
};

struct SMixerVoice
{
    std::shared_ptr<SMixerSound> sound;
    double position = 0;        // in frames of the sound, with the fraction between two
    float left = 1, right = 1;  // linear gains from volume and pan
    int32_t volume = AUDIO_VOLUME_FULL, pan = 0;
    uint32_t frequency = 0;
    bool playing = false, looping = false;
};

struct SMixerCore
{
    std::mutex lock;
    uint32_t outputRate = 0;
    // The output's fade, 0..1: it falls to 0 while resting, and the voices
    // stand still once it is there; it rises to 1 otherwise.
    float level = 1;
    bool resting = false;
    std::vector<SMixerVoice*> voices;  // every live buffer's voice, playing or not
};

// A buffer of the software mixer.
std::unique_ptr<CAudioBufferI> MakeMixerBuffer(const std::shared_ptr<SMixerCore>& core,
                                               const std::shared_ptr<SMixerSound>& sound);

#pragma once
// A software mixer that plays the part of an audio device: it sums its
// buffers into interleaved 16-bit stereo at one output rate, each buffer with
// its own gain, pan and playback rate (linear interpolation between the
// data's samples). Mix runs on the audio thread, or offline in a test; the
// buffers' calls come from the main thread and hold the mixer's lock only
// for a moment. Not a resampler of quality: linear interpolation is enough
// for water sounds.
#include <cstddef>
#include <memory>

#include "platform/AudioDevice.h"

struct SMixerCore;

// How long the output takes to fade out before a rest and in after it.
const double MIXER_FADE_SECONDS = 0.01;

class CAudioMixer : public CAudioDeviceI
{
public:
    explicit CAudioMixer(uint32_t outputRate);
    ~CAudioMixer() override;
    CAudioMixer(const CAudioMixer&) = delete;
    CAudioMixer& operator=(const CAudioMixer&) = delete;

    std::unique_ptr<CAudioBufferI> CreateBuffer(const SAudioFormat& format, uint32_t bytes) override;
    // The output fades out over MIXER_FADE_SECONDS, then every voice stands
    // still and the output is silence until Resume, which fades it back in.
    void Rest() override;
    bool Resume() override;
    // True once a rest's fade is over: nothing more is heard or moves.
    bool IsAtRest() const;
    // Writes the next frames of output, left and right interleaved; a sum
    // beyond full scale is clipped, never wrapped round. Never throws.
    void Mix(int16_t* out, size_t frames);
    uint32_t GetOutputRate() const;
    // A device opened anew may run at another rate: the voices follow it.
    void SetOutputRate(uint32_t outputRate);

private:
    std::shared_ptr<SMixerCore> m_core;
};

// Buffers of every mixer in the process that are still alive, duplicates
// included, whichever device made them: what a long run watches for leaks.
uint32_t CountLiveMixerBuffers();

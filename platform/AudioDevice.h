#pragma once
// The platform's sound-mixing service: one output device and the sound
// buffers it mixes on its own. A buffer holds PCM data, plays once or in a
// loop with its own volume, pan and playback rate, and can be duplicated to
// play the same data again at the same time. All calls come from the main
// thread; the mixing happens elsewhere.
#include <cstdint>
#include <memory>

#include "platform/Window.h"

// Volume and pan are in hundredths of a decibel.
const int32_t AUDIO_VOLUME_SILENT = -10000;  // and the quietest volume
const int32_t AUDIO_VOLUME_FULL = 0;
const int32_t AUDIO_PAN_LEFT = -10000;  // the right channel silent
const int32_t AUDIO_PAN_RIGHT = 10000;  // the left channel silent
const uint32_t AUDIO_FREQUENCY_MIN = 100;
const uint32_t AUDIO_FREQUENCY_MAX = 200000;

struct SAudioFormat
{
    uint16_t channels;       // 1 or 2, interleaved
    uint32_t samplesPerSec;  // the data's own rate
    uint16_t bitsPerSample;  // 8 (unsigned, 128 = silence) or 16 (signed)
};

class CAudioBufferI
{
public:
    virtual ~CAudioBufferI() = default;
    // A new buffer sharing this one's data, with a position, volume, pan and
    // rate of its own; null when the device refuses.
    virtual std::unique_ptr<CAudioBufferI> Duplicate() = 0;
    // Hands out the bytes from offset on for writing, wrapping round at the
    // end into a second region (null and 0 when there is none). The new data
    // is heard only after Unlock with the same regions.
    virtual bool Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
                      uint32_t* secondBytes) = 0;
    virtual bool Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) = 0;
    // The byte offset the next Play starts from.
    virtual bool SetCurrentPosition(uint32_t offset) = 0;
    virtual bool Play(bool loop) = 0;
    virtual bool Stop() = 0;
    // False once a buffer played once has reached its end, or after Stop.
    virtual bool IsPlaying() const = 0;
    // AUDIO_VOLUME_SILENT .. AUDIO_VOLUME_FULL; false outside.
    virtual bool SetVolume(int32_t volume) = 0;
    // AUDIO_PAN_LEFT .. AUDIO_PAN_RIGHT: a negative pan lowers the right
    // channel by that much, a positive one the left; false outside.
    virtual bool SetPan(int32_t pan) = 0;
    // Playback rate in samples per second, AUDIO_FREQUENCY_MIN ..
    // AUDIO_FREQUENCY_MAX; false outside.
    virtual bool SetFrequency(uint32_t samplesPerSec) = 0;
    virtual uint32_t GetFrequency() const = 0;
};

class CAudioDeviceI
{
public:
    virtual ~CAudioDeviceI() = default;
    // A silent, stopped buffer of that many bytes at full volume, centred,
    // at the format's own rate; null for a format the mixer cannot play.
    virtual std::unique_ptr<CAudioBufferI> CreateBuffer(const SAudioFormat& format, uint32_t bytes) = 0;
    // While nothing of the show can be seen: every buffer stops where it is,
    // after a fade short enough not to click, and the output stream is let
    // go, so that the system's sound server can rest too.
    virtual void Rest() = 0;
    // Takes the output again after Rest: the buffers that were playing go on
    // where they stopped, fading in. False when the output cannot be had
    // again; the buffers then stay silent until the next Resume.
    virtual bool Resume() = 0;
};

// Opens the default output device for the show in this window; null when
// there is none or it cannot be opened. Buffers may outlive the device; they
// then stay silent.
std::unique_ptr<CAudioDeviceI> SysCreateAudioDevice(HWindow window);

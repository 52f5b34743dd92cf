#pragma once
// One sound from the pack in a buffer of the audio device. The cache keeps
// the loaded original; each voice plays a duplicate that shares its data.
// Always made inside a CSmartPtrWrap.
#include <cstdint>
#include <memory>
#include <string>

#include "fish/SmartPtr.h"
#include "platform/AudioDevice.h"

class CSoundSystem;

class CSample
{
public:
    // Reads the pack entry of that name into a new buffer of the system's
    // device. 0 when the entry is missing or malformed or the device refuses.
    int Load(const char* name, CSoundSystem* system);
    // A new sample sharing this one's data, stopped and with its own settings.
    int Duplicate(CSmartPtr<CSample>& out) const;
    // Plays from the start, looping when asked.
    int Play(bool loop);
    int Stop();
    bool IsPlaying() const;
    // Linear gain 0..1.
    int SetVolume(float gain);
    // -1 (left) .. 1 (right).
    int SetPan(float pan);
    // Playback rate as a factor of the sample's own.
    int SetPitch(float factor);

    const std::string& GetName() const { return m_name; }
    uint32_t GetBaseFrequency() const { return m_baseFrequency; }

private:
    // Copies the samples in through the buffer's lock.
    bool Fill(const uint8_t* samples, uint32_t bytes);

    std::string m_name;
    std::unique_ptr<CAudioBufferI> m_buffer;
    CSoundSystem* m_system = nullptr;
    uint32_t m_baseFrequency = 0;  // samples per second, as the buffer was made
};

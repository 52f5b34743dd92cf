#pragma once
// The sound system: the ambient loop and the scene's placed sounds on 32
// voices of the audio device, with its own distance fall-off, stereo pan and
// Doppler pitch worked out here and handed to the device as volume, pan and
// rate. One lives for the show; without a device it stays uninitialised and
// plays nothing.
#include <cstdint>
#include <memory>

#include "fish/SmartPtr.h"
#include "platform/AudioDevice.h"
#include "render/Math.h"
#include "sound/Cache.h"
#include "sound/Sample.h"

// Voice flags.
const uint32_t SOUND_LOOP = 1;
const uint32_t SOUND_POSITIONED = 2;  // placed in the scene at the voice's position
const uint32_t SOUND_CENTRED = 4;     // placed, but never panned
const int32_t SOUND_KEY_KEEP = -1;    // a voice with this key is never taken over
const int SOUND_VOICE_COUNT = 32;

struct SSoundVoice
{
    const void* owner = nullptr;  // who asked; compared, never used
    int32_t key = 0;              // the owner's slot number
    uint32_t flags = 0;
    float volume = 0;  // linear gain 0..1
    float pan = 0;     // -1 (left) .. 1 (right), when not positioned
    float pitch = 1;   // playback-rate factor
    SVector3 position = {0, 0, 0};
    SVector3 velocity = {0, 0, 0};  // for the Doppler factor
    CSmartPtr<CSample> sample;      // the voice's own duplicate; empty if never used
};

class CSoundSystem
{
public:
    CSoundSystem();
    ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Opens the default audio device for the show in this window. 0 without one.
    int Init(HWindow window);
    // Plays on this device instead (a test's offline mixer); 0 for none.
    int Attach(std::unique_ptr<CAudioDeviceI> device);
    // forward and up need not be normalised; distances <= 0 become tiny.
    int SetListener(const SVector3& position, const SVector3& forward, const SVector3& up, float maxDistance,
                    float dopplerSpeed);
    // Clamped to 0..1; applies to every playing voice at once.
    int SetMasterVolume(float volume);
    // Brings every playing voice up to date with its settings. Once a frame.
    int Update();
    // See RestSounds and ResumeSounds in sound/Sound.h. 0 when not initialised.
    int Rest();
    int Resume();
    // Starts or re-targets a voice: see the voice choice in the .cpp. 1 when
    // handled (a sound out of hearing counts), 0 when not initialised, every
    // voice is busy with a louder or kept sound, or the sound cannot load.
    int Play(const char* name, const void* owner, int32_t key, uint32_t flags, float volume, float pan, float pitch,
             const SVector3& position, const SVector3& velocity);
    // A duplicate of the cached sample of that name, loading it on first use.
    int GetSample(const char* name, CSmartPtr<CSample>& sample);

    CAudioDeviceI* GetDevice() const { return m_device.get(); }
    const SSoundVoice& GetVoice(int index) const { return m_voices[index]; }
    const CCache& GetCache() const { return m_cache; }

private:
    // 1 - distance / maximum distance from the listener: <= 0 is out of hearing.
    float GetDistanceFactor(const SVector3& position) const;
    // The voice a new sound goes to, or -1 when it is dropped.
    int ChooseVoice(const void* owner, int32_t key, float gain) const;
    int ApplyVoice(SSoundVoice& voice);

    SVector3 m_listenerPosition = {0, 0, 0};
    SVector3 m_listenerForward = {0, 1, 0};
    SVector3 m_listenerRight = {1, 0, 0};
    float m_dopplerSpeed = 20;  // the source speed towards the listener that stops the pitch
    float m_maxDistance = 1;    // where a placed sound falls silent
    float m_masterVolume = 1;
    bool m_initialised = false;
    bool m_resting = false;
    std::unique_ptr<CAudioDeviceI> m_device;
    SSoundVoice m_voices[SOUND_VOICE_COUNT];
    CCache m_cache;
};

// The process-wide system behind the functions of sound/Sound.h, made on
// this device rather than the default one (a test's offline mixer). 0 for none.
int StartSoundSystem(std::unique_ptr<CAudioDeviceI> device);
// The process-wide system, or null while there is none.
CSoundSystem* FindSoundSystem();

#include "sound/Sound.h"

#include "fish/SmartPtr.h"
#include "sound/SoundSystem.h"

namespace {

const float DOPPLER_SPEED = 20.0f;  // scene units per second

CSmartPtr<CSoundSystem>& GetSoundSystem()
{
    static CSmartPtr<CSoundSystem> system;
    return system;
}

}  // namespace

// Sound is something the show can do without: no failure here is reported.
int InitSoundSystem(HWindow window)
{
    try {
        CSmartPtr<CSoundSystem>& system = GetSoundSystem();
        if (!system)
            system = new CSmartPtrWrap<CSoundSystem>();
        return system->Init(window);
    } catch (...) {
        return 0;
    }
}

int StartSoundSystem(std::unique_ptr<CAudioDeviceI> device)
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    if (!system)
        system = new CSmartPtrWrap<CSoundSystem>();
    return system->Attach(std::move(device));
}

CSoundSystem* FindSoundSystem()
{
    return GetSoundSystem().Get();
}

int ShutdownSoundSystem()
{
    GetSoundSystem().Reset();
    return 1;
}

int SetSoundListener(const SVector3& position, const SVector3& forward, const SVector3& up, float maxDistance)
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->SetListener(position, forward, up, maxDistance, DOPPLER_SPEED) : 0;
}

int SetSoundMasterVolume(float volume)
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->SetMasterVolume(volume) : 0;
}

int UpdateSounds()
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->Update() : 0;
}

int RestSounds()
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->Rest() : 0;
}

int ResumeSounds()
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->Resume() : 0;
}

int PlaySample(const char* name, const void* owner, int32_t key, uint32_t flags, float volume, float pan, float pitch,
               const SVector3& position, const SVector3& velocity)
{
    CSmartPtr<CSoundSystem>& system = GetSoundSystem();
    return system ? system->Play(name, owner, key, flags, volume, pan, pitch, position, velocity) : 0;
}

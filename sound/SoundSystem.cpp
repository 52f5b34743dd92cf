#include "sound/SoundSystem.h"

#include <algorithm>
#include <cmath>
#include <strings.h>

namespace {

const float SMALLEST_DISTANCE = 1e-10f;              // replaces distances <= 0, so nothing divides by zero
const float MIN_DOPPLER = 0.5f, MAX_DOPPLER = 2.0f;  // pitch factor range of a moving source

float Positive(float value)
{
    return value > 0 ? value : SMALLEST_DISTANCE;
}

}  // namespace

CSoundSystem::CSoundSystem() = default;

// The cached originals go first, then the voices' duplicates, then the device.
CSoundSystem::~CSoundSystem()
{
    m_cache.Clear();
    for (SSoundVoice& voice : m_voices)
        voice.sample.Reset();
    m_device.reset();
}

int CSoundSystem::Init(HWindow window)
{
    return Attach(SysCreateAudioDevice(window));
}

int CSoundSystem::Attach(std::unique_ptr<CAudioDeviceI> device)
{
    if (!device)
        return 0;
    m_device = std::move(device);
    m_initialised = true;
    return 1;
}

int CSoundSystem::SetListener(const SVector3& position, const SVector3& forward, const SVector3& up, float maxDistance,
                              float dopplerSpeed)
{
    m_listenerPosition = position;
    m_listenerForward = forward;
    VecNormalize(m_listenerForward);
    VecCross(m_listenerForward, up, m_listenerRight);
    VecNormalize(m_listenerRight);
    m_maxDistance = Positive(maxDistance);
    m_dopplerSpeed = Positive(dopplerSpeed);
    return 1;
}

int CSoundSystem::SetMasterVolume(float volume)
{
    m_masterVolume = std::clamp(volume, 0.0f, 1.0f);
    Update();
    return 1;
}

int CSoundSystem::Update()
{
    if (!m_initialised)
        return 0;
    for (SSoundVoice& voice : m_voices)
        if (voice.sample && voice.sample->IsPlaying())
            ApplyVoice(voice);
    return 1;
}

int CSoundSystem::Rest()
{
    if (!m_initialised)
        return 0;
    if (m_resting)
        return 1;
    for (SSoundVoice& voice : m_voices)
        if (voice.sample && !(voice.flags & SOUND_LOOP))
            voice.sample->Stop();
    m_device->Rest();
    m_resting = true;
    return 1;
}

int CSoundSystem::Resume()
{
    if (!m_initialised)
        return 0;
    if (!m_resting)
        return 1;
    // A device that cannot be had again is tried again after the next rest,
    // not on every frame.
    m_resting = false;
    return m_device->Resume() ? 1 : 0;
}

float CSoundSystem::GetDistanceFactor(const SVector3& position) const
{
    SVector3 d;
    VecSub(position, m_listenerPosition, d);
    return 1.0f - std::sqrt(VecDot(d, d)) / m_maxDistance;
}

int CSoundSystem::ApplyVoice(SSoundVoice& voice)
{
    float gain = voice.volume, pan = voice.pan, pitch = voice.pitch;
    if (voice.flags & SOUND_POSITIONED) {
        // Negative beyond the maximum distance, which the volume turns into silence.
        gain = voice.volume * GetDistanceFactor(voice.position);
        SVector3 toSource;
        VecSub(voice.position, m_listenerPosition, toSource);
        VecNormalize(toSource);
        pan = (voice.flags & SOUND_CENTRED) ? 0.0f : VecDot(m_listenerRight, toSource);
        // A source moving away sounds lower, whether it is panned or centred.
        const float away = VecDot(voice.velocity, toSource);
        pitch = voice.pitch * std::clamp(1.0f - away / m_dopplerSpeed, MIN_DOPPLER, MAX_DOPPLER);
    }
    if (!voice.sample)
        return 1;
    return voice.sample->SetVolume(m_masterVolume * gain) && voice.sample->SetPan(pan) && voice.sample->SetPitch(pitch);
}

// The requester's own voice wherever it is, so an owner's key names one
// voice; else the first idle voice; else the quietest busy voice that is
// quieter than the new sound and not kept, ties going to the earlier.
int CSoundSystem::ChooseVoice(const void* owner, int32_t key, float gain) const
{
    for (int i = 0; i < SOUND_VOICE_COUNT; ++i)
        if (m_voices[i].owner == owner && m_voices[i].key == key && m_voices[i].sample)
            return i;
    int best = -1;
    float lowest = gain;
    for (int i = 0; i < SOUND_VOICE_COUNT; ++i) {
        const SSoundVoice& voice = m_voices[i];
        if (!voice.sample || !voice.sample->IsPlaying())
            return i;
        if (voice.key == SOUND_KEY_KEEP)
            continue;
        // How loud the busy voice is where it plays.
        float loudness = voice.volume;
        if (voice.flags & SOUND_POSITIONED)
            loudness *= GetDistanceFactor(voice.position);
        if (loudness < lowest) {
            lowest = loudness;
            best = i;
        }
    }
    return best;
}

int CSoundSystem::Play(const char* name, const void* owner, int32_t key, uint32_t flags, float volume, float pan,
                       float pitch, const SVector3& position, const SVector3& velocity)
{
    if (!m_initialised)
        return 0;
    float gain = volume;
    if (flags & SOUND_POSITIONED)
        gain *= GetDistanceFactor(position);
    if (gain <= 0)
        return 1;  // out of hearing: nothing to play, and nothing wrong
    const int index = ChooseVoice(owner, key, gain);
    if (index < 0)
        return 0;

    SSoundVoice& voice = m_voices[index];
    // A voice taken from another requester starts the new sound from its beginning.
    const bool sameRequester = voice.owner == owner && voice.key == key;
    voice.position = position;
    voice.velocity = velocity;
    voice.owner = owner;
    voice.flags = flags;
    voice.volume = volume;
    voice.key = key;
    voice.pan = pan;
    voice.pitch = pitch;

    bool fresh = false;
    if (!voice.sample || strcasecmp(voice.sample->GetName().c_str(), name) != 0) {
        if (voice.sample)
            voice.sample->Stop();
        if (!GetSample(name, voice.sample)) {
            voice.sample.Reset();
            return 0;
        }
        fresh = true;
    }
    ApplyVoice(voice);
    // The same requester's sound still playing: only its settings change.
    if (fresh || !sameRequester || !voice.sample->IsPlaying())
        voice.sample->Play(flags & SOUND_LOOP);
    return 1;
}

int CSoundSystem::GetSample(const char* name, CSmartPtr<CSample>& sample)
{
    CSmartPtr<CSample> original = m_cache.Find(name);
    if (!original) {
        CSmartPtr<CSample> loaded = new CSmartPtrWrap<CSample>();
        if (!loaded->Load(name, this))
            return 0;
        m_cache.Add(name, loaded);
        original = loaded;
    }
    return original->Duplicate(sample);
}

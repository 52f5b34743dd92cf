// The audio device on DirectSound, the system's own mixer: each of our
// buffers is a secondary buffer with frequency, pan and volume control, and
// DirectSound mixes them on its own thread. Our volume, pan and rate units are
// DirectSound's, so values pass through unchanged. dsound.dll is a system DLL.
#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include <cstring>
#include <set>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/windows/WindowClasses.h"

namespace {

class CDirectSoundBuffer;

// The device and its live buffers. DirectSound frees every buffer with the
// device, so the device is released only after the last buffer; once our
// device object is gone the buffers are stopped and stay silent. DirectSound
// holds the output stream for as long as the device lives, playing or not,
// so a rest releases it, and every buffer with it, and a resume makes both anew.
struct SDirectSound
{
    IDirectSound* sound = nullptr;  // null while resting
    HWND owner = nullptr;           // for the cooperative level of a device made anew
    bool closed = false;
    std::set<CDirectSoundBuffer*> buffers;

    ~SDirectSound()
    {
        if (sound)
            sound->Release();
    }
};

// The default device at the normal level, which needs a top-level window.
IDirectSound* OpenDirectSound(HWND owner)
{
    IDirectSound* sound = nullptr;
    // Without a sound card DirectSound refuses (E_INVALIDARG under Wine): the show is silent.
    if (FAILED(DirectSoundCreate(nullptr, &sound, nullptr)))
        return nullptr;
    if (FAILED(sound->SetCooperativeLevel(owner, DSSCL_NORMAL))) {
        sound->Release();
        return nullptr;
    }
    return sound;
}

IDirectSoundBuffer* MakeBuffer(IDirectSound* sound, const WAVEFORMATEX& wave, uint32_t bytes)
{
    WAVEFORMATEX format = wave;
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    return SUCCEEDED(sound->CreateSoundBuffer(&description, &buffer, nullptr)) ? buffer : nullptr;
}

class CDirectSoundBuffer : public CAudioBufferI
{
public:
    CDirectSoundBuffer(const std::shared_ptr<SDirectSound>& device, IDirectSoundBuffer* buffer,
                       const WAVEFORMATEX& wave, uint32_t bytes)
        : m_device(device), m_buffer(buffer), m_wave(wave), m_bytes(bytes)
    {
        m_device->buffers.insert(this);
    }

    ~CDirectSoundBuffer() override
    {
        m_device->buffers.erase(this);
        if (m_buffer) {
            m_buffer->Stop();
            m_buffer->Release();
        }
    }

    CDirectSoundBuffer(const CDirectSoundBuffer&) = delete;
    CDirectSoundBuffer& operator=(const CDirectSoundBuffer&) = delete;

    std::unique_ptr<CAudioBufferI> Duplicate() override
    {
        IDirectSoundBuffer* copy = nullptr;
        if (m_device->closed || !m_buffer || FAILED(m_device->sound->DuplicateSoundBuffer(m_buffer, &copy)))
            return nullptr;
        return std::make_unique<CDirectSoundBuffer>(m_device, copy, m_wave, m_bytes);
    }

    bool Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
              uint32_t* secondBytes) override
    {
        DWORD firstSize = 0, secondSize = 0;
        if (!m_buffer || FAILED(m_buffer->Lock(offset, bytes, first, &firstSize, second, &secondSize, 0)))
            return false;
        *firstBytes = firstSize;
        *secondBytes = secondSize;
        return true;
    }

    bool Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) override
    {
        return m_buffer && SUCCEEDED(m_buffer->Unlock(first, firstBytes, second, secondBytes));
    }

    bool SetCurrentPosition(uint32_t offset) override
    {
        return m_buffer && SUCCEEDED(m_buffer->SetCurrentPosition(offset));
    }

    // A buffer of a closed device keeps silent.
    bool Play(bool loop) override
    {
        return !m_device->closed && m_buffer && SUCCEEDED(m_buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0));
    }

    bool Stop() override { return !m_buffer || SUCCEEDED(m_buffer->Stop()); }

    bool IsPlaying() const override { return (GetStatus() & DSBSTATUS_PLAYING) != 0; }

    // The ranges are checked here as well: not every DirectSound refuses a value outside.
    bool SetVolume(int32_t volume) override
    {
        return m_buffer && volume >= AUDIO_VOLUME_SILENT && volume <= AUDIO_VOLUME_FULL &&
               SUCCEEDED(m_buffer->SetVolume(volume));
    }

    bool SetPan(int32_t pan) override
    {
        return m_buffer && pan >= AUDIO_PAN_LEFT && pan <= AUDIO_PAN_RIGHT && SUCCEEDED(m_buffer->SetPan(pan));
    }

    bool SetFrequency(uint32_t samplesPerSec) override
    {
        return m_buffer && samplesPerSec >= AUDIO_FREQUENCY_MIN && samplesPerSec <= AUDIO_FREQUENCY_MAX &&
               SUCCEEDED(m_buffer->SetFrequency(samplesPerSec));
    }

    uint32_t GetFrequency() const override
    {
        DWORD frequency = 0;
        return m_buffer && SUCCEEDED(m_buffer->GetFrequency(&frequency)) ? frequency : 0;
    }

    // A new buffer's bytes are whatever the driver left there.
    bool FillSilence(uint8_t silence) { return Fill(std::vector<uint8_t>(m_bytes, silence)); }

    // Before the device goes for a rest: what the buffer holds, where it
    // plays and how, kept here while the buffer itself is released.
    void Park()
    {
        if (!m_buffer)
            return;
        const DWORD status = GetStatus();
        m_parked.playing = (status & DSBSTATUS_PLAYING) != 0;
        m_parked.looping = (status & DSBSTATUS_LOOPING) != 0;
        m_buffer->Stop();
        m_buffer->GetCurrentPosition(&m_parked.position, nullptr);
        m_buffer->GetVolume(&m_parked.volume);
        m_buffer->GetPan(&m_parked.pan);
        m_buffer->GetFrequency(&m_parked.frequency);
        m_parked.data.assign(m_bytes, 0);
        void *first = nullptr, *second = nullptr;
        uint32_t firstBytes = 0, secondBytes = 0;
        if (Lock(0, m_bytes, &first, &firstBytes, &second, &secondBytes)) {
            std::memcpy(m_parked.data.data(), first, firstBytes);
            Unlock(first, firstBytes, second, secondBytes);
        }
        m_buffer->Release();
        m_buffer = nullptr;
    }

    // On the device made anew: the same buffer again, going on where it was.
    // A buffer the device refuses stays silent.
    void Unpark(IDirectSound* sound)
    {
        if (m_buffer || !(m_buffer = MakeBuffer(sound, m_wave, m_bytes)))
            return;
        Fill(m_parked.data);
        m_buffer->SetVolume(m_parked.volume);
        m_buffer->SetPan(m_parked.pan);
        m_buffer->SetFrequency(m_parked.frequency);
        m_buffer->SetCurrentPosition(m_parked.position);
        if (m_parked.playing)
            m_buffer->Play(0, 0, m_parked.looping ? DSBPLAY_LOOPING : 0);
        m_parked = SParked();
    }

private:
    struct SParked
    {
        std::vector<uint8_t> data;
        DWORD position = 0;
        LONG volume = 0, pan = 0;
        DWORD frequency = 0;
        bool playing = false, looping = false;
    };

    DWORD GetStatus() const
    {
        DWORD status = 0;
        return m_buffer && SUCCEEDED(m_buffer->GetStatus(&status)) ? status : 0;
    }

    bool Fill(const std::vector<uint8_t>& bytes)
    {
        void *first = nullptr, *second = nullptr;
        uint32_t firstBytes = 0, secondBytes = 0;
        if (!Lock(0, m_bytes, &first, &firstBytes, &second, &secondBytes))
            return false;
        std::memcpy(first, bytes.data(), firstBytes);
        return Unlock(first, firstBytes, second, secondBytes);
    }

    std::shared_ptr<SDirectSound> m_device;
    IDirectSoundBuffer* m_buffer;  // null while parked
    WAVEFORMATEX m_wave;
    uint32_t m_bytes;
    SParked m_parked;
};

bool IsPlayable(const SAudioFormat& format, uint32_t bytes)
{
    const uint32_t frameBytes = format.channels * format.bitsPerSample / 8u;
    return (format.channels == 1 || format.channels == 2) && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.samplesPerSec >= AUDIO_FREQUENCY_MIN && format.samplesPerSec <= AUDIO_FREQUENCY_MAX &&
           bytes >= DSBSIZE_MIN && bytes <= DSBSIZE_MAX && bytes % frameBytes == 0;
}

class CDirectSoundDevice : public CAudioDeviceI
{
public:
    CDirectSoundDevice(IDirectSound* sound, HWND owner) : m_device(std::make_shared<SDirectSound>())
    {
        m_device->sound = sound;
        m_device->owner = owner;
    }

    ~CDirectSoundDevice() override
    {
        m_device->closed = true;
        for (CDirectSoundBuffer* buffer : m_device->buffers)
            buffer->Stop();
    }

    CDirectSoundDevice(const CDirectSoundDevice&) = delete;
    CDirectSoundDevice& operator=(const CDirectSoundDevice&) = delete;

    std::unique_ptr<CAudioBufferI> CreateBuffer(const SAudioFormat& format, uint32_t bytes) override
    {
        if (!IsPlayable(format, bytes) || !m_device->sound)
            return nullptr;
        WAVEFORMATEX wave = {};
        wave.wFormatTag = WAVE_FORMAT_PCM;
        wave.nChannels = format.channels;
        wave.nSamplesPerSec = format.samplesPerSec;
        wave.wBitsPerSample = format.bitsPerSample;
        wave.nBlockAlign = static_cast<WORD>(format.channels * format.bitsPerSample / 8);
        wave.nAvgBytesPerSec = wave.nBlockAlign * format.samplesPerSec;
        IDirectSoundBuffer* buffer = MakeBuffer(m_device->sound, wave, bytes);
        if (!buffer)
            return nullptr;
        auto created = std::make_unique<CDirectSoundBuffer>(m_device, buffer, wave, bytes);
        if (!created->FillSilence(format.bitsPerSample == 8 ? 128 : 0))
            return nullptr;
        return created;
    }

    void Rest() override
    {
        if (!m_device->sound)
            return;
        for (CDirectSoundBuffer* buffer : m_device->buffers)
            buffer->Park();
        m_device->sound->Release();
        m_device->sound = nullptr;
    }

    bool Resume() override
    {
        if (m_device->sound)
            return true;
        m_device->sound = OpenDirectSound(m_device->owner);
        if (!m_device->sound)
            return false;
        for (CDirectSoundBuffer* buffer : m_device->buffers)
            buffer->Unpark(m_device->sound);
        return true;
    }

private:
    std::shared_ptr<SDirectSound> m_device;
};

}  // namespace

std::unique_ptr<CAudioDeviceI> SysCreateAudioDevice(HWindow window)
{
    // A caller without a window of its own (a test) lends the desktop's.
    const HWND owner = window != 0 ? ToHwnd(window) : GetDesktopWindow();
    IDirectSound* sound = OpenDirectSound(owner);
    if (!sound)
        return nullptr;
    return std::make_unique<CDirectSoundDevice>(sound, owner);
}

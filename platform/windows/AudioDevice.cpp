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

// The device and its live buffers. DirectSound frees every buffer with the
// device, so the device is released only after the last buffer; once our
// device object is gone the buffers are stopped and stay silent.
struct SDirectSound
{
    IDirectSound* sound = nullptr;
    bool closed = false;
    std::set<IDirectSoundBuffer*> buffers;

    ~SDirectSound()
    {
        if (sound)
            sound->Release();
    }
};

class CDirectSoundBuffer : public CAudioBufferI
{
public:
    CDirectSoundBuffer(const std::shared_ptr<SDirectSound>& device, IDirectSoundBuffer* buffer)
        : m_device(device), m_buffer(buffer)
    {
        m_device->buffers.insert(m_buffer);
    }

    ~CDirectSoundBuffer() override
    {
        m_device->buffers.erase(m_buffer);
        m_buffer->Stop();
        m_buffer->Release();
    }

    CDirectSoundBuffer(const CDirectSoundBuffer&) = delete;
    CDirectSoundBuffer& operator=(const CDirectSoundBuffer&) = delete;

    std::unique_ptr<CAudioBufferI> Duplicate() override
    {
        IDirectSoundBuffer* copy = nullptr;
        if (m_device->closed || FAILED(m_device->sound->DuplicateSoundBuffer(m_buffer, &copy)))
            return nullptr;
        return std::make_unique<CDirectSoundBuffer>(m_device, copy);
    }

    bool Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
              uint32_t* secondBytes) override
    {
        DWORD firstSize = 0, secondSize = 0;
        if (FAILED(m_buffer->Lock(offset, bytes, first, &firstSize, second, &secondSize, 0)))
            return false;
        *firstBytes = firstSize;
        *secondBytes = secondSize;
        return true;
    }

    bool Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) override
    {
        return SUCCEEDED(m_buffer->Unlock(first, firstBytes, second, secondBytes));
    }

    bool SetCurrentPosition(uint32_t offset) override { return SUCCEEDED(m_buffer->SetCurrentPosition(offset)); }

    // A buffer of a closed device keeps silent.
    bool Play(bool loop) override
    {
        return !m_device->closed && SUCCEEDED(m_buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0));
    }

    bool Stop() override { return SUCCEEDED(m_buffer->Stop()); }

    bool IsPlaying() const override
    {
        DWORD status = 0;
        return SUCCEEDED(m_buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
    }

    // The ranges are checked here as well: not every DirectSound refuses a value outside.
    bool SetVolume(int32_t volume) override
    {
        return volume >= AUDIO_VOLUME_SILENT && volume <= AUDIO_VOLUME_FULL && SUCCEEDED(m_buffer->SetVolume(volume));
    }

    bool SetPan(int32_t pan) override
    {
        return pan >= AUDIO_PAN_LEFT && pan <= AUDIO_PAN_RIGHT && SUCCEEDED(m_buffer->SetPan(pan));
    }

    bool SetFrequency(uint32_t samplesPerSec) override
    {
        return samplesPerSec >= AUDIO_FREQUENCY_MIN && samplesPerSec <= AUDIO_FREQUENCY_MAX &&
               SUCCEEDED(m_buffer->SetFrequency(samplesPerSec));
    }

    uint32_t GetFrequency() const override
    {
        DWORD frequency = 0;
        return SUCCEEDED(m_buffer->GetFrequency(&frequency)) ? frequency : 0;
    }

    // A new buffer's bytes are whatever the driver left there.
    bool FillSilence(uint32_t bytes, uint8_t silence)
    {
        void *first = nullptr, *second = nullptr;
        uint32_t firstBytes = 0, secondBytes = 0;
        if (!Lock(0, bytes, &first, &firstBytes, &second, &secondBytes))
            return false;
        std::memset(first, silence, firstBytes);
        if (second)
            std::memset(second, silence, secondBytes);
        return Unlock(first, firstBytes, second, secondBytes);
    }

private:
    std::shared_ptr<SDirectSound> m_device;
    IDirectSoundBuffer* m_buffer;
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
    explicit CDirectSoundDevice(IDirectSound* sound) : m_device(std::make_shared<SDirectSound>())
    {
        m_device->sound = sound;
    }

    ~CDirectSoundDevice() override
    {
        m_device->closed = true;
        for (IDirectSoundBuffer* buffer : m_device->buffers)
            buffer->Stop();
    }

    CDirectSoundDevice(const CDirectSoundDevice&) = delete;
    CDirectSoundDevice& operator=(const CDirectSoundDevice&) = delete;

    std::unique_ptr<CAudioBufferI> CreateBuffer(const SAudioFormat& format, uint32_t bytes) override
    {
        if (!IsPlayable(format, bytes))
            return nullptr;
        WAVEFORMATEX wave = {};
        wave.wFormatTag = WAVE_FORMAT_PCM;
        wave.nChannels = format.channels;
        wave.nSamplesPerSec = format.samplesPerSec;
        wave.wBitsPerSample = format.bitsPerSample;
        wave.nBlockAlign = static_cast<WORD>(format.channels * format.bitsPerSample / 8);
        wave.nAvgBytesPerSec = wave.nBlockAlign * format.samplesPerSec;
        DSBUFFERDESC description = {};
        description.dwSize = sizeof description;
        description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        description.dwBufferBytes = bytes;
        description.lpwfxFormat = &wave;
        IDirectSoundBuffer* buffer = nullptr;
        if (FAILED(m_device->sound->CreateSoundBuffer(&description, &buffer, nullptr)))
            return nullptr;
        auto created = std::make_unique<CDirectSoundBuffer>(m_device, buffer);
        if (!created->FillSilence(bytes, format.bitsPerSample == 8 ? 128 : 0))
            return nullptr;
        return created;
    }

    // DirectSound keeps a stopped buffer's play cursor, so Resume goes on from there.
    void Rest() override
    {
        for (IDirectSoundBuffer* buffer : m_device->buffers) {
            DWORD status = 0;
            if (FAILED(buffer->GetStatus(&status)) || (status & DSBSTATUS_PLAYING) == 0)
                continue;
            m_resting.push_back({buffer, (status & DSBSTATUS_LOOPING) != 0});
            buffer->Stop();
        }
    }

    bool Resume() override
    {
        for (const SRestingBuffer& resting : m_resting)
            if (m_device->buffers.count(resting.buffer) != 0)
                resting.buffer->Play(0, 0, resting.looping ? DSBPLAY_LOOPING : 0);
        m_resting.clear();
        return true;
    }

private:
    struct SRestingBuffer
    {
        IDirectSoundBuffer* buffer;
        bool looping;
    };

    std::shared_ptr<SDirectSound> m_device;
    std::vector<SRestingBuffer> m_resting;  // what Rest stopped, to be played again
};

}  // namespace

std::unique_ptr<CAudioDeviceI> SysCreateAudioDevice(HWindow window)
{
    IDirectSound* sound = nullptr;
    // Without a sound card DirectSound refuses (E_INVALIDARG under Wine): the show is silent.
    if (FAILED(DirectSoundCreate(nullptr, &sound, nullptr)))
        return nullptr;
    auto device = std::make_unique<CDirectSoundDevice>(sound);
    // The normal level needs a top-level window; a caller without one (a test) lends the desktop's.
    const HWND owner = window != 0 ? ToHwnd(window) : GetDesktopWindow();
    if (FAILED(sound->SetCooperativeLevel(owner, DSSCL_NORMAL)))
        return nullptr;
    return device;
}

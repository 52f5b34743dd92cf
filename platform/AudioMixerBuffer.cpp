// The software mixer's buffers: each registers its voice with the mixer's
// core for as long as it lives.
#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/AudioMixer.h"
#include "platform/AudioMixerCore.h"

namespace {

std::atomic<uint32_t> g_liveBuffers{0};

// Hundredths of a decibel to a linear gain; the bottom of the range is silence.
float DecibelsToGain(int32_t hundredths)
{
    if (hundredths <= AUDIO_VOLUME_SILENT)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

class CMixerBuffer : public CAudioBufferI
{
public:
    CMixerBuffer(const std::shared_ptr<SMixerCore>& core, const std::shared_ptr<SMixerSound>& sound,
                 const SMixerVoice& settings)
        : m_core(core), m_voice(settings)
    {
        m_voice.sound = sound;
        m_voice.position = 0;
        m_voice.playing = false;
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_core->voices.push_back(&m_voice);
        ++g_liveBuffers;
    }

    // The core keeps a pointer to m_voice: a buffer never moves.
    CMixerBuffer(const CMixerBuffer&) = delete;
    CMixerBuffer& operator=(const CMixerBuffer&) = delete;

    ~CMixerBuffer() override
    {
        std::lock_guard<std::mutex> hold(m_core->lock);
        auto& voices = m_core->voices;
        voices.erase(std::remove(voices.begin(), voices.end(), &m_voice), voices.end());
        --g_liveBuffers;
    }

    std::unique_ptr<CAudioBufferI> Duplicate() override
    {
        SMixerVoice settings;
        {
            std::lock_guard<std::mutex> hold(m_core->lock);
            settings = m_voice;
        }
        return std::make_unique<CMixerBuffer>(m_core, m_voice.sound, settings);
    }

    bool Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
              uint32_t* secondBytes) override
    {
        std::vector<uint8_t>& data = m_voice.sound->bytes;
        if (offset >= data.size() || bytes == 0 || bytes > data.size())
            return false;
        *first = data.data() + offset;
        *firstBytes = std::min<uint32_t>(bytes, static_cast<uint32_t>(data.size()) - offset);
        const uint32_t rest = bytes - *firstBytes;
        *second = rest ? data.data() : nullptr;
        *secondBytes = rest;
        return true;
    }

    bool Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) override
    {
        return Publish(first, firstBytes) && Publish(second, secondBytes);
    }

    bool SetCurrentPosition(uint32_t offset) override
    {
        const SMixerSound& sound = *m_voice.sound;
        const uint32_t frame = offset / (sound.format.channels * sound.format.bitsPerSample / 8);
        if (frame >= sound.frames)
            return false;
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.position = frame;
        return true;
    }

    bool Play(bool loop) override
    {
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.looping = loop;
        m_voice.playing = true;
        return true;
    }

    bool Stop() override
    {
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.playing = false;
        return true;
    }

    bool IsPlaying() const override
    {
        std::lock_guard<std::mutex> hold(m_core->lock);
        return m_voice.playing;
    }

    bool SetVolume(int32_t volume) override
    {
        if (volume < AUDIO_VOLUME_SILENT || volume > AUDIO_VOLUME_FULL)
            return false;
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.volume = volume;
        UpdateGains();
        return true;
    }

    bool SetPan(int32_t pan) override
    {
        if (pan < AUDIO_PAN_LEFT || pan > AUDIO_PAN_RIGHT)
            return false;
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.pan = pan;
        UpdateGains();
        return true;
    }

    bool SetFrequency(uint32_t samplesPerSec) override
    {
        if (samplesPerSec < AUDIO_FREQUENCY_MIN || samplesPerSec > AUDIO_FREQUENCY_MAX)
            return false;
        std::lock_guard<std::mutex> hold(m_core->lock);
        m_voice.frequency = samplesPerSec;
        return true;
    }

    uint32_t GetFrequency() const override
    {
        std::lock_guard<std::mutex> hold(m_core->lock);
        return m_voice.frequency;
    }

private:
    // Caller holds the lock. Each channel loses what the pan takes from it.
    void UpdateGains()
    {
        const float gain = DecibelsToGain(m_voice.volume);
        m_voice.left = gain * DecibelsToGain(std::min(0, -m_voice.pan));
        m_voice.right = gain * DecibelsToGain(std::min(0, m_voice.pan));
    }

    // Turns a region handed out by Lock into the samples the mixer reads.
    bool Publish(void* region, uint32_t size)
    {
        if (!region)
            return size == 0;
        SMixerSound& sound = *m_voice.sound;
        const uint8_t* base = sound.bytes.data();
        const uint8_t* start = static_cast<const uint8_t*>(region);
        if (start < base || start + size > base + sound.bytes.size())
            return false;
        const size_t width = sound.format.bitsPerSample / 8;
        const size_t first = static_cast<size_t>(start - base) / width;
        const size_t last =
            std::min(sound.samples.size(), (static_cast<size_t>(start - base) + size + width - 1) / width);
        std::lock_guard<std::mutex> hold(m_core->lock);
        for (size_t i = first; i < last; ++i) {
            const uint8_t* p = base + i * width;
            sound.samples[i] = width == 1 ? (p[0] - 128) / 128.0f : static_cast<int16_t>(p[0] | p[1] << 8) / 32768.0f;
        }
        return true;
    }

    std::shared_ptr<SMixerCore> m_core;
    SMixerVoice m_voice;
};

}  // namespace

std::unique_ptr<CAudioBufferI> MakeMixerBuffer(const std::shared_ptr<SMixerCore>& core,
                                               const std::shared_ptr<SMixerSound>& sound)
{
    SMixerVoice settings;
    settings.frequency = sound->format.samplesPerSec;
    return std::make_unique<CMixerBuffer>(core, sound, settings);
}

uint32_t CountLiveMixerBuffers()
{
    return g_liveBuffers;
}

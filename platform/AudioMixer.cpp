#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>

#include "platform/AudioMixerCore.h"

namespace {

// Output is mixed in chunks so the sum lives on the stack and the lock is
// held for one chunk at a time: 256 frames are under 6 ms at 44.1 kHz.
const size_t CHUNK_FRAMES = 256;

// Moves a voice on without adding it, as a silent voice still plays.
void SkipVoice(SMixerVoice& voice, size_t frames, double step)
{
    const double count = voice.sound->frames;
    voice.position += step * static_cast<double>(frames);
    if (voice.position < count)
        return;
    if (voice.looping) {
        voice.position = std::fmod(voice.position, count);
    } else {
        voice.playing = false;
        voice.position = 0;
    }
}

// Adds one voice to the chunk's sum, reading the sound at the voice's rate
// with linear interpolation; a buffer played once stops at its end.
void MixVoice(SMixerVoice& voice, float* sum, size_t frames, uint32_t outputRate)
{
    const SMixerSound& sound = *voice.sound;
    const uint32_t count = sound.frames;
    if (count == 0 || voice.frequency == 0) {
        voice.playing = false;
        return;
    }
    const double step = static_cast<double>(voice.frequency) / outputRate;
    if (voice.left == 0 && voice.right == 0) {
        SkipVoice(voice, frames, step);
        return;
    }
    const float* data = sound.samples.data();
    const uint32_t channels = sound.format.channels;
    // The second channel of a mono sound is its first.
    const uint32_t other = channels == 2 ? 1 : 0;
    double position = voice.position;
    for (size_t i = 0; i < frames; ++i) {
        const uint32_t at = static_cast<uint32_t>(position);
        const float fraction = static_cast<float>(position - at);
        // A loop's last frame leads into its first; a single play holds its last.
        const uint32_t next = at + 1 < count ? at + 1 : (voice.looping ? 0 : at);
        const float* a = data + at * channels;
        const float* b = data + next * channels;
        sum[2 * i] += voice.left * (a[0] + (b[0] - a[0]) * fraction);
        sum[2 * i + 1] += voice.right * (a[other] + (b[other] - a[other]) * fraction);
        position += step;
        if (position >= count) {
            if (!voice.looping) {
                voice.playing = false;
                position = 0;
                break;
            }
            position = std::fmod(position, static_cast<double>(count));
        }
    }
    voice.position = position;
}

// Moves the output's level one frame at a time towards where the core is
// going, scaling the chunk's sum with it.
void ApplyFade(SMixerCore& core, float* sum, size_t frames)
{
    if (!core.resting && core.level == 1)
        return;
    const float step = static_cast<float>(1.0 / (MIXER_FADE_SECONDS * core.outputRate));
    for (size_t i = 0; i < frames; ++i) {
        core.level = core.resting ? std::max(0.0f, core.level - step) : std::min(1.0f, core.level + step);
        sum[2 * i] *= core.level;
        sum[2 * i + 1] *= core.level;
    }
}

int16_t ToSample(float value)
{
    return static_cast<int16_t>(std::lrint(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

CAudioMixer::CAudioMixer(uint32_t outputRate) : m_core(std::make_shared<SMixerCore>())
{
    m_core->outputRate = outputRate;
}

CAudioMixer::~CAudioMixer() = default;

uint32_t CAudioMixer::GetOutputRate() const
{
    std::lock_guard<std::mutex> hold(m_core->lock);
    return m_core->outputRate;
}

void CAudioMixer::SetOutputRate(uint32_t outputRate)
{
    std::lock_guard<std::mutex> hold(m_core->lock);
    m_core->outputRate = outputRate;
}

void CAudioMixer::Rest()
{
    std::lock_guard<std::mutex> hold(m_core->lock);
    m_core->resting = true;
}

bool CAudioMixer::Resume()
{
    std::lock_guard<std::mutex> hold(m_core->lock);
    m_core->resting = false;
    return true;
}

bool CAudioMixer::IsAtRest() const
{
    std::lock_guard<std::mutex> hold(m_core->lock);
    return m_core->resting && m_core->level == 0;
}

std::unique_ptr<CAudioBufferI> CAudioMixer::CreateBuffer(const SAudioFormat& format, uint32_t bytes)
{
    const bool channelsOk = format.channels == 1 || format.channels == 2;
    const bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    const bool rateOk = format.samplesPerSec >= AUDIO_FREQUENCY_MIN && format.samplesPerSec <= AUDIO_FREQUENCY_MAX;
    if (!channelsOk || !bitsOk || !rateOk || bytes == 0)
        return nullptr;
    auto sound = std::make_shared<SMixerSound>();
    sound->format = format;
    sound->frames = bytes / (format.channels * format.bitsPerSample / 8);
    // Silence: 8-bit data is unsigned, centred on 128.
    sound->bytes.assign(bytes, format.bitsPerSample == 8 ? 128 : 0);
    sound->samples.assign(static_cast<size_t>(sound->frames) * format.channels, 0.0f);
    return MakeMixerBuffer(m_core, sound);
}

void CAudioMixer::Mix(int16_t* out, size_t frames)
{
    float sum[2 * CHUNK_FRAMES];
    while (frames > 0) {
        const size_t chunk = std::min(frames, CHUNK_FRAMES);
        std::fill(sum, sum + 2 * chunk, 0.0f);
        {
            std::lock_guard<std::mutex> hold(m_core->lock);
            if (!m_core->resting || m_core->level > 0) {
                for (SMixerVoice* voice : m_core->voices)
                    if (voice->playing)
                        MixVoice(*voice, sum, chunk, m_core->outputRate);
                ApplyFade(*m_core, sum, chunk);
            }
        }
        for (size_t i = 0; i < 2 * chunk; ++i)
            out[i] = ToSample(sum[i]);
        out += 2 * chunk;
        frames -= chunk;
    }
}

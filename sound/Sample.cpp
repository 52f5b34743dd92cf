#include "sound/Sample.h"

#include <cstring>

#include "assets/Pack.h"
#include "sound/Decibels.h"
#include "sound/SoundSystem.h"
#include "sound/WaveData.h"

int CSample::Load(const char* name, CSoundSystem* system)
{
    m_name = name;
    m_system = system;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    SWaveData wave;
    if (!system || !system->GetDevice() || !FindPackItem(name, &data, &size) || !wave.Parse(data, size))
        return 0;
    const SAudioFormat format = {wave.channels, wave.samplesPerSec, wave.bitsPerSample};
    const uint32_t bytes = static_cast<uint32_t>(wave.samples.size());
    m_buffer = system->GetDevice()->CreateBuffer(format, bytes);
    if (!m_buffer)
        return 0;
    m_baseFrequency = m_buffer->GetFrequency();
    if (!Fill(wave.samples.data(), bytes)) {
        m_buffer.reset();
        return 0;
    }
    return 1;
}

bool CSample::Fill(const uint8_t* samples, uint32_t bytes)
{
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    if (!m_buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes))
        return false;
    std::memcpy(first, samples, firstBytes);
    if (second)
        std::memcpy(second, samples + firstBytes, secondBytes);
    return m_buffer->Unlock(first, firstBytes, second, secondBytes);
}

int CSample::Duplicate(CSmartPtr<CSample>& out) const
{
    if (!m_buffer)
        return 0;
    std::unique_ptr<CAudioBufferI> buffer = m_buffer->Duplicate();
    if (!buffer)
        return 0;
    CSmartPtr<CSample> copy = new CSmartPtrWrap<CSample>();
    copy->m_name = m_name;
    copy->m_buffer = std::move(buffer);
    copy->m_system = m_system;
    copy->m_baseFrequency = m_baseFrequency;
    out = copy;
    return 1;
}

int CSample::Play(bool loop)
{
    return m_buffer && m_buffer->SetCurrentPosition(0) && m_buffer->Play(loop);
}

int CSample::Stop()
{
    return m_buffer && m_buffer->Stop();
}

bool CSample::IsPlaying() const
{
    return m_buffer && m_buffer->IsPlaying();
}

int CSample::SetVolume(float gain)
{
    return m_buffer && m_buffer->SetVolume(GainToVolume(gain));
}

int CSample::SetPan(float pan)
{
    return m_buffer && m_buffer->SetPan(PanToBalance(pan));
}

int CSample::SetPitch(float factor)
{
    // A factor the device's range cannot hold is refused before it can overflow.
    const double frequency = static_cast<double>(factor) * m_baseFrequency;
    if (!(frequency >= 0) || frequency > AUDIO_FREQUENCY_MAX)
        return 0;
    return m_buffer && m_buffer->SetFrequency(static_cast<uint32_t>(frequency));
}

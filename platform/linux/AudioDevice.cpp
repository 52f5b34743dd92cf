// The audio device on SDL: SDL's audio thread asks the software mixer for
// each block of output. SDL converts our 16-bit stereo to what the hardware
// takes; only the rate is left to the device, and the mixer follows it.
#include <SDL.h>
#include <dlfcn.h>

#include <cstring>

#include "platform/AudioMixer.h"

namespace {

const int WANTED_RATE = 44100;
// About 23 ms at 44.1 kHz: short enough for a splash to follow its bubbles.
const Uint16 BLOCK_FRAMES = 1024;
// Blocks of output that SDL and the sound server may hold between the mixer
// and the loudspeaker.
const uint32_t LATENCY_BLOCKS = 3;
const uint32_t REST_WAIT_MS = 200;  // the longest a rest waits for its fade

// ALSA's own handler prints to standard error when the machine has no sound
// card. No device is no failure of the show's, so it stays quiet. ALSA is
// loaded as SDL would load it; the reference is kept for SDL's use.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa()
{
    typedef void (*ErrorHandler)(const char*, int, const char*, int, const char*, ...);
    typedef int (*SetErrorHandler)(ErrorHandler);
    static bool done = false;
    if (done)
        return;
    done = true;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW);
    if (!alsa)
        return;
    auto setHandler = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler)
        setHandler(IgnoreAlsaError);
}

class CSdlAudioDevice : public CAudioDeviceI
{
public:
    // Closing waits for the audio thread, so the mixer is no longer used after it.
    ~CSdlAudioDevice() override
    {
        if (m_device)
            SDL_CloseAudioDevice(m_device);
        if (m_everOpened)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // False when SDL has no device for us. The subsystem then keeps our
    // reference for the process's life: quitting it joins SDL's ALSA hotplug
    // thread, which sleeps in steps of 100 ms, and would hold up the show's
    // first frame on a machine without a sound card.
    bool Open()
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        QuietAlsa();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_everOpened = OpenOutput();
        return m_everOpened;
    }

    std::unique_ptr<CAudioBufferI> CreateBuffer(const SAudioFormat& format, uint32_t bytes) override
    {
        return m_mixer->CreateBuffer(format, bytes);
    }

    // SDL's own pause would go on writing silence and keep the sound server
    // busy: the device is closed instead, once the fade has been heard. The
    // subsystem stays up, so that opening the device again costs no stall.
    void Rest() override
    {
        if (!m_device)
            return;
        m_mixer->Rest();
        const uint32_t start = SDL_GetTicks();
        while (!m_mixer->IsAtRest() && SDL_GetTicks() - start < REST_WAIT_MS)
            SDL_Delay(1);
        // What SDL has handed on still plays: the fade's tail must not be cut.
        SDL_Delay(m_latencyMs);
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }

    bool Resume() override
    {
        if (!m_device && !OpenOutput())
            return false;
        return m_mixer->Resume();
    }

private:
    // The output at the rate SDL gets for it, with the mixer following that
    // rate; the callback starts only once the device is unpaused.
    bool OpenOutput()
    {
        SDL_AudioSpec wanted = {};
        wanted.freq = WANTED_RATE;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = BLOCK_FRAMES;
        wanted.callback = Fill;
        wanted.userdata = this;
        SDL_AudioSpec obtained = {};
        m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (!m_device)
            return false;
        if (m_mixer)
            m_mixer->SetOutputRate(static_cast<uint32_t>(obtained.freq));
        else
            m_mixer = std::make_unique<CAudioMixer>(static_cast<uint32_t>(obtained.freq));
        m_latencyMs = LATENCY_BLOCKS * 1000u * obtained.samples / static_cast<uint32_t>(obtained.freq);
        SDL_PauseAudioDevice(m_device, 0);
        return true;
    }

    // On SDL's audio thread. No exception may cross into SDL: a failure
    // gives a block of silence.
    static void SDLCALL Fill(void* self, Uint8* stream, int bytes)
    {
        try {
            static_cast<CSdlAudioDevice*>(self)->m_mixer->Mix(reinterpret_cast<int16_t*>(stream),
                                                              static_cast<size_t>(bytes) / (2 * sizeof(int16_t)));
        } catch (...) {
            std::memset(stream, 0, static_cast<size_t>(bytes));
        }
    }

    SDL_AudioDeviceID m_device = 0;  // 0 while resting
    bool m_everOpened = false;
    uint32_t m_latencyMs = 0;  // how long what SDL has handed on takes to play
    std::unique_ptr<CAudioMixer> m_mixer;
};

}  // namespace

std::unique_ptr<CAudioDeviceI> SysCreateAudioDevice(HWindow)
{
    auto device = std::make_unique<CSdlAudioDevice>();
    if (!device->Open())
        return nullptr;
    return device;
}

// A long show in minutes: the default scene (twenty fish, bubbles, ripples,
// rays) with its sound on the real audio device, in a small window, through
// the show's own frame loop (draw, swap, sound update). The frame clock is
// ours and moves by the renderer's largest step, 0.1 s, every frame, so two
// hours of scene time pass in minutes of wall time. A run may start where a
// show of many days would be: the scene clock, the bubble stream's clock and
// every fish's swimming cycle and breathing clock are moved on first, and our
// frame counter starts at that many days too.
//
// Watches what a long show could lose: resident memory after the first
// minute, the bubble store's bound, GL errors, sound voices and buffers (every
// live buffer is a cached sound or one voice's copy; once the scene stops only
// the ambient loop plays on; nothing is left after shutdown) and the fins'
// movement at the end. Prints the figures, then one line per failed check,
// and exits non-zero when any failed.
//
//     bench_SoakBench [scene-minutes] [start-days] [WIDTHxHEIGHT]
//
// Sound needs an audio driver that runs without a sound card:
// bench/run-soak.sh sets SDL's disk driver writing to /dev/null.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchWindow.h"
#include "app/FrameTimer.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "assets/Pack.h"
#include "fish/BlueFishActor.h"
#include "fish/FishActor.h"
#include "fish/PearlFishActor.h"
#include "platform/AudioMixer.h"
#include "render/BubbleSystem.h"
#include "render/GLDrawer.h"
#include "sound/Sound.h"
#include "sound/SoundSystem.h"

namespace {

const int64_t COUNTS_PER_SECOND = 1000000;            // our frame clock counts microseconds
const int64_t FRAME_COUNTS = COUNTS_PER_SECOND / 10;  // 0.1 s, the renderer's largest step
const int FRAMES_PER_MINUTE = 600;
const int RSS_SAMPLE_FRAMES = 60;      // resident memory read every 6 s of scene time
const long RSS_GROWTH_LIMIT_KIB = 2048;  // allowed above the first minute's figure
const int MAX_ERRORS_PER_FRAME = 16;   // glGetError is read until clear, but no further
const float POSE_CHANGE = 1e-3f;       // an axis moving less than this in one frame stands still
const double SOUND_SETTLE_SECONDS = 10.0;  // wall time for the last splashes to end

// As the show sets up its sound.
const char* const AMBIENT_SOUND = "sound/main.wav";
const float LISTENER_RANGE = 20.0f;

int64_t g_counter = 0;

bool QueryFrequency(int64_t* frequency)
{
    *frequency = COUNTS_PER_SECOND;
    return true;
}

bool QueryCounter(int64_t* count)
{
    *count = g_counter;
    return true;
}

uint32_t GetTicks()
{
    return static_cast<uint32_t>(g_counter / 1000);
}

const SFrameClock SOAK_CLOCK = {QueryFrequency, QueryCounter, GetTicks};

struct SSoakOptions
{
    int minutes = 120;
    int startDays = 0;
    int width = 320;
    int height = 240;

    SSoakOptions(int argc, char** argv)
    {
        if (argc > 1)
            minutes = std::max(2, std::atoi(argv[1]));
        if (argc > 2)
            startDays = std::max(0, std::atoi(argv[2]));
        if (argc > 3)
            std::sscanf(argv[3], "%dx%d", &width, &height);
    }
};

long ReadResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

struct SSoundCounts
{
    uint32_t buffers = 0;  // live buffers of the mixer, duplicates included
    size_t cached = 0;     // sounds the sound system keeps loaded
    int held = 0;          // voices holding a copy of a sound
    int playing = 0;       // voices whose copy plays

    // Every buffer alive is either a cached sound or one voice's copy.
    bool AllAccounted() const { return buffers == cached + static_cast<size_t>(held); }
};

SSoundCounts CountSounds()
{
    SSoundCounts counts;
    counts.buffers = CountLiveMixerBuffers();
    const CSoundSystem* system = FindSoundSystem();
    if (!system)
        return counts;
    counts.cached = system->GetCache().GetCount();
    for (int i = 0; i < SOUND_VOICE_COUNT; ++i) {
        const SSoundVoice& voice = system->GetVoice(i);
        if (!voice.sample)
            continue;
        ++counts.held;
        if (voice.sample->IsPlaying())
            ++counts.playing;
    }
    return counts;
}

// The ambient loop with the listener above the water, as the show starts it.
bool StartShowSound(HWindow window)
{
    if (!InitSoundSystem(window))
        return false;
    SetSoundMasterVolume(1.0f);
    SetSoundListener({0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}, LISTENER_RANGE);
    const SVector3 still = {0.0f, 0.0f, 0.0f};
    static const int ambientOwner = 0;
    return PlaySample(AMBIENT_SOUND, &ambientOwner, SOUND_KEY_KEEP, SOUND_LOOP, 1.0f, 0.0f, 1.0f, still, still) == 1;
}

// The tail and the left fin of the fish of a kind drawn last in a frame: the
// kind's model holds that fish's pose until the next frame.
struct SPose
{
    bool found = false;
    SVector3 tail = {0, 0, 0};
    SVector3 fin = {0, 0, 0};
};

SPose ReadPose(const CModel& model)
{
    SPose pose;
    const CMesh* tail = model.FindNode("hvost");
    const CMesh* fin = model.FindNode("left_plavnik");
    if (!tail || !fin)
        return pose;
    pose.found = true;
    pose.tail = tail->GetAxis(0);
    pose.fin = fin->GetAxis(0);
    return pose;
}

float Distance(const SVector3& a, const SVector3& b)
{
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

bool Moved(const SPose& before, const SPose& after)
{
    return before.found && after.found &&
           (Distance(before.tail, after.tail) > POSE_CHANGE || Distance(before.fin, after.fin) > POSE_CHANGE);
}

struct SFinnedKind
{
    const char* name;
    CModel& (*model)();
};

const SFinnedKind FINNED_KINDS[] = {
    {"yellow", CFishActor::GetModel}, {"blue", CBlueFishActor::GetModel}, {"pearl", CPearlFishActor::GetModel}};

struct SSoakFigures
{
    long frames = 0;
    double wallSeconds = 0;
    double sceneStart = 0, sceneEnd = 0;
    long rssStart = -1, rssAtMinute = -1, rssEnd = -1, rssMax = 0, rssMaxAfterMinute = 0;
    std::vector<long> rssByTenMinutes;
    uint32_t maxBubbles = 0;
    long framesWithStoreFull = 0;
    long glErrors = 0;
    unsigned firstGlError = GL_NO_ERROR;
    SSoundCounts soundStart, soundEnd, soundSettled;
    uint32_t maxBuffers = 0;
    long framesUnaccounted = 0;  // frames where a live buffer was neither cached nor a voice's
    uint32_t buffersAfterShutdown = 0;
    bool finsMoving[3] = {false, false, false};
};

class CSoak
{
public:
    CSoak(const SSoakOptions& options, CBenchWindow& window, CGLDrawer& drawer)
        : m_options(options), m_window(window), m_drawer(drawer)
    {
    }

    void Run(SSoakFigures& figures)
    {
        figures.soundStart = CountSounds();
        figures.rssStart = ReadResidentKiB();
        figures.sceneStart = m_drawer.GetSceneTime();
        const long frames = static_cast<long>(m_options.minutes) * FRAMES_PER_MINUTE;
        SPose last[3];
        const auto start = std::chrono::steady_clock::now();
        for (long frame = 1; frame <= frames; ++frame) {
            RunFrame(figures);
            Sample(frame, figures);
            if (frame >= frames - 1) {
                for (int kind = 0; kind < 3; ++kind) {
                    const SPose pose = ReadPose(FINNED_KINDS[kind].model());
                    if (frame == frames)
                        figures.finsMoving[kind] = Moved(last[kind], pose);
                    last[kind] = pose;
                }
            }
        }
        figures.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        figures.frames = frames;
        figures.sceneEnd = m_drawer.GetSceneTime();
        figures.rssEnd = ReadResidentKiB();
        figures.soundEnd = CountSounds();
        SettleSound(figures);
    }

private:
    // One turn of the show's loop, on our clock.
    void RunFrame(SSoakFigures& figures)
    {
        m_window.PumpMessages();
        g_counter += FRAME_COUNTS;
        m_drawer.Draw();
        m_window.SwapBuffers();
        UpdateSounds();
        int read = 0;
        for (GLenum error = glGetError(); error != GL_NO_ERROR && read < MAX_ERRORS_PER_FRAME;
             error = glGetError(), ++read) {
            if (figures.glErrors++ == 0)
                figures.firstGlError = error;
        }
    }

    void Sample(long frame, SSoakFigures& figures)
    {
        const uint32_t bubbles = GetBubbleSystem().GetCount();
        figures.maxBubbles = std::max(figures.maxBubbles, bubbles);
        if (bubbles == CBubbleSystem::MAX_BUBBLES)
            ++figures.framesWithStoreFull;
        const SSoundCounts sound = CountSounds();
        figures.maxBuffers = std::max(figures.maxBuffers, sound.buffers);
        if (!sound.AllAccounted())
            ++figures.framesUnaccounted;

        if (frame % RSS_SAMPLE_FRAMES != 0)
            return;
        const long rss = ReadResidentKiB();
        figures.rssMax = std::max(figures.rssMax, rss);
        if (frame == FRAMES_PER_MINUTE)
            figures.rssAtMinute = rss;
        if (frame > FRAMES_PER_MINUTE)
            figures.rssMaxAfterMinute = std::max(figures.rssMaxAfterMinute, rss);
        if (frame % (10 * FRAMES_PER_MINUTE) == 0)
            figures.rssByTenMinutes.push_back(rss);
    }

    // With the scene stopped, the splashes end on their own; only the ambient
    // loop should still play. Then the sound system goes, and every buffer with it.
    void SettleSound(SSoakFigures& figures)
    {
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
               SOUND_SETTLE_SECONDS) {
            UpdateSounds();
            if (CountSounds().playing <= figures.soundStart.playing)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        figures.soundSettled = CountSounds();
        ShutdownSoundSystem();
        figures.buffersAfterShutdown = CountLiveMixerBuffers();
    }

    const SSoakOptions& m_options;
    CBenchWindow& m_window;
    CGLDrawer& m_drawer;
};

void PrintSound(const char* when, const SSoundCounts& counts)
{
    std::printf("  sound %-9s %2u mixer buffers = %zu cached + %d voice copies; %d voices playing\n", when,
                counts.buffers, counts.cached, counts.held, counts.playing);
}

void PrintFigures(const SSoakOptions& options, const SSoakFigures& figures)
{
    std::printf("soak %dx%d, %d min of scene time from day %d: %ld frames in %.0f s of wall time (%.0f fps)\n",
                options.width, options.height, options.minutes, options.startDays, figures.frames,
                figures.wallSeconds, figures.frames / figures.wallSeconds);
    std::printf("  scene time %.1f s -> %.1f s\n", figures.sceneStart, figures.sceneEnd);
    std::printf("  resident memory: %ld KiB at the start, %ld KiB after 1 min, %ld KiB at the end, "
                "max %ld KiB (after 1 min: %ld KiB)\n",
                figures.rssStart, figures.rssAtMinute, figures.rssEnd, figures.rssMax, figures.rssMaxAfterMinute);
    if (!figures.rssByTenMinutes.empty()) {
        std::printf("  resident memory every 10 min (KiB):");
        for (long rss : figures.rssByTenMinutes)
            std::printf(" %ld", rss);
        std::printf("\n");
    }
    std::printf("  bubble store: at most %u of %u, full in %ld frames\n", figures.maxBubbles,
                CBubbleSystem::MAX_BUBBLES, figures.framesWithStoreFull);
    std::printf("  GL errors: %ld", figures.glErrors);
    if (figures.glErrors)
        std::printf(" (first 0x%04x)", figures.firstGlError);
    std::printf("\n");
    PrintSound("start", figures.soundStart);
    PrintSound("end", figures.soundEnd);
    PrintSound("settled", figures.soundSettled);
    std::printf("  sound: at most %u mixer buffers; %ld frames with a buffer unaccounted for; %u left after "
                "shutdown\n",
                figures.maxBuffers, figures.framesUnaccounted, figures.buffersAfterShutdown);
    std::printf("  fins moving in the last frame:");
    for (int kind = 0; kind < 3; ++kind)
        std::printf(" %s %s", FINNED_KINDS[kind].name, figures.finsMoving[kind] ? "yes" : "NO");
    std::printf("\n");
}

// One line per failed check; the number of failures.
int ReportFailures(const SSoakOptions& options, const SSoakFigures& figures)
{
    int failures = 0;
    auto check = [&failures](bool ok, const std::string& what) {
        if (!ok) {
            std::printf("FAILED: %s\n", what.c_str());
            ++failures;
        }
    };
    const double expectedScene = figures.sceneStart + options.minutes * 60.0;
    check(std::fabs(figures.sceneEnd - expectedScene) < 1.0,
          "the scene clock did not advance by " + std::to_string(options.minutes) + " min");
    check(figures.rssAtMinute > 0 && figures.rssMaxAfterMinute - figures.rssAtMinute <= RSS_GROWTH_LIMIT_KIB,
          "resident memory grew by more than " + std::to_string(RSS_GROWTH_LIMIT_KIB) + " KiB after the first minute");
    check(figures.maxBubbles <= CBubbleSystem::MAX_BUBBLES, "the bubble store went above 1024");
    check(figures.glErrors == 0, "GL reported " + std::to_string(figures.glErrors) + " errors");
    check(figures.framesUnaccounted == 0, "mixer buffers leaked: some were neither cached nor held by a voice");
    check(figures.soundSettled.playing == figures.soundStart.playing,
          "voices still playing after the splashes ended: " + std::to_string(figures.soundSettled.playing) +
              " against " + std::to_string(figures.soundStart.playing) + " at the start");
    check(figures.buffersAfterShutdown == 0,
          std::to_string(figures.buffersAfterShutdown) + " mixer buffers outlived the sound system");
    for (int kind = 0; kind < 3; ++kind)
        check(figures.finsMoving[kind], std::string("the ") + FINNED_KINDS[kind].name + " fish's fins stood still");
    return failures;
}

}  // namespace

int main(int argc, char** argv)
{
    const SSoakOptions options(argc, argv);
    SeedRandom(1);
    SetDefaultSettings();
    if (!LoadResourcePack(PACK_RESOURCE_ID)) {
        std::fprintf(stderr, "the resource pack cannot be loaded\n");
        return 1;
    }
    g_counter = static_cast<int64_t>(options.startDays) * 86400 * COUNTS_PER_SECOND;
    CBenchWindow window(options.width, options.height);
    CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>(SOAK_CLOCK);
    drawer->Init();
    if (drawer->GetFishCount() != 20) {
        std::fprintf(stderr, "the default scene should have twenty fish, not %zu\n", drawer->GetFishCount());
        return 1;
    }
    drawer->SkipAhead(options.startDays * 86400.0);
    if (!StartShowSound(window.GetWindow())) {
        std::fprintf(stderr, "no sound: set SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null (bench/run-soak.sh)\n");
        return 1;
    }

    SSoakFigures figures;
    CSoak(options, window, *drawer).Run(figures);
    PrintFigures(options, figures);
    const int failures = ReportFailures(options, figures);
    std::printf(failures ? "soak: %d checks failed\n" : "soak: all checks passed\n", failures);
    return failures ? 1 : 0;
}

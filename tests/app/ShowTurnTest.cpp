// The show's loop, a turn at a time, with the real saver window on an X
// server of the test's own, a drawer that only counts, and a hand-driven
// clock for the frame pacer.
#include <gtest/gtest.h>

#include <memory>

#include "app/ShowTurn.h"
#include "app/Trace.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "render/SaverWnd.h"
#include "sound/SoundSystem.h"
#include "tests/support/PrivateXServer.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/WavBytes.h"

namespace {

const uint32_t SEEN_LIMIT_MS = 3000;  // the window's visibility is asked at most every 250 ms

class CCountingDrawer : public CGLDrawerI
{
public:
    void Init() override {}
    bool Draw() override
    {
        ++frames;
        return true;
    }
    int frames = 0;
};

double g_now = 0;
int g_waits = 0;
int g_keyAtWait = -1;  // the wait during which a key arrives
HWindow g_window = 0;

double GetFakeSeconds()
{
    return g_now;
}

// A key arriving ends the wait at once, as a real message would.
void WaitFake(uint32_t milliseconds)
{
    if (++g_waits == g_keyAtWait) {
        SysPostMessage(g_window, MSG_KEYDOWN, 'A', 0);
        return;
    }
    g_now += milliseconds / 1000.0;
}

const SPacingClock FAKE_CLOCK = {GetFakeSeconds, WaitFake};

bool g_poweredDown = false;
bool ReadTestPower()
{
    return g_poweredDown;
}

// The last frames of a block of the mixer's output, left channel.
bool IsTailSilent(CAudioMixer& mixer, size_t frames)
{
    std::vector<int16_t> out(2 * frames);
    mixer.Mix(out.data(), frames);
    for (size_t i = frames / 2; i < frames; ++i)
        if (out[2 * i] != 0)
            return false;
    return true;
}

class CShowTurnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsReady());
        ASSERT_TRUE(m_window.Create());
        g_window = m_window.GetHWND();
        g_bRunning = 1;
        g_now = 100;
        g_waits = 0;
        g_keyAtWait = -1;
    }

    // Turns until the drawer has drawn that many more frames, or the show ends.
    void RunFrames(int frames)
    {
        const int until = m_drawer.frames + frames;
        while (g_bRunning && m_message.message != MSG_QUIT && m_drawer.frames < until)
            RunShowTurn(m_window, m_drawer, m_pacer, &m_message);
    }

    // Turns until the show finds itself seen (or unseen), then one turn more.
    bool RunUntilSeen(bool seen)
    {
        const uint32_t start = SysGetTickCount();
        while (SysIsWindowSeen(m_window.GetHWND()) != seen) {
            if (SysGetTickCount() - start > SEEN_LIMIT_MS)
                return false;
            RunShowTurn(m_window, m_drawer, m_pacer, &m_message);
        }
        RunShowTurn(m_window, m_drawer, m_pacer, &m_message);
        return true;
    }

    CPrivateXServer m_server{640, 480};
    CSaverWnd m_window;
    CCountingDrawer m_drawer;
    CFramePacer m_pacer{30, false, FAKE_CLOCK};
    SMessage m_message = {};
};

}  // namespace

// A key that arrives while the loop waits for its next frame ends the show
// before another frame is drawn: the message comes first.
TEST_F(CShowTurnTest, KeyDuringWaitEndsShowBeforeNextFrame)
{
    RunFrames(3);
    g_keyAtWait = g_waits + 1;
    const int framesAtKey = m_drawer.frames;
    const double clockAtKey = g_now;
    RunFrames(10);
    EXPECT_EQ(g_bRunning, 0);
    EXPECT_EQ(m_drawer.frames, framesAtKey);
    EXPECT_EQ(g_now, clockAtKey);
}

// While the display is powered down the sound fades to silence and stands
// still; seen again, the ambient loop plays on.
TEST_F(CShowTurnTest, SoundRestsWhileUnseen)
{
    CScratchPack pack;
    pack.Add("loop.wav", MakeWav(1, 22050, 8, std::vector<uint8_t>(2205, 200)));
    ASSERT_EQ(1, StartSoundSystem(std::make_unique<CAudioMixer>(22050)));
    auto* mixer = static_cast<CAudioMixer*>(FindSoundSystem()->GetDevice());
    const SVector3 still = {0, 0, 0};
    ASSERT_EQ(1, PlaySample("loop.wav", &pack, SOUND_KEY_KEEP, SOUND_LOOP, 1.0f, 0.0f, 1.0f, still, still));
    RunFrames(2);
    EXPECT_FALSE(IsTailSilent(*mixer, 2048));

    SysSetDisplayPowerProbe(ReadTestPower);
    g_poweredDown = true;
    EXPECT_TRUE(RunUntilSeen(false));
    EXPECT_TRUE(IsTailSilent(*mixer, 2048));

    g_poweredDown = false;
    EXPECT_TRUE(RunUntilSeen(true));
    SysSetDisplayPowerProbe(nullptr);
    EXPECT_FALSE(IsTailSilent(*mixer, 2048));
    ShutdownSoundSystem();
}

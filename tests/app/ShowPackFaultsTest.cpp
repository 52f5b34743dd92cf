// The show's set-up, first frames and sounds with each shipped pack entry in
// turn missing or damaged. Every entry but the caustic picture has a silent
// fallback (a plain background or bubble, invisible fish, solid text blocks,
// silence); without a readable caustic picture the set-up fails through the
// renderer's trace. Never a crash, never a failure from anywhere else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Random.h"
#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Pack.h"
#include "fish/BlueFishActor.h"
#include "fish/FishActor.h"
#include "fish/PearlFishActor.h"
#include "fish/SmallFishActor.h"
#include "render/GLDrawer.h"
#include "sound/Sound.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/ScratchPack.h"

namespace {

struct SEntry
{
    std::string name;
    std::vector<uint8_t> bytes;
};

enum EDamage
{
    DAMAGE_MISSING,
    DAMAGE_TRUNCATED,  // the first half only
    DAMAGE_HEADER,     // the first bytes scrambled
    DAMAGE_NUMBERS,    // every digit a 9: counts and sizes that lie
};

const char* const DAMAGE_NAMES[] = {"missing", "truncated", "header scrambled", "digits set to 9"};
const size_t HEADER_BYTES = 32;

std::vector<SEntry> ReadShippedPack()
{
    std::vector<SEntry> entries;
    if (!LoadResourcePack(PACK_RESOURCE_ID))
        return entries;
    const CPack& pack = GetPack();
    for (int i = 0; i < pack.GetCount(); ++i) {
        const uint8_t* data = pack.GetData(i);
        entries.push_back({pack.GetHeader(i).name, std::vector<uint8_t>(data, data + pack.GetHeader(i).size)});
    }
    return entries;
}

// The entry's bytes after the damage; empty when it is left out.
std::vector<uint8_t> Damage(std::vector<uint8_t> bytes, EDamage damage)
{
    switch (damage) {
    case DAMAGE_MISSING:
        bytes.clear();
        break;
    case DAMAGE_TRUNCATED:
        bytes.resize(bytes.size() / 2);
        break;
    case DAMAGE_HEADER:
        for (size_t i = 0; i < bytes.size() && i < HEADER_BYTES; ++i)
            bytes[i] ^= 0x5A;
        break;
    case DAMAGE_NUMBERS:
        for (uint8_t& byte : bytes)
            if (byte >= '0' && byte <= '9')
                byte = '9';
        break;
    }
    return bytes;
}

// The show's steps from the renderer's set-up to its sounds, with a few
// frames; the failure as the message box would show it, or empty. The
// models are shared by the process and loaded only once, so each round loads
// them again from its own pack, as a new process's first fish would.
std::string RunShow(CGLTestWindow& window, const std::vector<SEntry>& entries)
{
    ResetTrace();
    SeedRandom(1);
    CFishActor::GetModel().Load("fish.sca");
    CBlueFishActor::GetModel().Load("bfish.sca");
    CPearlFishActor::GetModel().Load("pfish.sca");
    CSmallFishActor::GetModel().Load("sfish.sca");
    try {
        CGLDrawer drawer;
        drawer.Init();
        for (int frame = 0; frame < 3; ++frame) {
            drawer.Draw();
            window.Swap();
        }
    } catch (const SSaverFailure&) {
        return FormatFailure();
    }
    EXPECT_EQ(InitSoundSystem(window.GetWindow()), 1) << "no sound device: the sounds go untried";
    const SVector3 still = {0.0f, 0.0f, 0.0f};
    for (const SEntry& entry : entries)
        if (entry.name.ends_with(".wav"))
            PlaySample(entry.name.c_str(), &window, -1, 1, 1.0f, 0.0f, 1.0f, still, still);
    UpdateSounds();
    ShutdownSoundSystem();
    return {};
}

}  // namespace

TEST(ShowPackFaults, EachEntryMissingOrDamagedFallsBackOrFailsInRendererSetUp)
{
    CScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    CGLTestWindow window(64, 64);
    ASSERT_TRUE(window.IsReady());
    const std::vector<SEntry> shipped = ReadShippedPack();
    ASSERT_GT(shipped.size(), 20u);
    SetDefaultSettings();
    g_Settings.YellowFishCount = g_Settings.BlueFishCount = g_Settings.PearlFishCount = g_Settings.TinyFishCount = 1;
    g_Settings.EnableFPS = 1;
    {
        CScratchPack pack;
        for (const SEntry& entry : shipped)
            pack.Add(entry.name, entry.bytes);
        ASSERT_EQ(RunShow(window, shipped), "") << "the shipped pack itself fails";
    }

    for (size_t damaged = 0; damaged < shipped.size(); ++damaged) {
        for (EDamage damage : {DAMAGE_MISSING, DAMAGE_TRUNCATED, DAMAGE_HEADER, DAMAGE_NUMBERS}) {
            const std::vector<uint8_t> bytes = Damage(shipped[damaged].bytes, damage);
            if (bytes == shipped[damaged].bytes)
                continue;
            SCOPED_TRACE(shipped[damaged].name + " " + DAMAGE_NAMES[damage]);
            CScratchPack pack;
            for (size_t i = 0; i < shipped.size(); ++i)
                pack.Add(shipped[i].name, i == damaged ? bytes : shipped[i].bytes);
            const std::string failure = RunShow(window, shipped);
            // The caustic picture's header holds no digit bytes: nines change only its pixels.
            if (shipped[damaged].name == "caust.tga" && damage != DAMAGE_NUMBERS)
                EXPECT_EQ(failure, "CGLDrawer::Init()\n\n\"Unknown Error\"");
            else
                EXPECT_EQ(failure, "");
        }
    }
}

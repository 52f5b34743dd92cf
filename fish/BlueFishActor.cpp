#include "fish/BlueFishActor.h"

#include "app/Random.h"
#include "render/BubbleSystem.h"
#include "sound/Sound.h"

namespace {

const SFishKind BLUE_FISH = {"bfish.sca", 0.1f, 0.15f, 0.18f};

// One check in ten makes a puff.
const float PUFF_THRESHOLD = 0.9f;
const int BUBBLES_PER_PUFF = 3;
// Bubble size as a fraction of the fish's drawn scale.
const float MIN_BUBBLE_SIZE = 0.01f, MAX_BUBBLE_SIZE = 0.03f;
// Splash playback rate factor range; 1 = the sample's own rate.
const float MIN_SPLASH_PITCH = 0.5f, MAX_SPLASH_PITCH = 1.5f;
const float SPLASH_VOLUME = 0.1f;  // linear gain 0..1
const int SPLASH_KEY = 0;          // one splash voice per fish
const int SPLASH_FLAGS = 2;        // positioned in the scene, played once
const char* const SPLASH_SAMPLES[] = {"sound/splash0.wav", "sound/splash1.wav", "sound/splash2.wav"};

}  // namespace

CBlueFishActor::CBlueFishActor() : CFinnedFishActor(BLUE_FISH, GetModel()) {}

// Every blue fish breathes at the same interval, the one that loads the
// model as well as the others.
int CBlueFishActor::Init()
{
    m_breathClock.interval = BREATH_INTERVAL;
    return CFinnedFishActor::Init();
}

void CBlueFishActor::Update(float dt, float aspect)
{
    MoveAlongPath(dt, aspect);
    Breathe(dt);
    Animate(dt);
}

// The breaths that fell due meanwhile are let go, not puffed all at once.
void CBlueFishActor::SkipAhead(double seconds)
{
    CFinnedFishActor::SkipAhead(seconds);
    m_breathClock.Advance(seconds);
}

void CBlueFishActor::Breathe(float dt)
{
    // Half the drawn scale ahead of the centre, along the heading on screen,
    // is where the head is drawn.
    const float scale = BLUE_FISH.drawScale * (m_position.z + 0.5f);
    const SVector3 heading = GetScreenHeading();
    const SVector3 ahead = ScreenToBox({scale * 0.5f * heading.x, scale * 0.5f * heading.y, scale * 0.5f * heading.z});
    const SVector3 mouth = {m_position.x + ahead.x, m_position.y + ahead.y + 0.01f, m_position.z + ahead.z};

    const uint32_t due = m_breathClock.Advance(dt);
    for (uint32_t i = 0; i < due; ++i) {
        if (RandomRange(0.0f, 1.0f) <= PUFF_THRESHOLD)
            continue;
        for (int bubble = 0; bubble < BUBBLES_PER_PUFF; ++bubble)
            GetBubbleSystem().Add(mouth, scale * RandomRange(MIN_BUBBLE_SIZE, MAX_BUBBLE_SIZE));
        const float pitch = RandomRange(MIN_SPLASH_PITCH, MAX_SPLASH_PITCH);
        const SVector3 still = {0, 0, 0};
        PlaySample(SPLASH_SAMPLES[Random() % 3], this, SPLASH_KEY, SPLASH_FLAGS, SPLASH_VOLUME, 0.0f, pitch, mouth,
                   still);
    }
}

CModel& CBlueFishActor::GetModel()
{
    static CModel model;
    return model;
}

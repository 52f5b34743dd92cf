#include "render/BubbleSystem.h"

namespace {
const double RISE_PER_SIZE = 20.0;  // units per second for each unit of size
const float TOP_EXIT = 1.01f;       // y beyond which a bubble has left the view
const float DRIFT_SPREAD = 0.1f;    // sideways drift, +- this fraction of the rise

// The mean sideways slope of a slot: +0.05 for slots 0, 10, ... down to -0.04 for 9, 19, ...
float SlotSlope(uint32_t slot)
{
    return static_cast<float>(0.05 - static_cast<double>(slot % 10) / 100.0);
}
}  // namespace

void CBubbleSystem::Add(const SVector3& position, float size)
{
    if (m_count >= MAX_BUBBLES)
        return;
    m_bubbles[m_count] = SBubble{position.x, position.y, position.z, size};
    ++m_count;
}

void CBubbleSystem::Remove(uint32_t slot)
{
    if (slot >= m_count)
        return;
    m_bubbles[slot] = m_bubbles[m_count - 1];
    --m_count;
}

void CBubbleSystem::Update(double dt)
{
    // The bubble moved into a freed slot waits for the next frame: i always advances.
    for (uint32_t i = 0; i < m_count; ++i) {
        SBubble& bubble = m_bubbles[i];
        const float rise = static_cast<float>(bubble.size * RISE_PER_SIZE * dt);
        bubble.y = bubble.y + rise;
        if (bubble.y > TOP_EXIT) {
            Remove(i);
            continue;
        }
        const float slope = SlotSlope(i);
        bubble.x += RandomRange(rise * (slope - DRIFT_SPREAD), rise * (slope + DRIFT_SPREAD));
    }
}

CBubbleSystem& GetBubbleSystem()
{
    static CBubbleSystem system;
    return system;
}

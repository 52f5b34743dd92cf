#pragma once
// The one process-wide store of rising bubbles, fed by the renderer's emission
// and by the blue fish. A fixed array: adding never allocates, removing moves
// the last bubble into the gap, so the order of bubbles is not kept. Drawing
// is not done here (see Bubbles.h).
#include <cstdint>

#include "render/Math.h"

struct SBubble
{
    float x, y, z;  // centre, in the unit box
    float size;     // half the drawn edge; also sets the rising speed
};

class CBubbleSystem
{
public:
    static const uint32_t MAX_BUBBLES = 1024;

    // Called by the emission and the blue fish; a full store drops the bubble.
    void Add(const SVector3& position, float size);
    // Removes the bubble of that slot; a slot not in use is ignored.
    void Remove(uint32_t slot);
    // Called once per frame by the renderer: rises, drifts, drops what left the top.
    void Update(double dt);

    uint32_t GetCount() const { return m_count; }
    const SBubble& GetBubble(uint32_t slot) const { return m_bubbles[slot]; }

private:
    SBubble m_bubbles[MAX_BUBBLES] = {};
    uint32_t m_count = 0;
};

// The store shared by the whole process; it is never emptied between renderers.
CBubbleSystem& GetBubbleSystem();

#pragma once
// The renderer's bubble stage: the timed stream of bubble groups rising from
// near the bottom right, and the drawing of one bubble as a rippled sprite.
#include "render/BubbleSystem.h"
#include "render/EmissionClock.h"

// Advances the renderer's emission clock by the frame's step and adds a group
// of bubbles to the store for every interval completed.
void EmitBubbles(SEmissionClock& emission, double dt);

// Draws one bubble as a quad through the ripple field, square on a view of
// that width over height. Expects the bubble stage's state: sprite bound,
// additive blending, depth test on, no depth writes.
void DrawBubble(const SBubble& bubble, float aspect);

#pragma once
// The GL state the whole scene relies on, set once when the renderer starts:
// clear values, depth test, culling, the two lights and the fish material.
// Lighting itself stays off; the fish stage switches it on for itself.

// Sets the state; needs the GL context current.
void SetUpSceneState();

// Gives the two lights their positions again, in the current modelview's
// coordinates (the unit box, when the modelview is the identity).
void PositionSceneLights();

// The fish stage's state, set by the renderer around its fish: depth test,
// culling, texturing, no blending, white, lighting with the lights placed in
// the current modelview. EndFishStage gives back the enables it changed.
void BeginFishStage();
void EndFishStage();

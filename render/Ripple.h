#pragma once
// The ripple field: concentric rings around the middle of the view that bend
// the background picture and the bubbles. One process-wide 256 x 256 height
// field, rebuilt every frame from the scene time. Not a simulation: the rings
// are a pure function of time, with no memory between frames.

// Fills the sine table the field is built from; the renderer calls it at set-up.
void BuildRippleSineTable();

// Rebuilds the height field for this scene time (seconds); called once per
// frame, before anything is displaced, whether or not ripples are enabled.
void UpdateRippleField(double sceneTime);

// Maps (u, v) of the unit square through the field into view coordinates.
// With ripples disabled in the settings the point comes back unchanged.
void RippleDisplace(float u, float v, float& x, float& y);

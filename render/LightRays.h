#pragma once
// The fan of light rays falling from the surface, their brightness sampled
// from a scrolling caustic pattern. Keeps no state: everything follows from
// the scene time.
class CDIB32;

// Draws the fan. Expects additive blending with depth test and texturing off.
// The caustic image is read as R, G, B, A pixels; only red is used.
void DrawLightRays(double sceneTime, const CDIB32& caustic);

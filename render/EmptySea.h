#pragma once
// The frame of an aquarium with nothing in it yet: the deep-water colour over
// the whole window. What the show draws until the scene renderer takes over.

// Called once per frame with the saver window's context current.
void DrawEmptySea();

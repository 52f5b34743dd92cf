#pragma once
// The scene's unit box as the current projection: x and y from 0 to 1 across
// and up the view, z from -2 to 2, larger z nearer. Always used in pairs
// inside one function; the modelview matrix is selected in between.

// Saves both matrices and sets the box with an identity modelview.
void PushOrtho2D();
// Restores both matrices saved by PushOrtho2D.
void PopOrtho2D();

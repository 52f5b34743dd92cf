#pragma once
// Vectors, column-major 4x4 matrices (16 floats, the layout glMultMatrixf
// takes: m[4 * column + row]) and the ranged random number of the scene.
// Plain functions on plain data; outputs never alias inputs unless stated.

struct SVector3
{
    float x, y, z;
};

void VecCopy(const SVector3& source, SVector3& destination);
void VecSub(const SVector3& a, const SVector3& b, SVector3& out);
float VecDot(const SVector3& a, const SVector3& b);
void VecCross(const SVector3& a, const SVector3& b, SVector3& out);
// Normalises in place and returns the length before; a zero vector stays zero.
float VecNormalize(SVector3& v);

// out = upper-left 3x3 of m times v; the translation is ignored.
void MatRotateVector(const SVector3& v, const float m[16], SVector3& out);
void MatCopy(const float source[16], float destination[16]);
// Right-handed rotation by angle (radians) about axis, taken as given (not normalised).
void MatAxisAngle(const SVector3& axis, float angle, float out[16]);

// lo + (Random() / 32767) * (hi - lo): the closed range, one draw per call.
float RandomRange(float lo, float hi);

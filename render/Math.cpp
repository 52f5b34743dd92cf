#include "render/Math.h"

#include <cmath>

#include "app/Random.h"

void VecCopy(const SVector3& source, SVector3& destination)
{
    destination = source;
}

void VecSub(const SVector3& a, const SVector3& b, SVector3& out)
{
    out.x = a.x - b.x;
    out.y = a.y - b.y;
    out.z = a.z - b.z;
}

float VecDot(const SVector3& a, const SVector3& b)
{
    return a.y * b.y + a.x * b.x + a.z * b.z;
}

void VecCross(const SVector3& a, const SVector3& b, SVector3& out)
{
    out.x = a.y * b.z - a.z * b.y;
    out.y = a.z * b.x - a.x * b.z;
    out.z = a.x * b.y - b.x * a.y;
}

float VecNormalize(SVector3& v)
{
    const float squared = v.y * v.y + v.x * v.x + v.z * v.z;
    const float length = std::sqrt(squared);
    if (length == 0.0f)
        return length;
    v.x /= length;
    v.y /= length;
    v.z /= length;
    return length;
}

void MatRotateVector(const SVector3& v, const float m[16], SVector3& out)
{
    out.x = m[0] * v.x + m[4] * v.y + m[8] * v.z;
    out.y = m[1] * v.x + m[5] * v.y + m[9] * v.z;
    out.z = m[2] * v.x + m[6] * v.y + m[10] * v.z;
}

void MatCopy(const float source[16], float destination[16])
{
    for (int i = 0; i < 16; ++i)
        destination[i] = source[i];
}

void MatAxisAngle(const SVector3& axis, float angle, float out[16])
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float x = axis.x, y = axis.y, z = axis.z;
    out[0] = x * x + c * (1 - x * x);
    out[1] = x * y * (1 - c) + z * s;
    out[2] = x * z * (1 - c) - y * s;
    out[3] = 0;
    out[4] = x * y * (1 - c) - z * s;
    out[5] = y * y + c * (1 - y * y);
    out[6] = y * z * (1 - c) + x * s;
    out[7] = 0;
    out[8] = x * z * (1 - c) + y * s;
    out[9] = y * z * (1 - c) - x * s;
    out[10] = z * z + c * (1 - z * z);
    out[11] = 0;
    out[12] = 0;
    out[13] = 0;
    out[14] = 0;
    out[15] = 1;
}

float RandomRange(float lo, float hi)
{
    // The span in double is exact, so r = RANDOM_MAX lands on hi itself; a
    // span rounded to float could overshoot it.
    const double r = Random();
    const double span = static_cast<double>(hi) - lo;
    return static_cast<float>(lo + (r / RANDOM_MAX) * span);
}

#include <gtest/gtest.h>

#include <cmath>

#include "app/Random.h"
#include "render/Math.h"

namespace {

// Seeds whose first Random() value is 0, 16383 and 32767 (worked out from
// the generator's step by modular inverse).
const uint32_t SEED_GIVING_0 = 4235699843u;
const uint32_t SEED_GIVING_16383 = 1360176771u;
const uint32_t SEED_GIVING_32767 = 2433918595u;

void ExpectVector(const SVector3& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

}  // namespace

// A zero vector stays zero (callers rely on it instead of guarding); others get length 1.
TEST(Math, NormalizeKeepsZeroAndReturnsLength)
{
    SVector3 zero = {0, 0, 0};
    EXPECT_EQ(VecNormalize(zero), 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    SVector3 v = {3, 0, 4};
    EXPECT_FLOAT_EQ(VecNormalize(v), 5.0f);
    ExpectVector(v, 0.6f, 0.0f, 0.8f);
}

// Cross follows the right-hand rule and its operand order; dot and sub by hand.
TEST(Math, VectorProductsByHand)
{
    SVector3 out;
    VecCross({1, 0, 0}, {0, 1, 0}, out);
    ExpectVector(out, 0, 0, 1);
    VecCross({0, 1, 0}, {1, 0, 0}, out);
    ExpectVector(out, 0, 0, -1);
    VecCross({1, 2, 3}, {4, 5, 6}, out);
    ExpectVector(out, -3, 6, -3);
    EXPECT_EQ(VecDot({1, 0, 0}, {0, 1, 0}), 0.0f);
    EXPECT_EQ(VecDot({1, 2, 3}, {4, 5, 6}), 32.0f);
    VecSub({1, 2, 3}, {4, 6, 8}, out);
    ExpectVector(out, -3, -4, -5);
}

// A positive angle turns counter-clockwise seen from the axis tip.
TEST(Math, AxisAngleIsRightHanded)
{
    const float quarter = static_cast<float>(M_PI / 2);
    float m[16];
    SVector3 out;
    MatAxisAngle({0, 0, 1}, quarter, m);
    MatRotateVector({1, 0, 0}, m, out);
    ExpectVector(out, 0, 1, 0);
    MatAxisAngle({1, 0, 0}, quarter, m);
    MatRotateVector({0, 1, 0}, m, out);
    ExpectVector(out, 0, 0, 1);
    MatAxisAngle({0, 1, 0}, quarter, m);
    MatRotateVector({0, 0, 1}, m, out);
    ExpectVector(out, 1, 0, 0);
    EXPECT_EQ(m[15], 1.0f);
    EXPECT_EQ(m[12], 0.0f);
}

// Angle 0 is the identity whatever the axis, even one not of unit length.
TEST(Math, AxisAngleZeroIsIdentity)
{
    float m[16];
    MatAxisAngle({2, -3, 5}, 0.0f, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

// The matrix is column-major and its translation does not move directions.
TEST(Math, RotateVectorReadsColumnsIgnoresTranslation)
{
    float m[16] = {1, 0, 0, 0, 7, 1, 0, 0, 0, 0, 1, 0, 5, 5, 5, 1};
    SVector3 out;
    MatRotateVector({1, 2, 3}, m, out);
    ExpectVector(out, 15, 2, 3);
    float copy[16];
    MatCopy(m, copy);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(copy[i], m[i]);
}

// The range is closed: 0 gives lo, 32767 gives hi exactly, even where the
// span cannot be held in a float.
TEST(Math, RandomRangeHitsBothEnds)
{
    SeedRandom(SEED_GIVING_0);
    EXPECT_EQ(RandomRange(-0.01f, 0.01f), -0.01f);
    SeedRandom(SEED_GIVING_32767);
    EXPECT_EQ(RandomRange(-0.01f, 0.01f), 0.01f);
    SeedRandom(SEED_GIVING_32767);
    EXPECT_EQ(RandomRange(-100.0f, 0.00074f), 0.00074f);
    SeedRandom(SEED_GIVING_32767);
    EXPECT_EQ(RandomRange(100.0f, -0.00074f), -0.00074f);
    SeedRandom(SEED_GIVING_16383);
    const float middle = RandomRange(-0.01f, 0.01f);
    EXPECT_NEAR(middle, -3.0518e-7f, 1e-10f);  // -0.01 + 0.02 * 16383 / 32767
}

// Every draw stays inside the range, with lo above hi too, and each takes one value.
TEST(Math, RandomRangeStaysInside)
{
    SeedRandom(12345);
    for (int i = 0; i < 20000; ++i) {
        const float a = RandomRange(-0.01f, 0.01f);
        ASSERT_GE(a, -0.01f);
        ASSERT_LE(a, 0.01f);
        const float b = RandomRange(3.0f, 1.0f);
        ASSERT_GE(b, 1.0f);
        ASSERT_LE(b, 3.0f);
    }
    SeedRandom(7);
    Random();
    const int second = Random();
    SeedRandom(7);
    RandomRange(0, 1);
    EXPECT_EQ(Random(), second);
}

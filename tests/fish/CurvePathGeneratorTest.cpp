#include <gtest/gtest.h>

#include <vector>

#include "app/Random.h"
#include "fish/CurvePathGenerator.h"

namespace {

// The next n values of the generator, without disturbing a later replay.
std::vector<int> PeekRandom(uint32_t seed, int n)
{
    SeedRandom(seed);
    std::vector<int> values;
    for (int i = 0; i < n; ++i)
        values.push_back(Random());
    SeedRandom(seed);
    return values;
}

// The candidate point made of three raw generator values: x over [-0.2, 1.2], y and z over [0, 1].
SVector3 Candidate(const std::vector<int>& values, int index)
{
    const double r = 32767.0;
    return {static_cast<float>(-0.2 + values[3 * index] / r * 1.4), static_cast<float>(values[3 * index + 1] / r),
            static_cast<float>(values[3 * index + 2] / r)};
}

void ExpectNear(const SVector3& actual, const SVector3& expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool Equal(const SVector3& a, const SVector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

// Right after Start the fish sits at the B-spline's first knot, (P0 + 4 P1 + P2) / 6.
TEST(CCurvePathGenerator, StartsAtFirstKnot)
{
    SeedRandom(7);
    CCurvePathGenerator path;
    path.Start(0.12f);
    const SVector3& p0 = path.GetControlPoint(0);
    const SVector3& p1 = path.GetControlPoint(1);
    const SVector3& p2 = path.GetControlPoint(2);
    SVector3 position;
    path.GetPosition(position);
    ExpectNear(position, {(p0.x + 4 * p1.x + p2.x) / 6, (p0.y + 4 * p1.y + p2.y) / 6, (p0.z + 4 * p1.z + p2.z) / 6},
               1e-6f);
}

// A step far beyond one segment slides the window by exactly one point.
TEST(CCurvePathGenerator, LargeStepAdvancesExactlyOneSegment)
{
    SeedRandom(3);
    CCurvePathGenerator path;
    path.Start(1.0f);
    path.Advance(0.25);
    SVector3 before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = path.GetControlPoint(i);
    path.Advance(1000.0);
    EXPECT_TRUE(Equal(path.GetControlPoint(0), before[1]));
    EXPECT_TRUE(Equal(path.GetControlPoint(1), before[2]));
    EXPECT_TRUE(Equal(path.GetControlPoint(2), before[3]));
    EXPECT_FLOAT_EQ(path.GetParameter(), 0.25f);
}

// Reaching t = 1 exactly is still the end of the current segment, not the next one.
TEST(CCurvePathGenerator, ParameterOfExactlyOneDoesNotSlide)
{
    SeedRandom(3);
    CCurvePathGenerator path;
    path.Start(1.0f);
    const SVector3 first = path.GetControlPoint(0);
    path.Advance(1.0);
    EXPECT_TRUE(Equal(path.GetControlPoint(0), first));
    EXPECT_FLOAT_EQ(path.GetParameter(), 1.0f);
}

// Position is continuous where one segment hands over to the next.
TEST(CCurvePathGenerator, PositionContinuousAcrossSegmentJoin)
{
    SeedRandom(5);
    CCurvePathGenerator path;
    path.Start(1.0f);
    for (int join = 0; join < 20; ++join) {
        path.Advance(1.0 - path.GetParameter());
        SVector3 end;
        path.GetPosition(end);
        const SVector3 p1 = path.GetControlPoint(1), p2 = path.GetControlPoint(2), p3 = path.GetControlPoint(3);
        ExpectNear(end, {(p1.x + 4 * p2.x + p3.x) / 6, (p1.y + 4 * p2.y + p3.y) / 6, (p1.z + 4 * p2.z + p3.z) / 6},
                   1e-5f);
        path.Advance(1e-6);
        SVector3 start;
        path.GetPosition(start);
        ExpectNear(start, end, 1e-5f);
    }
}

// dt = 0 moves neither the fish nor its heading point.
TEST(CCurvePathGenerator, ZeroStepKeepsPosition)
{
    SeedRandom(9);
    CCurvePathGenerator path;
    path.Start(0.13f);
    path.Advance(0.05);
    SVector3 position, ahead, positionAfter, aheadAfter;
    path.GetPosition(position);
    path.GetLookAhead(ahead);
    path.Advance(0.0);
    path.GetPosition(positionAfter);
    path.GetLookAhead(aheadAfter);
    EXPECT_TRUE(Equal(position, positionAfter));
    EXPECT_TRUE(Equal(ahead, aheadAfter));
}

// Over many random frames positions stay in the volume and look-aheads keep y and z in [0, 1].
TEST(CCurvePathGenerator, StaysInsideVolumeOverManySteps)
{
    SeedRandom(2024);
    const float slack = 1e-5f;
    for (int fish = 0; fish < 10; ++fish) {
        CCurvePathGenerator path;
        path.Start(0.1f + 0.02f * fish);
        for (int frame = 0; frame < 5000; ++frame) {
            path.Advance(Random() / 32767.0 * (frame % 97 == 0 ? 20.0 : 0.1));
            SVector3 position, ahead;
            path.GetPosition(position);
            path.GetLookAhead(ahead);
            ASSERT_GE(position.x, -0.2f - slack);
            ASSERT_LE(position.x, 1.2f + slack);
            ASSERT_GE(position.y, 0.0f);
            ASSERT_LE(position.y, 1.0f);
            ASSERT_GE(position.z, 0.0f);
            ASSERT_LE(position.z, 1.0f);
            ASSERT_GE(ahead.y, 0.0f);
            ASSERT_LE(ahead.y, 1.0f);
            ASSERT_GE(ahead.z, 0.0f);
            ASSERT_LE(ahead.z, 1.0f);
            ASSERT_GE(path.GetParameter(), 0.0f);
            ASSERT_LE(path.GetParameter(), 1.0f);
        }
    }
}

// Without a previous leg the first candidate is taken: three draws, no more.
TEST(CCurvePathGenerator, PickWithoutLegTakesFirstCandidate)
{
    const std::vector<int> values = PeekRandom(42, 4);
    const SVector3 previous = {0.5f, 0.5f, 0.5f};
    SVector3 out;
    CCurvePathGenerator::PickControlPoint(nullptr, &previous, out);
    ExpectNear(out, Candidate(values, 0), 1e-6f);
    EXPECT_EQ(Random(), values[3]);
}

// Coinciding previous points make every test fail: 16 candidates are drawn and the 16th is kept.
TEST(CCurvePathGenerator, PickAfterCoincidingPointsTakesSixteenthCandidate)
{
    const std::vector<int> values = PeekRandom(77, 49);
    const SVector3 same = {0.3f, 0.4f, 0.6f};
    SVector3 out;
    CCurvePathGenerator::PickControlPoint(&same, &same, out);
    ExpectNear(out, Candidate(values, 15), 1e-6f);
    EXPECT_EQ(Random(), values[48]);
}

// A candidate turning back is rejected; the first one ahead of the leg (x > 1 here) is taken.
TEST(CCurvePathGenerator, PickRejectsTurningBack)
{
    const std::vector<int> values = PeekRandom(1234, 48);
    int expected = -1;
    for (int i = 0; i < 16 && expected < 0; ++i)
        if (Candidate(values, i).x > 1.0f)
            expected = i;
    ASSERT_GT(expected, 0) << "choose a seed whose first candidate turns back";
    const SVector3 a = {0.0f, 0.5f, 0.5f}, b = {1.0f, 0.5f, 0.5f};
    SVector3 out;
    CCurvePathGenerator::PickControlPoint(&a, &b, out);
    ExpectNear(out, Candidate(values, expected), 1e-6f);
    EXPECT_EQ(Random(), values[3 * expected + 3]);
}

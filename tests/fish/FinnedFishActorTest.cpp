#include <gtest/gtest.h>

#include <cmath>

#include "app/Random.h"
#include "fish/FishActor.h"
#include "fish/PearlFishActor.h"
#include "tests/support/FishTestScene.h"

namespace {

// A fish whose point of the swimming cycle and place can be read and set.
template <class TActor>
class CProbeFish : public TActor
{
public:
    using TActor::m_direction;
    using TActor::m_phase;
    using TActor::m_position;
};

struct SAxes
{
    SVector3 x, y, z;
};

SAxes AxesOf(const CModel& model, const char* node)
{
    const CMesh* mesh = model.FindNode(node);
    EXPECT_NE(mesh, nullptr) << node;
    if (!mesh)
        return {};
    return {mesh->GetAxis(0), mesh->GetAxis(1), mesh->GetAxis(2)};
}

void ExpectVector(const SVector3& actual, const SVector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectSameAxes(const SAxes& a, const SAxes& b)
{
    ExpectVector(a.x, b.x, 0);
    ExpectVector(a.y, b.y, 0);
    ExpectVector(a.z, b.z, 0);
}

// 3x3 rotation matrices, row-major, and their product: the textbook way of
// composing turns about a body's own axes (each later turn multiplies on the right).
struct SMatrix3
{
    double m[3][3];
};

SMatrix3 Multiply(const SMatrix3& a, const SMatrix3& b)
{
    SMatrix3 r = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

SMatrix3 TurnX(double a)
{
    return {{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}};
}

SMatrix3 TurnY(double a)
{
    return {{{std::cos(a), 0, std::sin(a)}, {0, 1, 0}, {-std::sin(a), 0, std::cos(a)}}};
}

SMatrix3 TurnZ(double a)
{
    return {{{std::cos(a), -std::sin(a), 0}, {std::sin(a), std::cos(a), 0}, {0, 0, 1}}};
}

SVector3 Column(const SMatrix3& r, int c)
{
    return {static_cast<float>(r.m[0][c]), static_cast<float>(r.m[1][c]), static_cast<float>(r.m[2][c])};
}

class FinnedFishActorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scene.IsReady());
        SeedRandom(31);
    }

    CFishTestScene m_scene{64};
};

}  // namespace

// From phase 0, a 0.1 s step reaches phase 0.3: body 0.1 sin 0.6, tail 0.4 sin 0.6,
// fin sweep 0.7 sin 0.15 - 1, twist 0.5 sin 1.65; the left fin turns Z, then X by 0.7, then Y.
TEST_F(FinnedFishActorTest, PosesNodesFromPhase)
{
    CProbeFish<CFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.m_phase = 0.0f;
    fish.Update(0.1f, 1.0f);
    const CModel& model = CFishActor::GetModel();
    const double body = 0.1 * std::sin(0.6), tail = 0.4 * std::sin(0.6);
    ExpectVector(AxesOf(model, "fish").x, {float(std::cos(body)), float(std::sin(body)), 0});
    ExpectVector(AxesOf(model, "fish").z, {0, 0, 1});
    ExpectVector(AxesOf(model, "hvost").y, {float(-std::sin(tail)), float(std::cos(tail)), 0});
    const SMatrix3 left =
        Multiply(Multiply(TurnZ(0.7 * std::sin(0.15) - 1.0), TurnX(0.7)), TurnY(0.5 * std::sin(1.65)));
    const SAxes fin = AxesOf(model, "left_plavnik");
    ExpectVector(fin.x, Column(left, 0));
    ExpectVector(fin.y, Column(left, 1));
    ExpectVector(fin.z, Column(left, 2));
}

// The right fin is always the left one seen in a mirror across the fish's Y-Z plane.
TEST_F(FinnedFishActorTest, FinsAreMirrored)
{
    CPearlFishActor fish;
    ASSERT_TRUE(fish.Init());
    const CModel& model = CPearlFishActor::GetModel();
    for (int frame = 0; frame < 40; ++frame) {
        fish.Update(0.1f, 1.0f);
        const SAxes left = AxesOf(model, "left_plavnik");
        const SAxes right = AxesOf(model, "right_plavnik");
        ExpectVector(right.x, {left.x.x, -left.x.y, -left.x.z});
        ExpectVector(right.y, {-left.y.x, left.y.y, left.y.z});
        ExpectVector(right.z, {-left.z.x, left.z.y, left.z.z});
        EXPECT_GT(std::fabs(left.x.y) + std::fabs(left.x.z), 0.1f) << "the fin never turned";
    }
}

// Two fish of one kind share the model, yet each shows its own pose when it is drawn.
TEST_F(FinnedFishActorTest, EachFishPosesSharedModelItself)
{
    CFishActor first, second;
    ASSERT_TRUE(first.Init());
    ASSERT_TRUE(second.Init());
    const CModel& model = CFishActor::GetModel();
    first.Update(0.02f, 1.0f);
    const SAxes firstPose = AxesOf(model, "hvost");
    second.Update(0.02f, 1.0f);
    const SAxes secondPose = AxesOf(model, "hvost");
    EXPECT_GT(std::fabs(firstPose.x.y - secondPose.x.y), 1e-4f);
    first.Update(0.0f, 1.0f);
    ExpectSameAxes(AxesOf(model, "hvost"), firstPose);
}

// With dt = 0 neither the pose nor the place changes.
TEST_F(FinnedFishActorTest, ZeroStepKeepsPoseAndPlace)
{
    CProbeFish<CFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.1f, 1.0f);
    const CModel& model = CFishActor::GetModel();
    const SAxes body = AxesOf(model, "fish"), fin = AxesOf(model, "right_plavnik");
    const SVector3 position = fish.m_position, direction = fish.m_direction;
    fish.Update(0.0f, 1.0f);
    ExpectSameAxes(AxesOf(model, "fish"), body);
    ExpectSameAxes(AxesOf(model, "right_plavnik"), fin);
    ExpectVector(fish.m_position, position, 0);
    ExpectVector(fish.m_direction, direction, 0);
}

// Days into a show the phase has run far from zero; one 60 Hz frame must
// still move the tail (a float phase this large would stand still).
TEST_F(FinnedFishActorTest, TailStillMovesAtLargePhase)
{
    CProbeFish<CFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.m_phase = 1048576.0f;
    const CModel& model = CFishActor::GetModel();
    fish.Update(1.0f / 60.0f, 1.0f);
    const SAxes before = AxesOf(model, "hvost");
    fish.Update(1.0f / 60.0f, 1.0f);
    EXPECT_GT(std::fabs(AxesOf(model, "hvost").x.y - before.x.y), 1e-3f);
}

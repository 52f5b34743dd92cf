#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/Mesh.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/TestFishModels.h"

namespace {

// Loading binds the skin, so every case needs a GL context and a pack.
class MeshTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window.IsReady());
        m_pack.Add("skin.tga", MakePlainTga(10, 20, 30));
    }

    // Each text under a name of its own: the pack finds the first entry of a name.
    bool LoadText(CMesh& mesh, const std::string& text)
    {
        const std::string name = "mesh" + std::to_string(++m_entries) + ".mod";
        m_pack.Add(name, ToBytes(text));
        return mesh.Load(name.c_str());
    }

    CGLTestWindow m_window{64, 64};
    CScratchPack m_pack;
    int m_entries = 0;
};

// Two triangles sharing the edge (1,0,0)-(0,1,0), given with separate vertices
// as at a texture seam; the second lifts its far corner to apex.
std::string TwoTriangles(const char* apex)
{
    return std::string("OBJECT pair 6 2\r\nTEXTURE skin.tga\r\nVERTICES\r\n"
                       "0 0 0 0 0\r\n1 0 0 1 0\r\n0 1 0 0 1\r\n"
                       "0 1 0 0 0\r\n1 0 0 1 0\r\n") +
           apex + " 1 1\r\nTRIANGLES\r\n0 1 2\r\n3 4 5\r\n";
}

SVector3 NormalAt(const CMesh& mesh, int triangle, int corner)
{
    const SNormal& n = mesh.GetNormal(mesh.GetTriangle(triangle).normal[corner]);
    return {n.x, n.y, n.z};
}

void ExpectVector(const SVector3& actual, float x, float y, float z)
{
    EXPECT_NEAR(actual.x, x, 1e-5f);
    EXPECT_NEAR(actual.y, y, 1e-5f);
    EXPECT_NEAR(actual.z, z, 1e-5f);
}

}  // namespace

// A fold under 90 degrees: the shared corners end with the average of both
// face normals, (0,0,1) and (-1,-1,1)/sqrt(3); the other corners stay flat.
TEST_F(MeshTest, SmoothsSharedCornersUnderNinetyDegrees)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, TwoTriangles("1 1 1")));
    const float third = 1.0f / std::sqrt(3.0f);
    SVector3 average = {-third, -third, 1 + third};
    VecNormalize(average);
    for (const auto& [triangle, corner] : {std::pair{0, 1}, {0, 2}, {1, 0}, {1, 1}})
        ExpectVector(NormalAt(mesh, triangle, corner), average.x, average.y, average.z);
    ExpectVector(NormalAt(mesh, 0, 0), 0, 0, 1);
    ExpectVector(NormalAt(mesh, 1, 2), -third, -third, third);
}

// A crease sharper than 90 degrees keeps both faces' own normals at the shared corners.
TEST_F(MeshTest, KeepsFlatNormalsOverNinetyDegrees)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, TwoTriangles("0.2 0.2 -1")));
    const float length = std::sqrt(1 + 1 + 0.36f);
    for (int corner = 0; corner < 3; ++corner) {
        ExpectVector(NormalAt(mesh, 0, corner), 0, 0, 1);
        ExpectVector(NormalAt(mesh, 1, corner), 1 / length, 1 / length, -0.6f / length);
    }
}

// Corners of one vertex that keep different normals are drawn with each
// triangle's own: lit from straight ahead (GL's feedback gives the lit colour
// of every corner drawn), the face turned to the light is bright at all its
// corners and the one folded away from it dark at all of its, the two shared
// vertices included.
TEST_F(MeshTest, DrawsEachCornerWithItsOwnNormal)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, "OBJECT fold 4 2\r\nTEXTURE skin.tga\r\nVERTICES\r\n0 0 0 0 0\r\n1 0 0 1 0\r\n"
                               "0 1 0 0 1\r\n0.2 0.2 -1 1 1\r\nTRIANGLES\r\n0 1 2\r\n2 1 3\r\n"));
    const GLfloat towardsViewer[] = {0, 0, 1, 0};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(0.5f, 0.5f, 0.5f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    std::vector<GLfloat> feedback(64);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D_COLOR, feedback.data());
    glRenderMode(GL_FEEDBACK);
    mesh.Render();
    ASSERT_EQ(glRenderMode(GL_RENDER), 2 * (2 + 3 * 7));
    glDisable(GL_LIGHTING);
    // Each triangle: the polygon token, its corner count, then x, y, z, r, g, b, a a corner.
    for (int triangle = 0; triangle < 2; ++triangle)
        for (int corner = 0; corner < 3; ++corner) {
            const float red = feedback[triangle * 23 + 2 + corner * 7 + 3];
            if (triangle == 0)
                EXPECT_GT(red, 0.5f) << corner;
            else
                EXPECT_LT(red, 0.2f) << corner;
        }
}

// Blank lines, LF endings and trailing blanks read as in the stored files.
TEST_F(MeshTest, ReadsBlankLinesAndTrailingBlanks)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, "\nOBJECT one 3 1   \n\n\nTEXTURE skin.tga \t\nVERTICES\n1 2 3 0.25 0.75  \n"
                               "\n4 5 6 0 0\n7 8 9 1 1\n\nTRIANGLES\n\n 0 1 2 \nwhatever follows\n"));
    ASSERT_EQ(mesh.GetVertexCount(), 3u);
    ASSERT_EQ(mesh.GetTriangleCount(), 1u);
    EXPECT_FLOAT_EQ(mesh.GetVertex(0).z, 3.0f);
    EXPECT_FLOAT_EQ(mesh.GetVertex(0).v, 0.75f);
    EXPECT_FLOAT_EQ(mesh.GetVertex(2).x, 7.0f);
    EXPECT_EQ(mesh.GetTriangle(0).vertex[2], 2);
}

// At exactly 90 degrees the faces are not "within" it: the shared corners stay flat.
TEST_F(MeshTest, KeepsFlatNormalsAtExactlyNinetyDegrees)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, TwoTriangles("1 0 1")));
    const float half = std::sqrt(0.5f);
    for (int corner = 0; corner < 3; ++corner) {
        ExpectVector(NormalAt(mesh, 0, corner), 0, 0, 1);
        ExpectVector(NormalAt(mesh, 1, corner), -half, -half, 0);
    }
}

// Three triangles meeting only at the origin, with face normals n0 = (0,0,1),
// n1 = (0,1,1)/sqrt 2 and n2 = (1,0,1)/sqrt 2. Summing pairwise in triangle
// order, every ordered pair in turn, leaves corner 0 of the first triangle at
// 5 n0 + 5 n1 + 3 n2 and those of the others at 8 n0 + 8 n1 + 5 n2.
TEST_F(MeshTest, SmoothsThreeCornersPairwiseInTriangleOrder)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, "OBJECT fan 9 3\nTEXTURE skin.tga\nVERTICES\n"
                               "0 0 0 0 0\n1 0 0 0 0\n0 1 0 0 0\n"
                               "0 0 0 0 0\n-1 0 0 0 0\n0 -1 1 0 0\n"
                               "0 0 0 0 0\n0 -1 0 0 0\n1 -1 -1 0 0\n"
                               "TRIANGLES\n0 1 2\n3 4 5\n6 7 8\n"));
    const float h = std::sqrt(0.5f);
    const SVector3 n[3] = {{0, 0, 1}, {0, h, h}, {h, 0, h}};
    auto sum = [&](float a, float b, float c) {
        SVector3 v = {a * n[0].x + b * n[1].x + c * n[2].x, a * n[0].y + b * n[1].y + c * n[2].y,
                      a * n[0].z + b * n[1].z + c * n[2].z};
        VecNormalize(v);
        return v;
    };
    const SVector3 first = sum(5, 5, 3), later = sum(8, 8, 5);
    ExpectVector(NormalAt(mesh, 0, 0), first.x, first.y, first.z);
    ExpectVector(NormalAt(mesh, 1, 0), later.x, later.y, later.z);
    ExpectVector(NormalAt(mesh, 2, 0), later.x, later.y, later.z);
    ExpectVector(NormalAt(mesh, 2, 1), h, 0, h);
}

// The triangle count has a ceiling: smoothing is quadratic in it, so a huge
// mesh would stall the start. The ceiling itself loads.
TEST_F(MeshTest, RefusesMoreTrianglesThanTheLimit)
{
    auto meshOf = [](int32_t triangles) {
        std::string text = "OBJECT big 3 " + std::to_string(triangles) +
                           "\nTEXTURE skin.tga\nVERTICES\n0 0 0 0 0\n1 0 0 0 0\n0 1 0 0 0\nTRIANGLES\n";
        for (int32_t i = 0; i < triangles; ++i)
            text += "0 1 2\n";
        return text;
    };
    CMesh mesh;
    EXPECT_TRUE(LoadText(mesh, meshOf(CMesh::MAX_TRIANGLES)));
    EXPECT_FALSE(LoadText(mesh, meshOf(CMesh::MAX_TRIANGLES + 1)));
}

// A negative count reads no records of that kind.
TEST_F(MeshTest, NegativeCountsReadNothing)
{
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, "OBJECT none -1 -5\nTEXTURE skin.tga\nVERTICES\nTRIANGLES\n"));
    EXPECT_EQ(mesh.GetVertexCount(), 0u);
    EXPECT_EQ(mesh.GetTriangleCount(), 0u);
}

// A vertex index outside the vertex array, above or below, fails the load.
TEST_F(MeshTest, RejectsVertexIndexOutOfRange)
{
    const std::string head = "OBJECT bad 3 1\nTEXTURE skin.tga\nVERTICES\n0 0 0 0 0\n1 0 0 1 0\n0 1 0 0 1\nTRIANGLES\n";
    for (const char* triangle : {"0 1 3\n", "-1 1 2\n", "0 2147483647 1\n"}) {
        CMesh mesh;
        EXPECT_FALSE(LoadText(mesh, head + triangle)) << triangle;
    }
}

// A file that ends before its last record fails instead of reading on.
TEST_F(MeshTest, RejectsTruncatedFile)
{
    const std::string whole = "OBJECT cut 3 1\nTEXTURE skin.tga\nVERTICES\n0 0 0 0 0\n1 0 0 1 0\n0 1 0 0 1\n"
                              "TRIANGLES\n0 1 2\n";
    CMesh mesh;
    ASSERT_TRUE(LoadText(mesh, whole));
    for (size_t cut : {whole.find("1 0 0 1 0"), whole.find("TRIANGLES"), whole.find("0 1 2"), size_t{0}})
        EXPECT_FALSE(LoadText(mesh, whole.substr(0, cut))) << cut;
}

// A missing mesh entry, a missing skin or an overlong name fails the load.
TEST_F(MeshTest, RejectsMissingEntriesAndOverlongNames)
{
    CMesh mesh;
    EXPECT_FALSE(mesh.Load("absent.mod"));
    EXPECT_FALSE(LoadText(mesh, "OBJECT s 0 0\nTEXTURE absent.tga\nVERTICES\nTRIANGLES\n"));
    EXPECT_EQ(mesh.GetTexture(), 0u);
    const std::string longName(300, 'x');
    EXPECT_FALSE(LoadText(mesh, "OBJECT s 0 0\nTEXTURE " + longName + "\nVERTICES\nTRIANGLES\n"));
}

// Axis 3 is no axis: nothing turns.
TEST_F(MeshTest, RotateRejectsUnknownAxis)
{
    CMesh mesh;
    EXPECT_FALSE(mesh.Rotate(3, 1.0f));
    EXPECT_FALSE(mesh.Rotate(-1, 1.0f));
    ExpectVector(mesh.GetAxis(0), 1, 0, 0);
    ExpectVector(mesh.GetAxis(1), 0, 1, 0);
    ExpectVector(mesh.GetAxis(2), 0, 0, 1);
}

// Turning about Z keeps Z and turns X and Y counter-clockwise seen from +Z.
TEST_F(MeshTest, RotateAboutZKeepsZ)
{
    CMesh mesh;
    mesh.ResetTransform();
    ASSERT_TRUE(mesh.Rotate(2, 0.3f));
    ExpectVector(mesh.GetAxis(0), std::cos(0.3f), std::sin(0.3f), 0);
    ExpectVector(mesh.GetAxis(1), -std::sin(0.3f), std::cos(0.3f), 0);
    ExpectVector(mesh.GetAxis(2), 0, 0, 1);
}

// A second turn is about the node's own, already turned axis: Z by 90 then
// X by 90 leaves X at +Y, Y at +Z and Z at +X.
TEST_F(MeshTest, RotationsComposeAboutOwnAxes)
{
    CMesh mesh;
    const float quarter = 1.5707963f;
    mesh.Rotate(2, quarter);
    mesh.Rotate(0, quarter);
    ExpectVector(mesh.GetAxis(0), 0, 1, 0);
    ExpectVector(mesh.GetAxis(1), 0, 0, 1);
    ExpectVector(mesh.GetAxis(2), 1, 0, 0);
    mesh.ResetTransform();
    ExpectVector(mesh.GetAxis(0), 1, 0, 0);
}

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>

#include "assets/Model.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/TestFishModels.h"

namespace {

const int WINDOW_SIZE = 64;

// A node in the file's own form; children follow its CHILDS line.
std::string Node(const std::string& name, const std::string& translation, const std::string& mesh, int children,
                 const std::string& rotation = "1 0 0 0 1 0 0 0 1", const std::string& scale = "1 1 1")
{
    return "NODE " + name + "\r\nTMATRIX " + translation + "\r\nSMATRIX " + scale + "\r\nRMATRIX " + rotation +
           "\r\nMODEL " + mesh + "\r\nCHILDS " + std::to_string(children) + "\r\n";
}

class ModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window.IsReady());
        m_pack.Add("red.tga", MakePlainTga(255, 0, 0));
        m_pack.Add("green.tga", MakePlainTga(0, 255, 0));
        m_pack.Add("red.mod", ToBytes(MakeSquareMesh("red.tga", 1.0f)));
        m_pack.Add("green.mod", ToBytes(MakeSquareMesh("green.tga", 1.0f)));
    }

    bool LoadText(CModel& model, const std::string& text)
    {
        const std::string name = "model" + std::to_string(++m_entries) + ".sca";
        m_pack.Add(name, ToBytes(text));
        return model.Load(name.c_str());
    }

    // R, G, B of the pixel at (x, y) of the unit box.
    std::vector<int> PixelAt(const std::vector<uint8_t>& pixels, float x, float y) const
    {
        const size_t i =
            (static_cast<size_t>(y * WINDOW_SIZE) * WINDOW_SIZE + static_cast<size_t>(x * WINDOW_SIZE)) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }

    CGLTestWindow m_window{WINDOW_SIZE, WINDOW_SIZE};
    CScratchPack m_pack;
    int m_entries = 0;
};

const std::string FISH_TREE =
    Node("fish", "0 0.1 0", "red.mod", 3) + Node("left_plavnik", "-0.06 0.1 -0.15", "green.mod", 0) +
    Node("right_plavnik", "0.06 0.1 -0.15", "green.mod", 0) + Node("hvost", "0 -0.36 0", "green.mod", 0);

}  // namespace

// The tree comes out in file order with each node's rest transform as current transform.
TEST_F(ModelTest, LoadsTreeInFileOrder)
{
    CModel model;
    EXPECT_EQ(model.IsLoadAttempted(), 0);
    ASSERT_TRUE(LoadText(model, FISH_TREE));
    EXPECT_EQ(model.IsLoadAttempted(), 1);
    CMesh* root = model.FindNode("fish");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetChildCount(), 3u);
    EXPECT_EQ(root->GetChild(0).GetName(), "left_plavnik");
    EXPECT_EQ(root->GetChild(2).GetName(), "hvost");
    EXPECT_FLOAT_EQ(root->GetChild(2).GetTranslation().y, -0.36f);
    EXPECT_FLOAT_EQ(root->GetChild(0).GetTranslation().z, -0.15f);
    EXPECT_EQ(root->GetVertexCount(), 4u);
}

// Names match in any case; an unknown name finds nothing.
TEST_F(ModelTest, FindNodeIgnoresCase)
{
    CModel model;
    ASSERT_TRUE(LoadText(model, FISH_TREE));
    CMesh* tail = model.FindNode("HVOST");
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(tail->GetName(), "hvost");
    EXPECT_EQ(model.FindNode("Right_Plavnik"), &model.FindNode("fish")->GetChild(1));
    EXPECT_EQ(model.FindNode("hvos"), nullptr);
    EXPECT_EQ(model.FindNode("hvostt"), nullptr);
}

// Blank lines between nodes, trailing blanks and a misspelt keyword read like the stored files.
TEST_F(ModelTest, ReadsLooseLayoutAndMisspeltKeyword)
{
    const std::string text = "\r\n\r\nNODE fish   \r\nTMATRIKS 0.25 0.5 0.75  \r\nSMATRIX 2 3 4\r\n\r\n"
                             "RMATRIX 1 0 0 0 1 0 0 0 1 \r\nMODEL red.mod\r\nCHILDS 1\r\n\r\n\r\n" +
                             Node("hvost", "0 -0.36 0", "green.mod", 0) + "\r\n\r\n";
    CModel model;
    ASSERT_TRUE(LoadText(model, text));
    CMesh* root = model.FindNode("fish");
    ASSERT_NE(root, nullptr);
    EXPECT_FLOAT_EQ(root->GetTranslation().x, 0.25f);
    EXPECT_FLOAT_EQ(root->GetTranslation().z, 0.75f);
    EXPECT_FLOAT_EQ(root->GetScale().y, 3.0f);
    EXPECT_NE(model.FindNode("hvost"), nullptr);
}

// CHILDS 0 ends a node: what follows the root is ignored.
TEST_F(ModelTest, ZeroChildrenEndsNode)
{
    CModel model;
    ASSERT_TRUE(LoadText(model, Node("fish", "0 0 0", "red.mod", 0) + Node("hvost", "0 0 0", "green.mod", 0)));
    EXPECT_EQ(model.FindNode("fish")->GetChildCount(), 0u);
    EXPECT_EQ(model.FindNode("hvost"), nullptr);
}

// A negative child count anywhere fails the whole model, which then has no root.
TEST_F(ModelTest, NegativeChildCountFailsModel)
{
    CModel model;
    EXPECT_FALSE(LoadText(model, Node("fish", "0 0 0", "red.mod", 1) + Node("hvost", "0 0 0", "green.mod", -1)));
    EXPECT_EQ(model.IsLoadAttempted(), 1);
    EXPECT_EQ(model.FindNode("fish"), nullptr);
    EXPECT_FALSE(model.Draw());
}

// A missing node file is no attempt; a failing mesh or a short file is one.
TEST_F(ModelTest, FailuresLeaveNoRoot)
{
    CModel absent;
    EXPECT_FALSE(absent.Load("absent.sca"));
    EXPECT_EQ(absent.IsLoadAttempted(), 0);

    CModel badMesh;
    EXPECT_FALSE(LoadText(badMesh, Node("fish", "0 0 0", "red.mod", 1) + Node("hvost", "0 0 0", "absent.mod", 0)));
    EXPECT_EQ(badMesh.IsLoadAttempted(), 1);
    EXPECT_EQ(badMesh.FindNode("fish"), nullptr);

    const std::string whole = FISH_TREE;
    for (size_t cut : {whole.find("CHILDS 3"), whole.find("NODE hvost"), whole.rfind("CHILDS 0")}) {
        CModel truncated;
        EXPECT_FALSE(LoadText(truncated, whole.substr(0, cut))) << cut;
        EXPECT_EQ(truncated.FindNode("fish"), nullptr);
    }
}

// Nesting deeper than any model needs is refused, not followed down the stack.
TEST_F(ModelTest, RefusesRunawayNesting)
{
    std::string text;
    for (int depth = 0; depth < 10000; ++depth)
        text += Node("n", "0 0 0", "red.mod", 1);
    CModel model;
    EXPECT_FALSE(LoadText(model, text));
    EXPECT_EQ(model.FindNode("n"), nullptr);
}

// Thirty-two levels are the deepest tree accepted; one more is refused.
TEST_F(ModelTest, NestingLimitIsThirtyTwoLevels)
{
    auto chain = [](int levels) {
        std::string text;
        for (int level = 1; level < levels; ++level)
            text += Node("n" + std::to_string(level), "0 0 0", "red.mod", 1);
        return text + Node("leaf", "0 0 0", "red.mod", 0);
    };
    CModel deepest;
    EXPECT_TRUE(LoadText(deepest, chain(32)));
    EXPECT_NE(deepest.FindNode("leaf"), nullptr);
    CModel tooDeep;
    EXPECT_FALSE(LoadText(tooDeep, chain(33)));
}

// Children take the parent's translation and rotation but not its scale: the
// root at the centre, turned 90 degrees about Z and scaled by 0.1, puts a
// child at (0.25, 0, 0) of its frame at (0.5, 0.75) of the box.
TEST_F(ModelTest, DrawAppliesParentRotationButNotScale)
{
    // Unit squares in the X-Y plane, facing the viewer of the unit box.
    for (const char* colour : {"red", "green"})
        m_pack.Add(
            std::string("flat_") + colour + ".mod",
            ToBytes(std::string("OBJECT square 4 2\nTEXTURE ") + colour +
                    ".tga\nVERTICES\n-1 -1 0 0 0\n1 -1 0 1 0\n1 1 0 1 1\n-1 1 0 0 1\nTRIANGLES\n0 1 2\n0 2 3\n"));
    const std::string text = Node("fish", "0.5 0.5 0", "flat_red.mod", 1, "0 1 0 -1 0 0 0 0 1", "0.1 0.1 0.1") +
                             Node("hvost", "0.25 0 0", "flat_green.mod", 0, "1 0 0 0 1 0 0 0 1", "0.05 0.05 0.05");
    CModel model;
    ASSERT_TRUE(LoadText(model, text));

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    ASSERT_TRUE(model.Draw());
    const std::vector<uint8_t> pixels = m_window.ReadPixels();

    EXPECT_EQ(PixelAt(pixels, 0.5f, 0.5f), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(PixelAt(pixels, 0.5f, 0.75f), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(PixelAt(pixels, 0.75f, 0.5f), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(PixelAt(pixels, 0.5f, 0.35f), (std::vector<int>{0, 0, 0}));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

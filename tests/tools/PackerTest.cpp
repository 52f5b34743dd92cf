#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/Pack.h"

namespace fs = std::filesystem;

namespace {

uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

// A scratch folder holding a manifest and its files, and the packer's output.
class PackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "coralux-packer-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        fs::create_directories(m_dir / "pack" / "texture");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    // Runs the packer on the manifest text; returns its exit status.
    int Pack(const std::string& manifest)
    {
        WriteText(m_dir / "manifest.txt", manifest);
        const char* binary = std::getenv("CORALUX_BINARY_DIR");
        if (binary == nullptr)
            return -1;
        const std::string command = std::string("'") + binary + "/tools/coralux_packer' '" +
                                    (m_dir / "manifest.txt").string() + "' '" + (m_dir / "pack").string() + "' '" +
                                    Output().string() + "' 2>/dev/null";
        return std::system(command.c_str());
    }

    fs::path Output() const { return m_dir / "out.pack"; }

    std::vector<uint8_t> ReadOutput() const
    {
        std::ifstream in(Output(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path m_dir;
};

}  // namespace

// Entries follow the table back to back in manifest order; comments, blank
// lines and CR line ends are not entries.
TEST_F(PackerTest, LaysEntriesOutInManifestOrder)
{
    WriteText(m_dir / "pack" / "texture" / "font.tga", "FONT");
    WriteText(m_dir / "pack" / "fish.mod", "MESH!");
    WriteText(m_dir / "pack" / "empty.wav", "");
    ASSERT_EQ(Pack("# header\ntexture/font.tga\r\n\nfish.mod\nempty.wav\n"), 0);
    const std::vector<uint8_t> bytes = ReadOutput();
    ASSERT_EQ(bytes.size(), 8u + 3 * 264 + 4 + 5);
    EXPECT_EQ(std::memcmp(bytes.data(), "KCAP", 4), 0);
    EXPECT_EQ(WordAt(bytes, 4), 3u);
    EXPECT_EQ(WordAt(bytes, 8), 8u + 3 * 264);
    EXPECT_EQ(WordAt(bytes, 12), 4u);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[16]), "texture/font.tga");
    EXPECT_EQ(bytes[16 + 255], 0);
    EXPECT_EQ(WordAt(bytes, 8 + 264), 8u + 3 * 264 + 4);
    EXPECT_EQ(WordAt(bytes, 8 + 2 * 264 + 4), 0u);
    EXPECT_EQ(std::memcmp(&bytes[8 + 3 * 264], "FONTMESH!", 9), 0);

    CPack pack;
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.FindRecord("fish.mod"), 1);
    EXPECT_EQ(pack.GetHeader(2).size, 0u);
}

// A name too long for the field, or a missing file, fails with no output left.
TEST_F(PackerTest, FailsWithoutOutputOnBadManifest)
{
    const std::string longName(256, 'x');
    WriteText(m_dir / "pack" / longName.substr(0, 200), "x");
    EXPECT_NE(Pack(longName + "\n"), 0);
    EXPECT_FALSE(fs::exists(Output()));
    EXPECT_NE(Pack("missing.tga\n"), 0);
    EXPECT_FALSE(fs::exists(Output()));
    // A folder opens like a file but cannot be read: a clean failure, not an abort.
    EXPECT_EQ(Pack("texture\n"), 1 << 8);
    EXPECT_FALSE(fs::exists(Output()));
}

// 255 characters is the longest name that still has its terminating zero.
TEST_F(PackerTest, AcceptsLongestName)
{
    const std::string dirName(127, 'd');
    const std::string fileName(127, 'f');
    fs::create_directories(m_dir / "pack" / dirName);
    WriteText(m_dir / "pack" / dirName / fileName, "ok");
    const std::string name = dirName + "/" + fileName;
    ASSERT_EQ(name.size(), 255u);
    ASSERT_EQ(Pack(name + "\n"), 0);
    const std::vector<uint8_t> bytes = ReadOutput();
    CPack pack;
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.FindRecord(name.c_str()), 0);
}

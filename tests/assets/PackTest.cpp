#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/Pack.h"

namespace {

struct SEntry
{
    std::string name;
    std::string bytes;
};

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    out[at] = value & 0xFF;
    out[at + 1] = (value >> 8) & 0xFF;
    out[at + 2] = (value >> 16) & 0xFF;
    out[at + 3] = (value >> 24) & 0xFF;
}

// Lays the entries out as the packer does: table first, then the bytes back to back.
std::vector<uint8_t> MakePack(const std::vector<SEntry>& entries)
{
    size_t total = 8 + 264 * entries.size();
    for (const SEntry& entry : entries)
        total += entry.bytes.size();
    std::vector<uint8_t> pack(total, 0);
    std::memcpy(pack.data(), "KCAP", 4);
    PutWord(pack, 4, static_cast<uint32_t>(entries.size()));
    size_t offset = 8 + 264 * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t record = 8 + 264 * i;
        PutWord(pack, record, static_cast<uint32_t>(offset));
        PutWord(pack, record + 4, static_cast<uint32_t>(entries[i].bytes.size()));
        std::memcpy(&pack[record + 8], entries[i].name.data(), entries[i].name.size());
        std::memcpy(&pack[offset], entries[i].bytes.data(), entries[i].bytes.size());
        offset += entries[i].bytes.size();
    }
    return pack;
}

std::string EntryText(const CPack& pack, const char* name)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!pack.GetRecord(name, &data, &size))
        return "<missing>";
    return std::string(reinterpret_cast<const char*>(data), size);
}

const std::vector<SEntry> SAMPLE = {{"texture/font.tga", "font"}, {"fish.mod", "mesh"}, {"sound/main.wav", "wave"}};

}  // namespace

// ASCII case folds; slashes, blanks and "./" do not.
TEST(CPack, LookupFoldsCaseOnly)
{
    CPack pack;
    const std::vector<uint8_t> bytes = MakePack(SAMPLE);
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.FindRecord("TEXTURE/FONT.TGA"), 0);
    EXPECT_EQ(pack.FindRecord("Sound/Main.WAV"), 2);
    EXPECT_EQ(pack.FindRecord("texture\\font.tga"), -1);
    EXPECT_EQ(pack.FindRecord("./texture/font.tga"), -1);
    EXPECT_EQ(pack.FindRecord("fish.mod "), -1);
    EXPECT_EQ(pack.FindRecord("fish.mo"), -1);
    EXPECT_EQ(pack.FindRecord("fish.mod2"), -1);
    EXPECT_EQ(EntryText(pack, "FISH.MOD"), "mesh");
}

// Bytes above 127 are compared exactly: folding stops at ASCII.
TEST(CPack, LookupComparesHighBytesExactly)
{
    CPack pack;
    ASSERT_EQ(pack.AddRecord("k\xC3\xA4se", "x", 1), 1);
    EXPECT_EQ(pack.FindRecord("K\xC3\xA4SE"), 0);
    EXPECT_EQ(pack.FindRecord("k\xC3\x84se"), -1);
}

// Two records of one name: the first always wins.
TEST(CPack, DuplicateNamesFindFirst)
{
    CPack pack;
    const std::vector<uint8_t> bytes = MakePack({{"a.tga", "first"}, {"A.TGA", "second"}});
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.FindRecord("a.tga"), 0);
    EXPECT_EQ(EntryText(pack, "A.tga"), "first");
}

// Entries come from where their records point, not from their order in the file.
TEST(CPack, ReadsEntriesWhereRecordsPoint)
{
    std::vector<uint8_t> bytes = MakePack({{"one", "11"}, {"two", "222"}});
    const size_t data = 8 + 264 * 2;
    PutWord(bytes, 8, static_cast<uint32_t>(data + 2));    // "one" now points at "22"
    PutWord(bytes, 8 + 264, static_cast<uint32_t>(data));  // "two" at "112"
    CPack pack;
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(EntryText(pack, "one"), "22");
    EXPECT_EQ(EntryText(pack, "two"), "112");
}

// The pack owns copies: the source bytes may go away after loading.
TEST(CPack, KeepsCopiesOfTheEntries)
{
    std::vector<uint8_t> bytes = MakePack(SAMPLE);
    CPack pack;
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    std::fill(bytes.begin(), bytes.end(), 0);
    bytes.clear();
    bytes.shrink_to_fit();
    EXPECT_EQ(EntryText(pack, "sound/main.wav"), "wave");
}

// A count of 0 is a valid, empty pack.
TEST(CPack, CountZeroLoadsEmpty)
{
    CPack pack;
    const std::vector<uint8_t> bytes = MakePack({});
    EXPECT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.GetCount(), 0);
    EXPECT_EQ(pack.FindRecord(""), -1);
    EXPECT_EQ(pack.FindRecord("fish.mod"), -1);
}

// A size-0 entry is found with no data and size 0.
TEST(CPack, EmptyEntryIsFound)
{
    CPack pack;
    const std::vector<uint8_t> bytes = MakePack({{"empty", ""}, {"full", "x"}});
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    const uint8_t* data = bytes.data();
    uint32_t size = 99;
    ASSERT_EQ(pack.GetRecord("empty", &data, &size), 1);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(EntryText(pack, "full"), "x");
}

// A 255-character name is found; one that fills all 256 bytes has no room
// for its terminator and is refused.
TEST(CPack, LongestNameFitsTheField)
{
    const std::string longest(255, 'n');
    CPack pack;
    std::vector<uint8_t> bytes = MakePack({{longest, "ok"}});
    EXPECT_EQ(bytes[8 + 8 + 255], 0);
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(EntryText(pack, longest.c_str()), "ok");

    bytes[8 + 8 + 255] = 'n';
    EXPECT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 0);
    EXPECT_EQ(pack.GetCount(), 0);
    EXPECT_EQ(pack.AddRecord(std::string(256, 'n').c_str(), "x", 1), 0);
    EXPECT_EQ(pack.AddRecord(longest.c_str(), "x", 1), 1);
}

// Adding refuses what it cannot copy, and keeps the arrays in step.
TEST(CPack, AddRecordRefusesMissingInput)
{
    CPack pack;
    EXPECT_EQ(pack.AddRecord(nullptr, "x", 1), 0);
    EXPECT_EQ(pack.AddRecord("gone", nullptr, 4), 0);
    EXPECT_EQ(pack.GetCount(), 0);
    EXPECT_EQ(pack.AddRecord("empty", nullptr, 0), 1);
    EXPECT_EQ(pack.GetData(0), nullptr);
}

// Each kind of damage rejects the whole pack, even one that loaded before.
TEST(CPack, RejectsDamagedPackWhole)
{
    const std::vector<uint8_t> good = MakePack(SAMPLE);
    const size_t data = 8 + 264 * SAMPLE.size();
    struct SCase
    {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<SCase> cases;
    cases.push_back({"wrong magic", good});
    cases.back().bytes[0] = 'P';
    cases.push_back({"shorter than the header", std::vector<uint8_t>(good.begin(), good.begin() + 7)});
    cases.push_back({"table past the end", std::vector<uint8_t>(good.begin(), good.begin() + data - 1)});
    cases.push_back({"huge count", good});
    PutWord(cases.back().bytes, 4, 0xFFFFFFFF);
    cases.push_back({"entry past the end", good});
    PutWord(cases.back().bytes, 8 + 264 * 2 + 4, 5);
    cases.push_back({"offset past the end", good});
    PutWord(cases.back().bytes, 8, static_cast<uint32_t>(good.size()));
    cases.push_back({"offset + size wraps", good});
    PutWord(cases.back().bytes, 8, 0xFFFFFFF0);
    PutWord(cases.back().bytes, 12, 0x20);
    for (const SCase& c : cases) {
        CPack pack;
        ASSERT_EQ(pack.LoadFromMemory(good.data(), good.size()), 1);
        EXPECT_EQ(pack.LoadFromMemory(c.bytes.data(), c.bytes.size()), 0) << c.what;
        EXPECT_EQ(pack.GetCount(), 0) << c.what;
    }
}

// Entries may overlap one another and the table, as long as each lies inside:
// three entries each covering the whole pack load, together three times its size.
TEST(CPack, AcceptsEntriesSharingBytes)
{
    std::vector<uint8_t> bytes = MakePack(SAMPLE);
    for (size_t i = 0; i < SAMPLE.size(); ++i) {
        PutWord(bytes, 8 + 264 * i, 0);
        PutWord(bytes, 8 + 264 * i + 4, static_cast<uint32_t>(bytes.size()));
    }
    CPack pack;
    ASSERT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
    EXPECT_EQ(pack.GetCount(), 3);
    EXPECT_EQ(EntryText(pack, "sound/main.wav").substr(0, 4), "KCAP");
    EXPECT_EQ(EntryText(pack, "sound/main.wav").size(), bytes.size());
}

// Sharing bytes cannot make a small pack claim unbounded memory: copies
// beyond the absolute limit reject the pack before anything is copied.
TEST(CPack, RejectsCopiesBeyondTheLimit)
{
    const uint32_t entrySize = 1u << 20;
    const size_t count = MAX_PACK_COPY_SIZE / entrySize + 1;
    std::vector<uint8_t> bytes(entrySize, 0);
    std::memcpy(bytes.data(), "KCAP", 4);
    PutWord(bytes, 4, static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        PutWord(bytes, 8 + 264 * i + 4, entrySize);
        bytes[8 + 264 * i + 8] = 'a' + i % 26;
    }
    CPack pack;
    EXPECT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 0);
    PutWord(bytes, 4, static_cast<uint32_t>(count - 1));
    EXPECT_EQ(pack.LoadFromMemory(bytes.data(), bytes.size()), 1);
}

// An index outside the arrays is our own fault and raises.
TEST(CPack, BadIndexRaises)
{
    CPack pack;
    pack.AddRecord("one", "1", 1);
    EXPECT_NO_THROW(pack.GetHeader(0));
    EXPECT_ANY_THROW(pack.GetHeader(1));
    EXPECT_ANY_THROW(pack.GetData(-1));
}

// A resource that does not exist leaves the loaded pack alone.
TEST(CPack, MissingResourceKeepsPack)
{
    CPack pack;
    pack.AddRecord("kept", "1", 1);
    EXPECT_EQ(pack.Load(9999), 0);
    EXPECT_EQ(pack.FindRecord("kept"), 0);
}

// The embedded pack holds every manifest entry, in order, with its file's size.
TEST(CPack, EmbeddedPackMatchesManifest)
{
    const char* source = std::getenv("CORALUX_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path resources = std::filesystem::path(source) / "resources";
    std::ifstream manifest(resources / "manifest.txt");
    ASSERT_TRUE(manifest);
    CPack pack;
    ASSERT_EQ(pack.Load(PACK_RESOURCE_ID), 1);
    std::string line;
    int index = 0;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        ASSERT_LT(index, pack.GetCount());
        EXPECT_STREQ(pack.GetHeader(index).name, line.c_str());
        EXPECT_EQ(pack.GetHeader(index).size, std::filesystem::file_size(resources / "pack" / line)) << line;
        ++index;
    }
    EXPECT_EQ(index, pack.GetCount());
}

// A failed lookup leaves the current item and the outputs alone; a
// successful one with no outputs still moves the current item.
TEST(FindPackItem, CurrentItemRules)
{
    CPack& pack = GetPack();
    pack.Clear();
    pack.AddRecord("first", "1", 1);
    pack.AddRecord("second", "22", 2);

    ASSERT_EQ(FindPackItem("second"), 1);
    const uint8_t* second = GetPackItemData();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(std::memcmp(second, "22", 2), 0);
    EXPECT_EQ(GetPackItemSize(), 2u);

    const uint8_t* data = reinterpret_cast<const uint8_t*>("untouched");
    uint32_t size = 77;
    EXPECT_EQ(FindPackItem("third", &data, &size), 0);
    EXPECT_EQ(std::memcmp(data, "untouched", 9), 0);
    EXPECT_EQ(size, 77u);
    EXPECT_EQ(GetPackItemData(), second);
    EXPECT_EQ(GetPackItemSize(), 2u);

    ASSERT_EQ(FindPackItem("FIRST", &data, nullptr), 1);
    EXPECT_EQ(*data, '1');
    EXPECT_EQ(GetPackItemData(), data);
    EXPECT_EQ(GetPackItemSize(), 1u);
    pack.Clear();
}

// Reloading frees the old entries, so the current item must not point into them.
TEST(FindPackItem, ReloadForgetsCurrentItem)
{
    GetPack().Clear();
    GetPack().AddRecord("old", "1", 1);
    ASSERT_EQ(FindPackItem("old"), 1);
    ASSERT_EQ(LoadResourcePack(PACK_RESOURCE_ID), 1);
    EXPECT_EQ(GetPackItemData(), nullptr);
    EXPECT_EQ(GetPackItemSize(), 0u);
    EXPECT_EQ(FindPackItem("old"), 0);
    GetPack().Clear();
}

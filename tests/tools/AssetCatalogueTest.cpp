#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <array>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assets/Pack.h"
#include "platform/Resources.h"

// The assets as the executable carries them: the pack built from resources/
// (resource 140), the two bitmaps and the icon. Expected values are the
// catalogue's formats, written out by hand.
namespace {

struct SEntry
{
    std::string name;
    const uint8_t* data;
    size_t size;
};

uint32_t Word(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t Half(const uint8_t* p)
{
    return p[0] | p[1] << 8;
}

std::vector<uint8_t> Resource(int id)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!SysFindResource(id, &data, &size))
        return {};
    return std::vector<uint8_t>(data, data + size);
}

// The entries as the program's pack loader hands them out. The list lives
// as long as the process, so a pointer from Find(ReadCatalogue(), ...) stays good.
const std::vector<SEntry>& ReadCatalogue()
{
    static CPack pack;
    static std::vector<SEntry> entries;
    if (entries.empty() && pack.Load(PACK_RESOURCE_ID)) {
        for (int i = 0; i < pack.GetCount(); ++i)
            entries.push_back(SEntry{pack.GetHeader(i).name, pack.GetData(i), pack.GetHeader(i).size});
    }
    return entries;
}

const SEntry* Find(const std::vector<SEntry>& entries, const std::string& name)
{
    for (const SEntry& entry : entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::string Text(const SEntry& entry)
{
    return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
}

bool LinesEndInCrLf(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return !text.empty() && text.back() == '\n';
}

const char* const CATALOGUE[] = {
    "texture/font.tga",  "texture/grass.tga",
    "fish.mod",          "hvost.mod",
    "plavnik.mod",       "fish.sca",
    "sfish.sca",         "sfish.mod",
    "sfish.tga",         "fish.tga",
    "pfish.sca",         "pfish.mod",
    "pplavnik.mod",      "phvost.mod",
    "pfish.tga",         "bfish.sca",
    "bfish.mod",         "bhvost.mod",
    "bplavnik.mod",      "bfish.tga",
    "caust.tga",         "sound/splash0.wav",
    "sound/splash2.wav", "sound/splash1.wav",
    "sound/main.wav",    "texture/background.jpg",
};

}  // namespace

// The pack starts with "KCAP" and lists the 26 entries in catalogue order;
// its data follow the table back to back up to the pack's last byte.
TEST(AssetCatalogue, ListsTheEntriesInOrderBackToBack)
{
    const std::vector<uint8_t> pack = Resource(PACK_RESOURCE_ID);
    ASSERT_GE(pack.size(), 8u);
    EXPECT_EQ(0, std::memcmp(pack.data(), "KCAP", 4));
    EXPECT_EQ(26u, Word(pack.data() + 4));
    const std::vector<SEntry> entries = ReadCatalogue();
    ASSERT_EQ(26u, entries.size());
    size_t total = 6872;  // 8 + 26 records of 264 bytes
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(CATALOGUE[i], entries[i].name);
        EXPECT_GT(entries[i].size, 0u) << entries[i].name;
        EXPECT_EQ(0, std::memcmp(pack.data() + Word(pack.data() + 8 + 264 * i), entries[i].data, entries[i].size))
            << entries[i].name;
        EXPECT_EQ(total, Word(pack.data() + 8 + 264 * i)) << entries[i].name;
        total += entries[i].size;
    }
    EXPECT_EQ(pack.size(), total);
}

// Each TGA has its type, palette, size and depth, a bottom-left origin, exactly
// the pixel bytes its header claims, and the 26-byte TGA 2.0 footer.
TEST(AssetCatalogue, TgaEntriesHaveTheirFormats)
{
    struct SExpected
    {
        const char* name;
        int mapType, imageType, width, height, depth, alphaBits;
    };
    const SExpected expected[] = {
        {"texture/font.tga", 0, 3, 256, 256, 8, 0}, {"texture/grass.tga", 1, 1, 64, 64, 8, 0},
        {"sfish.tga", 0, 2, 128, 128, 32, 8},       {"fish.tga", 0, 2, 128, 128, 32, 8},
        {"pfish.tga", 0, 2, 128, 128, 32, 8},       {"bfish.tga", 0, 2, 128, 128, 32, 8},
        {"caust.tga", 0, 2, 64, 64, 24, 0},
    };
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const SExpected& e : expected) {
        const SEntry* entry = Find(entries, e.name);
        ASSERT_NE(nullptr, entry) << e.name;
        const uint8_t* h = entry->data;
        EXPECT_EQ(0, h[0]) << e.name;
        EXPECT_EQ(e.mapType, h[1]) << e.name;
        EXPECT_EQ(e.imageType, h[2]) << e.name;
        EXPECT_EQ(e.mapType ? 256u : 0u, Half(h + 5)) << e.name;
        EXPECT_EQ(e.mapType ? 24 : 0, h[7]) << e.name;
        EXPECT_EQ(static_cast<uint32_t>(e.width), Half(h + 12)) << e.name;
        EXPECT_EQ(static_cast<uint32_t>(e.height), Half(h + 14)) << e.name;
        EXPECT_EQ(e.depth, h[16]) << e.name;
        EXPECT_EQ(e.alphaBits, h[17]) << e.name;  // origin bits 4 and 5 clear: bottom left
        const size_t palette = e.mapType ? 768 : 0;
        ASSERT_EQ(18 + palette + static_cast<size_t>(e.width) * e.height * e.depth / 8 + 26, entry->size) << e.name;
        const uint8_t* footer = entry->data + entry->size - 26;
        EXPECT_EQ(0u, Word(footer)) << e.name;
        EXPECT_EQ(0u, Word(footer + 4)) << e.name;
        EXPECT_EQ(0, std::memcmp(footer + 8, "TRUEVISION-XFILE.\0", 18)) << e.name;
    }
}

// The skins are opaque on the body and translucent only on fins: a good
// share of texels is opaque, some are not, and none is fully clear.
TEST(AssetCatalogue, SkinsAreOpaqueExceptOnFins)
{
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const char* name : {"fish.tga", "bfish.tga", "pfish.tga", "sfish.tga"}) {
        const SEntry* entry = Find(entries, name);
        ASSERT_NE(nullptr, entry);
        int opaque = 0, translucent = 0, clear = 0;
        for (size_t i = 0; i < 128 * 128; ++i) {
            const uint8_t alpha = entry->data[18 + 4 * i + 3];
            (alpha == 255 ? opaque : alpha == 0 ? clear : translucent)++;
        }
        EXPECT_GT(opaque, 128 * 128 / 8) << name;
        EXPECT_GT(translucent, 0) << name;
        EXPECT_EQ(0, clear) << name;
    }
}

// Each WAV is canonical (16-byte PCM format chunk, data at 44) with its rate,
// depth and one channel; only "sound/splash1.wav" carries a LIST chunk after
// its data; 8-bit sound is unsigned, centred on 128.
TEST(AssetCatalogue, WavEntriesHaveTheirFormats)
{
    struct SExpected
    {
        const char* name;
        uint32_t rate, bits;
        bool list;
    };
    const SExpected expected[] = {{"sound/splash0.wav", 22050, 16, false},
                                  {"sound/splash2.wav", 22050, 16, false},
                                  {"sound/splash1.wav", 11025, 8, true},
                                  {"sound/main.wav", 8100, 8, false}};
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const SExpected& e : expected) {
        const SEntry* entry = Find(entries, e.name);
        ASSERT_NE(nullptr, entry) << e.name;
        ASSERT_GE(entry->size, 44u) << e.name;
        const uint8_t* w = entry->data;
        EXPECT_EQ(0, std::memcmp(w, "RIFF", 4)) << e.name;
        EXPECT_EQ(entry->size - 8, Word(w + 4)) << e.name;
        EXPECT_EQ(0, std::memcmp(w + 8, "WAVEfmt ", 8)) << e.name;
        EXPECT_EQ(16u, Word(w + 16)) << e.name;
        EXPECT_EQ(1u, Half(w + 20)) << e.name;  // PCM
        EXPECT_EQ(1u, Half(w + 22)) << e.name;  // mono
        EXPECT_EQ(e.rate, Word(w + 24)) << e.name;
        EXPECT_EQ(e.rate * e.bits / 8, Word(w + 28)) << e.name;
        EXPECT_EQ(e.bits / 8, Half(w + 32)) << e.name;
        EXPECT_EQ(e.bits, Half(w + 34)) << e.name;
        EXPECT_EQ(0, std::memcmp(w + 36, "data", 4)) << e.name;
        const uint32_t data = Word(w + 40);
        ASSERT_LE(44 + data, entry->size) << e.name;
        EXPECT_EQ(0u, data % (e.bits / 8)) << e.name;
        if (e.list) {
            ASSERT_GE(entry->size, 44 + data + 12) << e.name;
            EXPECT_EQ(0, std::memcmp(w + 44 + data, "LIST", 4)) << e.name;
            EXPECT_EQ(entry->size, 44 + data + 8 + Word(w + 48 + data)) << e.name;
        } else {
            EXPECT_EQ(entry->size, 44 + data) << e.name;
        }
        if (e.bits == 8) {
            double sum = 0;
            for (uint32_t i = 0; i < data; ++i)
                sum += w[44 + i];
            EXPECT_NEAR(128.0, sum / data, 6.0) << e.name;
        }
    }
}

// The ambient sound loops without a click: its last sample leads smoothly
// into its first.
TEST(AssetCatalogue, AmbientSoundLoopsWithoutAJump)
{
    const SEntry* entry = Find(ReadCatalogue(), "sound/main.wav");
    ASSERT_NE(nullptr, entry);
    const uint32_t data = Word(entry->data + 40);
    const uint8_t* samples = entry->data + 44;
    int largestStep = 0;
    for (uint32_t i = 1; i < data; ++i)
        largestStep = std::max(largestStep, std::abs(samples[i] - samples[i - 1]));
    EXPECT_LE(std::abs(samples[0] - samples[data - 1]), std::max(4, largestStep / 2));
}

// The background is a baseline JFIF of 2048 x 2048 with three components, and
// its byte 16 is no TGA depth, so the picture loader offers it to the JPEG
// decoder.
TEST(AssetCatalogue, BackgroundIsBaselineJfif)
{
    const SEntry* entry = Find(ReadCatalogue(), "texture/background.jpg");
    ASSERT_NE(nullptr, entry);
    const uint8_t* j = entry->data;
    ASSERT_GT(entry->size, 20u);
    EXPECT_EQ(0xFF, j[0]);
    EXPECT_EQ(0xD8, j[1]);
    EXPECT_EQ(0xFF, j[2]);
    EXPECT_EQ(0xE0, j[3]);
    EXPECT_EQ(0, std::memcmp(j + 6, "JFIF\0", 5));
    EXPECT_TRUE(j[16] != 8 && j[16] != 24 && j[16] != 32);
    bool baseline = false, progressive = false;
    size_t at = 2;
    while (at + 4 <= entry->size && j[at] == 0xFF && j[at + 1] != 0xDA) {
        const uint8_t marker = j[at + 1];
        const size_t length = j[at + 2] << 8 | j[at + 3];
        if (marker == 0xC0 && at + 10 <= entry->size) {
            baseline = true;
            EXPECT_EQ(8, j[at + 4]);                                              // sample precision
            EXPECT_EQ(2048u, static_cast<uint32_t>(j[at + 5] << 8 | j[at + 6]));  // height
            EXPECT_EQ(2048u, static_cast<uint32_t>(j[at + 7] << 8 | j[at + 8]));  // width
            EXPECT_EQ(3, j[at + 9]);                                              // components
        }
        progressive = progressive || marker == 0xC2;
        at += 2 + length;
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
    EXPECT_EQ(0xFF, j[entry->size - 2]);
    EXPECT_EQ(0xD9, j[entry->size - 1]);
}

namespace {

struct SExpectedNode
{
    const char* name;
    double x, y, z;
    const char* model;
    int children;
};

// Reads the node records of a .sca in file order (depth first).
std::vector<SExpectedNode> ReadNodes(const std::string& text, std::vector<std::string>& names,
                                     std::vector<std::string>& models, std::vector<std::string>& problems)
{
    std::vector<SExpectedNode> nodes;
    std::istringstream in(text);
    std::string keyword;
    while (in >> keyword) {
        SExpectedNode node{};
        std::string name, model;
        double sx, sy, sz;
        double r[9];
        in >> name >> keyword >> node.x >> node.y >> node.z >> keyword >> sx >> sy >> sz >> keyword;
        for (double& value : r)
            in >> value;
        in >> keyword >> model >> keyword >> node.children;
        if (!in)
            break;
        if (sx != 0.005 || sy != 0.005 || sz != 0.005)
            problems.push_back(name + ": scale is not 0.005");
        const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        if (!std::equal(r, r + 9, identity))
            problems.push_back(name + ": rotation is not the identity");
        names.push_back(name);
        models.push_back(model);
        nodes.push_back(node);
    }
    return nodes;
}

}  // namespace

// The node files hold exactly the nodes, order, translations, scale 0.005,
// identity rotations and meshes of the fish kinds, with CR LF line ends. The
// side fins sit on the flank, as far out as the body's width puts it there.
TEST(AssetCatalogue, NodeFilesHaveTheirNodes)
{
    struct SFile
    {
        const char* name;
        std::vector<SExpectedNode> nodes;
    };
    const SFile files[] = {
        {"fish.sca",
         {{"fish", 0, 0.1, 0, "fish.mod", 3},
          {"left_plavnik", -0.0298136, 0.1, -0.15, "plavnik.mod", 0},
          {"right_plavnik", 0.0298136, 0.1, -0.15, "plavnik.mod", 0},
          {"hvost", 0, -0.36, 0, "hvost.mod", 0}}},
        {"bfish.sca",
         {{"fish", 0, 0.1, 0, "bfish.mod", 3},
          {"left_plavnik", -0.0509926, 0.12, -0.05, "bplavnik.mod", 0},
          {"right_plavnik", 0.0509926, 0.12, -0.05, "bplavnik.mod", 0},
          {"hvost", 0, -0.38, 0.06, "bhvost.mod", 0}}},
        {"pfish.sca",
         {{"fish", 0, 0.1, 0, "pfish.mod", 3},
          {"left_plavnik", -0.0637266, 0.15, -0.05, "pplavnik.mod", 0},
          {"right_plavnik", 0.0637266, 0.15, -0.05, "pplavnik.mod", 0},
          {"hvost", 0, -0.399, 0.035, "phvost.mod", 0}}},
        {"sfish.sca", {{"sfish", 0, 0.1, 0, "sfish.mod", 0}}},
    };
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const SFile& file : files) {
        const SEntry* entry = Find(entries, file.name);
        ASSERT_NE(nullptr, entry) << file.name;
        const std::string text = Text(*entry);
        EXPECT_TRUE(LinesEndInCrLf(text)) << file.name;
        std::vector<std::string> names, models, problems;
        const std::vector<SExpectedNode> nodes = ReadNodes(text, names, models, problems);
        EXPECT_TRUE(problems.empty()) << file.name << ": " << (problems.empty() ? "" : problems[0]);
        ASSERT_EQ(file.nodes.size(), nodes.size()) << file.name;
        for (size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(file.nodes[i].name, names[i]) << file.name;
            EXPECT_EQ(file.nodes[i].model, models[i]) << file.name;
            EXPECT_NEAR(file.nodes[i].x, nodes[i].x, 1e-9) << file.name << " " << names[i];
            EXPECT_NEAR(file.nodes[i].y, nodes[i].y, 1e-9) << file.name << " " << names[i];
            EXPECT_NEAR(file.nodes[i].z, nodes[i].z, 1e-9) << file.name << " " << names[i];
            EXPECT_EQ(file.nodes[i].children, nodes[i].children) << file.name << " " << names[i];
        }
    }
}

namespace {

struct SMesh
{
    std::string texture;
    int declaredVertices = -1, declaredTriangles = -1;
    std::vector<std::array<double, 5>> vertices;
    std::vector<std::array<int, 3>> triangles;
};

// Reads a mesh file by its record order: header, texture, VERTICES, the
// vertex lines, TRIANGLES, the triangle lines.
SMesh ReadMesh(const std::string& text)
{
    SMesh mesh;
    std::istringstream in(text);
    std::string keyword, name;
    in >> keyword >> name >> mesh.declaredVertices >> mesh.declaredTriangles >> keyword >> mesh.texture >> keyword;
    std::array<double, 5> v;
    while (in >> v[0] >> v[1] >> v[2] >> v[3] >> v[4])
        mesh.vertices.push_back(v);
    in.clear();
    in >> keyword;
    std::array<int, 3> t;
    while (in >> t[0] >> t[1] >> t[2])
        mesh.triangles.push_back(t);
    return mesh;
}

SMesh ReadMeshEntry(const std::vector<SEntry>& entries, const std::string& name)
{
    const SEntry* entry = Find(entries, name);
    return entry ? ReadMesh(Text(*entry)) : SMesh{};
}

// A triangle of a thin sheet, which comes with its corners in the other winding too.
bool IsTwoSided(const SMesh& mesh, const std::array<int, 3>& t)
{
    return std::count_if(mesh.triangles.begin(), mesh.triangles.end(),
                         [&](const auto& o) { return std::is_permutation(o.begin(), o.end(), t.begin()); }) > 1;
}

const struct
{
    const char* mesh;
    const char* skin;
} MESHES[] = {
    {"fish.mod", "fish.tga"},    {"hvost.mod", "fish.tga"},     {"plavnik.mod", "fish.tga"}, {"sfish.mod", "sfish.tga"},
    {"pfish.mod", "pfish.tga"},  {"pplavnik.mod", "pfish.tga"}, {"phvost.mod", "pfish.tga"}, {"bfish.mod", "bfish.tga"},
    {"bhvost.mod", "bfish.tga"}, {"bplavnik.mod", "bfish.tga"},
};

}  // namespace

// Every mesh declares what it holds, stays within 400 vertices and 512
// triangles (the fish's budget of frame time, well inside the loader's 2048
// triangles), indexes only its own vertices, maps into its kind's skin and
// ends its lines in CR LF.
TEST(AssetCatalogue, MeshesStayWithinTheirLimits)
{
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const auto& m : MESHES) {
        const SEntry* entry = Find(entries, m.mesh);
        ASSERT_NE(nullptr, entry) << m.mesh;
        EXPECT_TRUE(LinesEndInCrLf(Text(*entry))) << m.mesh;
        const SMesh mesh = ReadMesh(Text(*entry));
        EXPECT_EQ(m.skin, mesh.texture) << m.mesh;
        EXPECT_EQ(mesh.declaredVertices, static_cast<int>(mesh.vertices.size())) << m.mesh;
        EXPECT_EQ(mesh.declaredTriangles, static_cast<int>(mesh.triangles.size())) << m.mesh;
        EXPECT_GT(mesh.vertices.size(), 3u) << m.mesh;
        EXPECT_LE(mesh.vertices.size(), 400u) << m.mesh;
        EXPECT_GT(mesh.triangles.size(), 0u) << m.mesh;
        EXPECT_LE(mesh.triangles.size(), 512u) << m.mesh;
        for (const auto& t : mesh.triangles)
            for (int corner : t)
                EXPECT_TRUE(corner >= 0 && corner < static_cast<int>(mesh.vertices.size())) << m.mesh << " " << corner;
        for (const auto& v : mesh.vertices) {
            EXPECT_TRUE(v[3] >= 0 && v[3] <= 1 && v[4] >= 0 && v[4] <= 1) << m.mesh << " uv " << v[3] << " " << v[4];
        }
    }
}

// Fins and tails are thin sheets: each triangle also comes with the opposite
// winding, so they show from both sides with back faces culled.
TEST(AssetCatalogue, FinsAndTailsShowFromBothSides)
{
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const char* name : {"hvost.mod", "plavnik.mod", "phvost.mod", "pplavnik.mod", "bhvost.mod", "bplavnik.mod"}) {
        const SMesh mesh = ReadMeshEntry(entries, name);
        ASSERT_FALSE(mesh.triangles.empty()) << name;
        for (const auto& t : mesh.triangles) {
            const bool reversed = std::any_of(mesh.triangles.begin(), mesh.triangles.end(), [&](const auto& o) {
                return (o[0] == t[0] && o[1] == t[2] && o[2] == t[1]) ||
                       (o[0] == t[1] && o[1] == t[0] && o[2] == t[2]) || (o[0] == t[2] && o[1] == t[1] && o[2] == t[0]);
            });
            EXPECT_TRUE(reversed) << name << ": " << t[0] << " " << t[1] << " " << t[2];
        }
    }
}

// The body of each finned kind ends where its tail node sits (the node's
// translation over the node scale, 0.005), so the turning tail stays joined
// to the body; the tail reaches a little into the body.
TEST(AssetCatalogue, TailsJoinTheirBodies)
{
    const struct
    {
        const char* body;
        const char* tail;
        double tailY, tailZ;
    } kinds[] = {{"fish.mod", "hvost.mod", -0.36, 0},
                 {"bfish.mod", "bhvost.mod", -0.38, 0.06},
                 {"pfish.mod", "phvost.mod", -0.399, 0.035}};
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const auto& kind : kinds) {
        const SMesh body = ReadMeshEntry(entries, kind.body);
        const SMesh tail = ReadMeshEntry(entries, kind.tail);
        ASSERT_FALSE(body.vertices.empty());
        ASSERT_FALSE(tail.vertices.empty());
        double bodyRear = 1e9, tailFront = -1e9;
        // Near the tail's height only: dorsal and anal fins may reach further back.
        for (const auto& v : body.vertices)
            if (std::fabs(v[2] - kind.tailZ / 0.005) < 12)
                bodyRear = std::min(bodyRear, v[1]);
        for (const auto& v : tail.vertices)
            tailFront = std::max(tailFront, v[1]);
        const double joint = kind.tailY / 0.005;
        EXPECT_NEAR(joint, bodyRear, 10.0) << kind.body;
        EXPECT_GE(tailFront, 0.0) << kind.tail;
    }
}

// Bitmap 132 is a 200 x 150 24-bit BMP, bitmap 133 a 512 x 32 8-bit BMP with
// a 256-colour palette, both bottom-up and uncompressed.
TEST(AssetCatalogue, BitmapsHaveTheirFormats)
{
    const struct
    {
        int id, width, height, bits;
        uint32_t palette;
    } bitmaps[] = {{132, 200, 150, 24, 0}, {133, 512, 32, 8, 256}};
    for (const auto& b : bitmaps) {
        const std::vector<uint8_t> bmp = Resource(b.id);
        ASSERT_GE(bmp.size(), 54u) << b.id;
        EXPECT_EQ('B', bmp[0]);
        EXPECT_EQ('M', bmp[1]);
        EXPECT_EQ(bmp.size(), Word(&bmp[2])) << b.id;
        EXPECT_EQ(54 + 4 * b.palette, Word(&bmp[10])) << b.id;
        EXPECT_EQ(40u, Word(&bmp[14])) << b.id;
        EXPECT_EQ(static_cast<uint32_t>(b.width), Word(&bmp[18])) << b.id;
        EXPECT_EQ(static_cast<uint32_t>(b.height), Word(&bmp[22])) << b.id;  // positive: bottom-up
        EXPECT_EQ(static_cast<uint32_t>(b.bits), Half(&bmp[28])) << b.id;
        EXPECT_EQ(0u, Word(&bmp[30])) << b.id;
        EXPECT_EQ(b.palette, Word(&bmp[46])) << b.id;
        const size_t stride = (b.width * b.bits / 8 + 3) / 4 * 4;
        EXPECT_EQ(54 + 4 * b.palette + stride * b.height, bmp.size()) << b.id;
    }
}

// The icon holds at least a 32 x 32 and a 16 x 16 bitmap, and a 256 x 256
// image (its size written as 0) stored as a PNG, as Windows reads one that
// large; each inside the file.
TEST(AssetCatalogue, IconHoldsTheSmallSizesAndALargePng)
{
    const std::vector<uint8_t> icon = Resource(128);
    ASSERT_GE(icon.size(), 6u);
    EXPECT_EQ(0u, Half(&icon[0]));
    EXPECT_EQ(1u, Half(&icon[2]));
    const uint32_t count = Half(&icon[4]);
    ASSERT_GE(icon.size(), 6 + 16 * count);
    const uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool has32 = false, has16 = false, has256 = false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = &icon[6 + 16 * i];
        const uint32_t size = Word(entry + 8), offset = Word(entry + 12);
        ASSERT_LE(static_cast<size_t>(offset) + size, icon.size());
        ASSERT_GE(size, 40u);
        if (entry[0] == 0) {
            // The PNG's header chunk follows its signature; sizes are big-endian there.
            EXPECT_EQ(0, std::memcmp(&icon[offset], PNG_SIGNATURE, sizeof PNG_SIGNATURE));
            EXPECT_EQ(0, std::memcmp(&icon[offset + 12], "IHDR", 4));
            EXPECT_EQ(256u, static_cast<uint32_t>(icon[offset + 18] << 8 | icon[offset + 19]));  // width
            EXPECT_EQ(256u, static_cast<uint32_t>(icon[offset + 22] << 8 | icon[offset + 23]));  // height
            has256 = true;
            continue;
        }
        EXPECT_EQ(static_cast<uint32_t>(entry[0]), Word(&icon[offset + 4]));  // width
        EXPECT_EQ(2u * entry[1], Word(&icon[offset + 8]));                    // colour and mask rows
        has32 = has32 || entry[0] == 32;
        has16 = has16 || entry[0] == 16;
    }
    EXPECT_TRUE(has32);
    EXPECT_TRUE(has16);
    EXPECT_TRUE(has256);
}

// The bodies are closed and consistently wound outwards: every edge of the
// one-sided triangles is used once in each direction, and the enclosed volume
// is positive. A flipped triangle would be culled and leave a hole.
TEST(AssetCatalogue, BodiesAreClosedAndFaceOutwards)
{
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const char* name : {"fish.mod", "bfish.mod", "pfish.mod", "sfish.mod"}) {
        const SMesh mesh = ReadMeshEntry(entries, name);
        ASSERT_FALSE(mesh.triangles.empty()) << name;
        std::map<std::pair<int, int>, int> edges;
        double volume = 0;
        for (const auto& t : mesh.triangles) {
            if (IsTwoSided(mesh, t))
                continue;
            for (int c = 0; c < 3; ++c)
                ++edges[{t[c], t[(c + 1) % 3]}];
            const auto& a = mesh.vertices[t[0]];
            const auto& b = mesh.vertices[t[1]];
            const auto& c = mesh.vertices[t[2]];
            volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                       a[2] * (b[0] * c[1] - b[1] * c[0])) /
                      6;
        }
        for (const auto& [edge, count] : edges) {
            const auto reverse = edges.find({edge.second, edge.first});
            EXPECT_EQ(1, count) << name << " edge " << edge.first << "-" << edge.second;
            EXPECT_TRUE(reverse != edges.end() && reverse->second == 1)
                << name << " edge " << edge.first << "-" << edge.second;
        }
        EXPECT_GT(volume, 1000.0) << name;
    }
}

// Each body has real volume: where its section is widest it is at least a
// third as wide as it is high (yellow and pearl fish) or half (blue and tiny
// fish). A section is the ring of body corners at one y; fin tips, which
// only two-sided triangles use, are not part of it.
TEST(AssetCatalogue, BodiesHaveVolume)
{
    const struct
    {
        const char* mesh;
        double ratio;
    } bodies[] = {{"fish.mod", 1.0 / 3}, {"pfish.mod", 1.0 / 3}, {"bfish.mod", 0.5}, {"sfish.mod", 0.5}};
    const std::vector<SEntry> entries = ReadCatalogue();
    for (const auto& body : bodies) {
        const SMesh mesh = ReadMeshEntry(entries, body.mesh);
        ASSERT_FALSE(mesh.triangles.empty()) << body.mesh;
        std::map<double, std::vector<std::array<double, 5>>> sections;
        for (const auto& t : mesh.triangles) {
            if (!IsTwoSided(mesh, t))
                for (int corner : t)
                    sections[mesh.vertices[corner][1]].push_back(mesh.vertices[corner]);
        }
        double widest = 0, heightThere = 0;
        for (const auto& [y, corners] : sections) {
            double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
            for (const auto& v : corners) {
                left = std::min(left, v[0]);
                right = std::max(right, v[0]);
                bottom = std::min(bottom, v[2]);
                top = std::max(top, v[2]);
            }
            if (right - left > widest) {
                widest = right - left;
                heightThere = top - bottom;
            }
        }
        ASSERT_GT(heightThere, 0) << body.mesh;
        EXPECT_GE(widest / heightThere, body.ratio) << body.mesh;
    }
}

// The font sheet holds ASCII upright with row 0 of the cells at the top of
// the picture (stored bottom-up): "^" inks the upper half of its cell, "_"
// the lower half, the space and control codes nothing, every letter and
// digit something.
TEST(AssetCatalogue, FontSheetHoldsAsciiUpright)
{
    const SEntry* entry = Find(ReadCatalogue(), "texture/font.tga");
    ASSERT_NE(nullptr, entry);
    ASSERT_EQ(18u + 256 * 256 + 26, entry->size);
    // Ink of code c in the cell's rows [from, to), counted from the cell's top.
    const auto ink = [&](int c, int from, int to) {
        int sum = 0;
        for (int row = from; row < to; ++row) {
            const int pictureRow = (c / 16) * 16 + row;  // from the top of the picture
            const uint8_t* line = entry->data + 18 + (255 - pictureRow) * 256 + (c % 16) * 16;
            for (int x = 0; x < 16; ++x)
                sum += line[x];
        }
        return sum;
    };
    EXPECT_GT(ink('^', 0, 8), 0);
    EXPECT_EQ(0, ink('^', 8, 16));
    EXPECT_EQ(0, ink('_', 0, 8));
    EXPECT_GT(ink('_', 8, 16), 0);
    EXPECT_EQ(0, ink(' ', 0, 16));
    for (int c = 0; c < 32; ++c)
        EXPECT_EQ(0, ink(c, 0, 16)) << c;
    for (const char* set : {"0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "%#@"})
        for (const char* c = set; *c; ++c)
            EXPECT_GT(ink(static_cast<unsigned char>(*c), 0, 16), 8 * 255) << *c;
}

// Packs the asset files named in a manifest into the program's pack format:
// "KCAP", a record count, one 264-byte record per entry (offset, size, name),
// then the entries' bytes back to back in manifest order.
//
// usage: coralux_packer MANIFEST SOURCE_DIR OUTPUT
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const uint32_t PACK_MAGIC = 0x5041434B;  // "KCAP" read as a little-endian word
const size_t NAME_FIELD = 256;
const size_t RECORD_SIZE = 8 + NAME_FIELD;

struct SEntry
{
    std::string name;
    std::vector<char> bytes;
};

void PutWord(std::vector<char>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool ReadManifest(const char* path, std::vector<std::string>& names)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        names.push_back(line);
    }
    return true;
}

// A folder opens like a file, and reading it throws from inside the stream
// buffer: any read failure is a file that cannot be read.
bool ReadEntry(const std::string& dir, const std::string& name, SEntry& entry)
{
    try {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        if (!in)
            return false;
        entry.name = name;
        entry.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::exception&) {
        return false;
    }
}

// Offsets are 32-bit words, so the whole pack must stay below 4 GiB.
bool FitsOffsets(const std::vector<SEntry>& entries)
{
    uint64_t total = 8 + RECORD_SIZE * entries.size();
    for (const SEntry& entry : entries)
        total += entry.bytes.size();
    return total <= UINT32_MAX;
}

// Writes the whole file or, on failure, none of it.
bool WriteFile(const char* path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out)
        return true;
    std::remove(path);
    return false;
}

std::vector<char> BuildPack(const std::vector<SEntry>& entries)
{
    std::vector<char> pack;
    PutWord(pack, PACK_MAGIC);
    PutWord(pack, static_cast<uint32_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(8 + RECORD_SIZE * entries.size());
    for (const SEntry& entry : entries) {
        PutWord(pack, offset);
        PutWord(pack, static_cast<uint32_t>(entry.bytes.size()));
        std::string field = entry.name;
        field.resize(NAME_FIELD, '\0');
        pack.insert(pack.end(), field.begin(), field.end());
        offset += static_cast<uint32_t>(entry.bytes.size());
    }
    for (const SEntry& entry : entries)
        pack.insert(pack.end(), entry.bytes.begin(), entry.bytes.end());
    return pack;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s MANIFEST SOURCE_DIR OUTPUT\n", argv[0]);
        return 2;
    }
    std::vector<std::string> names;
    if (!ReadManifest(argv[1], names)) {
        std::fprintf(stderr, "coralux_packer: cannot read manifest %s\n", argv[1]);
        return 1;
    }
    std::vector<SEntry> entries(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() >= NAME_FIELD) {
            std::fprintf(stderr, "coralux_packer: name longer than 255 characters: %s\n", names[i].c_str());
            return 1;
        }
        if (!ReadEntry(argv[2], names[i], entries[i])) {
            std::fprintf(stderr, "coralux_packer: cannot read %s/%s\n", argv[2], names[i].c_str());
            return 1;
        }
    }
    if (!FitsOffsets(entries)) {
        std::fprintf(stderr, "coralux_packer: the entries do not fit in 4 GiB\n");
        return 1;
    }
    if (!WriteFile(argv[3], BuildPack(entries))) {
        std::fprintf(stderr, "coralux_packer: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

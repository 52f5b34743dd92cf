#pragma once
// A growing byte buffer with little-endian writers, and the one way the
// generators put a file on disk (parent folders made as needed).
#include <cstdint>
#include <string>
#include <vector>

class CBytes
{
public:
    void PutU8(uint32_t value) { m_data.push_back(static_cast<uint8_t>(value)); }
    void PutU16(uint32_t value);
    void PutU32(uint32_t value);
    void PutText(const std::string& text);  // the characters only, no terminator
    void Append(const CBytes& other);

    size_t GetSize() const { return m_data.size(); }
    const std::vector<uint8_t>& GetData() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

// Writes the bytes to root/relative; prints the reason and exits on failure,
// since a generator that cannot write has nothing else to do.
void WriteOutputFile(const std::string& root, const std::string& relative, const CBytes& bytes);
void WriteOutputFile(const std::string& root, const std::string& relative, const std::string& text);

// The output root of a generator: its one command-line argument.
std::string GetOutputRoot(int argc, char** argv);

#include "Bytes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

void CBytes::PutU16(uint32_t value)
{
    PutU8(value & 0xFF);
    PutU8((value >> 8) & 0xFF);
}

void CBytes::PutU32(uint32_t value)
{
    PutU16(value & 0xFFFF);
    PutU16(value >> 16);
}

void CBytes::PutText(const std::string& text)
{
    m_data.insert(m_data.end(), text.begin(), text.end());
}

void CBytes::Append(const CBytes& other)
{
    m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
}

namespace {

void WriteRaw(const std::string& root, const std::string& relative, const char* data, size_t size)
{
    const std::filesystem::path path = std::filesystem::path(root) / relative;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace

void WriteOutputFile(const std::string& root, const std::string& relative, const CBytes& bytes)
{
    WriteRaw(root, relative, reinterpret_cast<const char*>(bytes.GetData().data()), bytes.GetSize());
}

void WriteOutputFile(const std::string& root, const std::string& relative, const std::string& text)
{
    WriteRaw(root, relative, text.data(), text.size());
}

std::string GetOutputRoot(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIR\n", argv[0]);
        std::exit(2);
    }
    return argv[1];
}

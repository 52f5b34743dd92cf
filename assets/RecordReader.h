#pragma once
// Reads the text records of the mesh and scene-node files straight from a pack
// entry's bytes: one record per line (LF or CR LF), lines of zero length
// skipped, fields split at white space (a line of blanks is a record with no
// fields). Fields are converted the way "%s %f %d" would
// convert them: a field that does not convert leaves it and every later field
// of the record unset. Knows nothing about which record means what.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CRecordReader
{
public:
    // Longest field accepted; the stored names fit the pack's 256-byte names.
    static const size_t MAX_TOKEN_LENGTH = 255;

    // The bytes stay owned by the caller and must outlive the reader.
    CRecordReader(const uint8_t* data, size_t size);

    // Moves to the next line that is not empty. False at the end of the data,
    // or when the line holds a field longer than MAX_TOKEN_LENGTH.
    bool ReadRecord();

    // Field i of the current record, or "" when the record is shorter.
    const std::string& GetField(size_t index) const;
    // Converts fields first, first + 1, ... into out until count are done or
    // one does not convert; returns how many were written.
    int ScanFloats(size_t first, int count, float* out) const;
    int ScanInts(size_t first, int count, int32_t* out) const;

private:
    const char* m_next;
    const char* m_end;
    std::vector<std::string> m_fields;
};

#include "assets/RecordReader.h"

#include <charconv>

namespace {

// The characters scanf skips between fields.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Converts one field as "%f" or "%d" would: a leading '+' is allowed, and a
// number followed by other characters converts its number and ends the scan.
template <class T>
bool ConvertField(const std::string& field, T& out, bool& complete)
{
    const char* first = field.data();
    const char* last = first + field.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, out);
    complete = end == last;
    return error == std::errc() && end != first;
}

template <class T>
int ScanFields(const std::vector<std::string>& fields, size_t first, int count, T* out)
{
    int written = 0;
    for (size_t i = first; written < count && i < fields.size(); ++i) {
        bool complete = false;
        T value{};
        if (!ConvertField(fields[i], value, complete))
            break;
        out[written++] = value;
        if (!complete)
            break;
    }
    return written;
}

}  // namespace

CRecordReader::CRecordReader(const uint8_t* data, size_t size)
    : m_next(reinterpret_cast<const char*>(data)), m_end(reinterpret_cast<const char*>(data) + (data ? size : 0))
{}

bool CRecordReader::ReadRecord()
{
    m_fields.clear();
    while (m_next != m_end) {
        const char* lineEnd = m_next;
        while (lineEnd != m_end && *lineEnd != '\n')
            ++lineEnd;
        const char* const next = lineEnd == m_end ? m_end : lineEnd + 1;
        // The line end is LF or CR LF; a line with nothing before it is no record.
        const char* contentEnd = lineEnd;
        if (contentEnd != m_next && lineEnd != m_end && contentEnd[-1] == '\r')
            --contentEnd;
        if (contentEnd == m_next) {
            m_next = next;
            continue;
        }
        for (const char* p = m_next; p != lineEnd;) {
            if (IsBlank(*p)) {
                ++p;
                continue;
            }
            const char* fieldStart = p;
            while (p != lineEnd && !IsBlank(*p))
                ++p;
            if (static_cast<size_t>(p - fieldStart) > MAX_TOKEN_LENGTH) {
                m_fields.clear();
                m_next = m_end;
                return false;
            }
            m_fields.emplace_back(fieldStart, p);
        }
        m_next = next;
        return true;
    }
    return false;
}

const std::string& CRecordReader::GetField(size_t index) const
{
    static const std::string empty;
    return index < m_fields.size() ? m_fields[index] : empty;
}

int CRecordReader::ScanFloats(size_t first, int count, float* out) const
{
    return ScanFields(m_fields, first, count, out);
}

int CRecordReader::ScanInts(size_t first, int count, int32_t* out) const
{
    return ScanFields(m_fields, first, count, out);
}

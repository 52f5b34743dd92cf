#include "platform/linux/StoreDocument.h"

#include "platform/Store.h"

#include <charconv>
#include <cstddef>

namespace {

// Written at the top of a new file, so a user editing it by hand knows the rules.
const char* const FILE_HEADER[] = {
    "; Coralux Screensaver settings for this user. Safe to edit by hand; lines",
    "; the program cannot read are kept as they are. One value per line:",
    ";   \"Name\"=dword:640      32-bit number, decimal (or 0x hexadecimal)",
    ";   \"Name\"=\"text\"         text; write \\\\ for \\ and \\\" for \"",
    ";   \"Name\"=hex:01,02,ff   binary bytes; hex(N): for a value of type N",
};

std::string_view Trim(std::string_view text)
{
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// "[path]" -> path.
bool ParseKeyLine(std::string_view line, std::string_view* path)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    *path = Trim(line.substr(1, line.size() - 2));
    return true;
}

// Reads a quoted text at the start of text; *rest is what follows the closing quote.
// A backslash escapes the next character only when it is \ or "; any other stays.
bool ParseQuoted(std::string_view text, std::string* out, std::string_view* rest)
{
    if (text.empty() || text.front() != '"')
        return false;
    out->clear();
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            *rest = text.substr(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
            ++i;
        out->push_back(text[i]);
    }
    return false;
}

// "\"Name\"=anything" -> Name and anything, trimmed.
bool ParseValueLine(std::string_view line, std::string* name, std::string_view* value)
{
    std::string_view rest;
    if (!ParseQuoted(Trim(line), name, &rest))
        return false;
    rest = Trim(rest);
    if (rest.empty() || rest.front() != '=')
        return false;
    *value = Trim(rest.substr(1));
    return true;
}

bool ParseWord(std::string_view text, uint32_t* word)
{
    text = Trim(text);
    const char* end = text.data() + text.size();
    if (StartsWithNoCase(text, "0x")) {
        text.remove_prefix(2);
        if (text.empty() || text.size() > 8)
            return false;
        auto [last, error] = std::from_chars(text.data(), end, *word, 16);
        return error == std::errc() && last == end;
    }
    int64_t number = 0;
    auto [last, error] = std::from_chars(text.data(), end, number, 10);
    if (error != std::errc() || last != end || text.empty() || number < INT32_MIN || number > UINT32_MAX)
        return false;
    *word = static_cast<uint32_t>(number);
    return true;
}

// "01,02,ff" -> bytes; an empty text is no bytes.
bool ParseBytes(std::string_view text, std::vector<uint8_t>* bytes)
{
    bytes->clear();
    text = Trim(text);
    if (text.empty())
        return true;
    for (;;) {
        const size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        unsigned byte = 0;
        auto [last, error] = std::from_chars(item.data(), item.data() + item.size(), byte, 16);
        if (item.empty() || item.size() > 2 || error != std::errc() || last != item.data() + item.size())
            return false;
        bytes->push_back(static_cast<uint8_t>(byte));
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

bool ParseValue(std::string_view text, SStoreValue* value)
{
    if (!text.empty() && text.front() == '"') {
        std::string content;
        std::string_view rest;
        if (!ParseQuoted(text, &content, &rest) || !Trim(rest).empty())
            return false;
        value->type = STORE_STRING;
        value->data.assign(content.begin(), content.end());
        value->data.push_back(0);
        return true;
    }
    if (StartsWithNoCase(text, "dword:")) {
        uint32_t word = 0;
        if (!ParseWord(text.substr(6), &word))
            return false;
        value->type = STORE_DWORD;
        value->data = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                       static_cast<uint8_t>(word >> 24)};
        return true;
    }
    if (StartsWithNoCase(text, "hex:")) {
        value->type = STORE_BINARY;
        return ParseBytes(text.substr(4), &value->data);
    }
    if (StartsWithNoCase(text, "hex(")) {
        const size_t close = text.find("):");
        if (close == std::string_view::npos)
            return false;
        const std::string_view digits = text.substr(4, close - 4);
        auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value->type, 10);
        if (digits.empty() || error != std::errc() || last != digits.data() + digits.size())
            return false;
        return ParseBytes(text.substr(close + 2), &value->data);
    }
    return false;
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted.push_back('\\');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

bool IsBlank(std::string_view line)
{
    return Trim(line).empty();
}

}  // namespace

CStoreDocument::CStoreDocument(std::string_view text)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        m_lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

bool CStoreDocument::HasKey(std::string_view path) const
{
    return !FindKeyLines(path).empty();
}

void CStoreDocument::AddKey(std::string_view path)
{
    if (HasKey(path))
        return;
    if (m_lines.empty())
        m_lines.assign(std::begin(FILE_HEADER), std::end(FILE_HEADER));
    if (!IsBlank(m_lines.back()))
        m_lines.emplace_back();
    m_lines.push_back("[" + std::string(path) + "]");
}

bool CStoreDocument::FindValue(std::string_view path, std::string_view name, SStoreValue* value) const
{
    bool found = false;
    for (size_t start : FindKeyLines(path)) {
        const size_t end = FindKeyEnd(start);
        for (size_t i = start + 1; i < end; ++i) {
            std::string lineName;
            std::string_view text;
            SStoreValue parsed;
            if (ParseValueLine(m_lines[i], &lineName, &text) && EqualsNoCase(lineName, name) &&
                ParseValue(text, &parsed)) {
                *value = std::move(parsed);
                found = true;
            }
        }
    }
    return found;
}

bool CStoreDocument::SetDword(std::string_view path, std::string_view name, uint32_t value)
{
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    AddKey(path);
    const std::string line = Quote(name) + "=dword:" + std::to_string(static_cast<int32_t>(value));

    std::vector<size_t> named;
    size_t lastKeyEnd = 0;
    for (size_t start : FindKeyLines(path)) {
        lastKeyEnd = FindKeyEnd(start);
        for (size_t i = start + 1; i < lastKeyEnd; ++i) {
            std::string lineName;
            std::string_view text;
            if (ParseValueLine(m_lines[i], &lineName, &text) && EqualsNoCase(lineName, name))
                named.push_back(i);
        }
    }
    if (named.empty()) {
        // Keep the value with its key, above the blank lines that part it from the next one.
        size_t at = lastKeyEnd;
        while (IsBlank(m_lines[at - 1]))
            --at;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        return true;
    }
    m_lines[named.front()] = line;
    for (size_t i = named.size(); i-- > 1;)
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(named[i]));
    return true;
}

std::string CStoreDocument::Format() const
{
    std::string text;
    for (const std::string& line : m_lines)
        text += line + "\n";
    return text;
}

std::vector<size_t> CStoreDocument::FindKeyLines(std::string_view path) const
{
    std::vector<size_t> found;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view linePath;
        if (ParseKeyLine(m_lines[i], &linePath) && EqualsNoCase(linePath, path))
            found.push_back(i);
    }
    return found;
}

size_t CStoreDocument::FindKeyEnd(size_t start) const
{
    std::string_view ignored;
    size_t end = start + 1;
    while (end < m_lines.size() && !ParseKeyLine(m_lines[end], &ignored))
        ++end;
    return end;
}

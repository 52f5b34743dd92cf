#include "platform/linux/StoreDocument.h"

#include "platform/Store.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <iterator>

namespace {

// What regedit writes first; REGEDIT4 is its older form, for 8-bit text.
const char HEADER[] = "Windows Registry Editor Version 5.00";
const char OLD_HEADER[] = "REGEDIT4";
// The hive the store stands for, named as regedit names it in a key line.
const char USER_ROOT[] = "HKEY_CURRENT_USER\\";
const char USER_ROOT_SHORT[] = "HKCU\\";

// Written below the first line of a new file, so a user editing it by hand knows the rules.
const char* const FILE_COMMENT[] = {
    "; Coralux settings for this user, in the syntax of regedit's .reg files.",
    "; Safe to edit by hand; lines the program cannot read are kept as they are.",
    ";   \"Name\"=dword:00000280   32-bit number, 8 hexadecimal digits (here 640)",
    ";   \"Name\"=\"text\"           text; write \\\\ for \\ and \\\" for \"",
    ";   \"Name\"=hex:01,02,ff     binary bytes; hex(N): for a value of type N",
};

// The comment earlier versions put at the top of a file whose words are decimal.
const char* const DECIMAL_FILE_COMMENT[] = {
    "; Coralux Screensaver settings for this user. Safe to edit by hand; lines",
    "; the program cannot read are kept as they are. One value per line:",
    ";   \"Name\"=dword:640      32-bit number, decimal (or 0x hexadecimal)",
    ";   \"Name\"=\"text\"         text; write \\\\ for \\ and \\\" for \"",
    ";   \"Name\"=hex:01,02,ff   binary bytes; hex(N): for a value of type N",
};

enum ESyntax
{
    SYNTAX_REGEDIT,  // hexadecimal words and type numbers
    SYNTAX_DECIMAL,  // decimal words (or 0x hexadecimal), decimal type numbers
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

bool IsHeader(std::string_view line)
{
    line = Trim(line);
    return line == HEADER || line == OLD_HEADER;
}

// The path of a key in the user's hive without the name of the hive.
std::string_view WithoutUserRoot(std::string_view path)
{
    for (std::string_view root : {USER_ROOT, USER_ROOT_SHORT}) {
        if (StartsWithNoCase(path, root))
            return path.substr(root.size());
    }
    return path;
}

// A key line of earlier versions, which leave the hive out: not regedit's
// deletion of a key ("[-path]"), nor a key of another hive.
bool IsWithoutRoot(std::string_view path)
{
    return !path.empty() && path.front() != '-' && !StartsWithNoCase(path, "HKEY_") && WithoutUserRoot(path) == path;
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

// The whole text as a number of that base; no sign, no prefix.
template <class T>
bool ParseDigits(std::string_view text, int base, T* number)
{
    auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), *number, base);
    return !text.empty() && error == std::errc() && last == text.data() + text.size();
}

// regedit's word: one to eight hexadecimal digits.
bool ParseHexWord(std::string_view text, uint32_t* word)
{
    return text.size() <= 8 && ParseDigits(text, 16, word);
}

// The decimal syntax's word: decimal from -2^31 to 2^32 - 1, or 0x and up to 8 hexadecimal digits.
bool ParseDecimalWord(std::string_view text, uint32_t* word)
{
    if (StartsWithNoCase(text, "0x"))
        return ParseHexWord(text.substr(2), word);
    int64_t number = 0;
    if (!ParseDigits(text, 10, &number) || number < INT32_MIN || number > UINT32_MAX)
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
        if (item.size() > 2 || !ParseDigits(item, 16, &byte))
            return false;
        bytes->push_back(static_cast<uint8_t>(byte));
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

bool ParseValue(std::string_view text, ESyntax syntax, SStoreValue* value)
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
        const std::string_view digits = Trim(text.substr(6));
        uint32_t word = 0;
        if (syntax == SYNTAX_REGEDIT ? !ParseHexWord(digits, &word) : !ParseDecimalWord(digits, &word))
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
        if (!ParseDigits(digits, syntax == SYNTAX_REGEDIT ? 16 : 10, &value->type))
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

// A word as regedit writes it: eight hexadecimal digits.
std::string FormatWord(uint32_t word)
{
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(word));
    return std::string("dword:") + digits;
}

// A value that is not text, in regedit's syntax.
std::string FormatData(const SStoreValue& value, bool isWord)
{
    if (isWord)
        return FormatWord(static_cast<uint32_t>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                                static_cast<uint32_t>(value.data[3]) << 24));
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
    std::string text = value.type == STORE_BINARY ? "hex:" : type;
    for (size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", value.data[i]);
        text += byte;
    }
    return text;
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
    if (!m_lines.empty() && Trim(m_lines.front()) == DECIMAL_FILE_COMMENT[0])
        ConvertDecimalSyntax();
}

void CStoreDocument::ConvertDecimalSyntax()
{
    size_t commentLines = 0;
    while (commentLines < std::size(DECIMAL_FILE_COMMENT) && commentLines < m_lines.size() &&
           Trim(m_lines[commentLines]) == DECIMAL_FILE_COMMENT[commentLines])
        ++commentLines;
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(commentLines));
    for (std::string& line : m_lines) {
        std::string name;
        std::string_view text, path;
        SStoreValue value;
        // Text reads the same in both syntaxes; a line that cannot be read stays as it is.
        if (ParseValueLine(line, &name, &text) && !text.empty() && text.front() != '"' &&
            ParseValue(text, SYNTAX_DECIMAL, &value))
            line = Quote(name) + "=" + FormatData(value, StartsWithNoCase(text, "dword:"));
        else if (ParseKeyLine(line, &path) && IsWithoutRoot(path))
            line = "[" + std::string(USER_ROOT) + std::string(path) + "]";
    }
    m_lines.insert(m_lines.begin(), std::begin(FILE_COMMENT), std::end(FILE_COMMENT));
    m_lines.insert(m_lines.begin(), {HEADER, ""});
}

void CStoreDocument::AddHeader()
{
    if (m_lines.empty()) {
        m_lines.assign(std::begin(FILE_COMMENT), std::end(FILE_COMMENT));
        m_lines.insert(m_lines.begin(), {HEADER, ""});
    } else if (!IsHeader(m_lines.front())) {
        m_lines.insert(m_lines.begin(), {HEADER, ""});
    }
}

bool CStoreDocument::HasKey(std::string_view path) const
{
    return !FindKeyLines(path).empty();
}

void CStoreDocument::AddKey(std::string_view path)
{
    AddHeader();
    if (HasKey(path))
        return;
    if (!IsBlank(m_lines.back()))
        m_lines.emplace_back();
    m_lines.push_back("[" + std::string(USER_ROOT) + std::string(path) + "]");
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
                ParseValue(text, SYNTAX_REGEDIT, &parsed)) {
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
    const std::string line = Quote(name) + "=" + FormatWord(value);

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
        if (ParseKeyLine(m_lines[i], &linePath) && EqualsNoCase(WithoutUserRoot(linePath), path))
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

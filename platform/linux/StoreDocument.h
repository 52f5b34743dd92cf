#pragma once
// The text of the per-user store file, as lines. It reads the values it
// understands and leaves every other line (comments, damaged or unknown lines,
// keys of other programs) exactly as it found it, so that writing one value
// never loses another. Not for the file itself: reading and replacing the file
// is the store's business (Store.cpp, StoreText.h).
//
// The format is that of regedit's .reg files, one item per line (a line may
// end in CR LF):
//     Windows Registry Editor Version 5.00      the first line (or REGEDIT4)
//     ; comment (also #)
//     [HKEY_CURRENT_USER\Software\Quillworth Software\Coralux Screensaver]
//                               a key of the user's hive, whose values follow; the
//                               root may be left out, as files of earlier versions do
//     "Name"=dword:00000280     32-bit word, up to 8 hexadecimal digits
//     "Name"="text"             string; \\ stands for \ and \" for "
//     "Name"=hex:01,02,ff       binary bytes in hexadecimal
//     "Name"=hex(b):01,02       bytes of a value of type N (hexadecimal)
// Key paths and value names compare without regard to case; when a name
// appears twice in a key, the later line counts.
//
// Earlier versions wrote words in decimal ("Name"=dword:640, -1, or 0x1F4),
// under a comment of their own at the top: such a file is read in that
// syntax and turned into regedit's, every value intact.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SStoreValue
{
    uint32_t type;
    std::vector<uint8_t> data;
};

class CStoreDocument
{
public:
    // Splits the text into lines; nothing is rejected.
    explicit CStoreDocument(std::string_view text = {});

    bool HasKey(std::string_view path) const;
    // Appends an empty key when it is missing.
    void AddKey(std::string_view path);
    // The value's last readable line in the key; false when there is none.
    bool FindValue(std::string_view path, std::string_view name, SStoreValue* value) const;
    // Replaces every line of that name in the key (readable or not) by one
    // line holding the value, adding the key when it is missing. False, with
    // nothing changed, for a name that cannot stand on one line.
    bool SetDword(std::string_view path, std::string_view name, uint32_t value);
    // The whole text, every line ended by LF. Once a value or key was set,
    // it begins with regedit's first line.
    std::string Format() const;

private:
    // Rewrites a file of the decimal syntax in regedit's.
    void ConvertDecimalSyntax();
    // Puts regedit's first line in front of a file without one.
    void AddHeader();
    // Indexes of the lines that open a key of this path.
    std::vector<size_t> FindKeyLines(std::string_view path) const;
    // Index one past the last line of the key that opens at line start.
    size_t FindKeyEnd(size_t start) const;

    std::vector<std::string> m_lines;
};

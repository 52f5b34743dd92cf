#pragma once
// The program's text is UTF-8; the host's wide calls take UTF-16. Every path
// crosses here, so a folder named in any language reaches the host whole,
// whatever the ANSI code page. Internal to the back end.
#include <string>

// Invalid UTF-8 bytes become U+FFFD.
std::wstring ToUtf16(const std::string& text);
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(const wchar_t* text, size_t length);

#include "platform/linux/StoreText.h"

#include <cstdint>

namespace {

const std::string_view UTF8_MARK = "\xEF\xBB\xBF";
const std::string_view UTF16LE_MARK = "\xFF\xFE";
const std::string_view UTF16BE_MARK = "\xFE\xFF";
const char32_t REPLACEMENT = 0xFFFD;

void AppendUtf8(char32_t c, std::string* text)
{
    if (c < 0x80) {
        text->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text->push_back(static_cast<char>(0xC0 | c >> 6));
        text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text->push_back(static_cast<char>(0xE0 | c >> 12));
        text->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text->push_back(static_cast<char>(0xF0 | c >> 18));
        text->push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit < 0xE000;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    const size_t count = bytes.size() / 2;
    auto unitAt = [&](size_t i) -> char32_t {
        const uint8_t first = static_cast<uint8_t>(bytes[2 * i]), second = static_cast<uint8_t>(bytes[2 * i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < count; ++i) {
        const char32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00), &text);
            ++i;
        } else {
            AppendUtf8(IsHighSurrogate(unit) || IsLowSurrogate(unit) ? REPLACEMENT : unit, &text);
        }
    }
    return text;
}

}  // namespace

std::string DecodeStoreText(std::string_view bytes)
{
    if (bytes.substr(0, UTF8_MARK.size()) == UTF8_MARK)
        return std::string(bytes.substr(UTF8_MARK.size()));
    if (bytes.substr(0, UTF16LE_MARK.size()) == UTF16LE_MARK)
        return DecodeUtf16(bytes.substr(UTF16LE_MARK.size()), false);
    if (bytes.substr(0, UTF16BE_MARK.size()) == UTF16BE_MARK)
        return DecodeUtf16(bytes.substr(UTF16BE_MARK.size()), true);
    return std::string(bytes);
}

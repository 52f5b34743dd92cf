#include "app/CommandLine.h"

#include <cctype>
#include <cstdint>

namespace {

const char SWITCH_MARKS[] = "-/ ";
const uint64_t LARGEST_HANDLE = UINT32_MAX;  // X window ids are 32-bit

char LowerCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool IsSwitch(const char* argument, char letter)
{
    if (!argument)
        return false;
    for (const char* mark = SWITCH_MARKS; *mark; ++mark) {
        if (*argument == *mark) {
            ++argument;
            break;
        }
    }
    return *argument != '\0' && LowerCase(*argument) == LowerCase(letter);
}

ERunMode GetRunMode(int argc, const char* const* argv)
{
    if (argc < 2)
        return RUN_CONFIG;
    const char* mode = argv[1];
    if (IsSwitch(mode, 'c'))
        return RUN_CONFIG;
    if (IsSwitch(mode, 'a'))
        return RUN_PASSWORD;
    if (IsSwitch(mode, 'p'))
        return RUN_PREVIEW;
    if (IsSwitch(mode, 's'))
        return RUN_SAVER;
    return RUN_NONE;
}

HWindow GetWindowArgument(int argc, const char* const* argv)
{
    if (argc < 3 || !argv[2])
        return 0;
    const char* text = argv[2];
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    // Digits beyond any window id cannot name a window; stop counting there.
    uint64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) && value <= LARGEST_HANDLE; ++text)
        value = value * 10 + static_cast<uint64_t>(*text - '0');
    if (negative || value > LARGEST_HANDLE)
        return 0;
    return static_cast<HWindow>(value);
}

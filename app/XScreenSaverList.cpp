#include "app/XScreenSaverList.h"

#include <cstring>
#include <vector>

#include "app/HostOptions.h"

const char XSCREENSAVER_COMMAND[] = "coralux --root --defaults";

namespace {

const char PROGRAMS_RESOURCE[] = "programs:";
const char PROGRAM_NAME[] = "coralux";
const char ENTRY_END[] = "\\n";  // a literal backslash and n, as the file holds it
const char BLANKS[] = " \t";

struct SLines
{
    std::vector<std::string> lines;
    bool endsWithNewline = true;
};

SLines Split(const std::string& text)
{
    SLines split;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            split.lines.push_back(text.substr(start));
            split.endsWithNewline = false;
            break;
        }
        split.lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return split;
}

std::string Join(const SLines& split)
{
    std::string text;
    for (size_t i = 0; i < split.lines.size(); ++i) {
        text += split.lines[i];
        if (i + 1 < split.lines.size() || split.endsWithNewline)
            text += '\n';
    }
    return text;
}

bool EndsWith(const std::string& text, const char* end)
{
    const size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

bool IsContinued(const std::string& line)
{
    return !line.empty() && line.back() == '\\';
}

// Where the value of programs: begins in the line that names it; npos when
// the line names another resource.
size_t FindProgramsValue(const std::string& line)
{
    const size_t start = line.find_first_not_of(BLANKS);
    if (start == std::string::npos || line.compare(start, std::strlen(PROGRAMS_RESOURCE), PROGRAMS_RESOURCE) != 0)
        return std::string::npos;
    return start + std::strlen(PROGRAMS_RESOURCE);
}

size_t SkipBlanks(const std::string& text, size_t at, size_t end)
{
    while (at < end && std::strchr(BLANKS, text[at]))
        ++at;
    return at;
}

size_t SkipWord(const std::string& text, size_t at, size_t end)
{
    while (at < end && !std::strchr(BLANKS, text[at]))
        ++at;
    return at;
}

// One entry, text[begin, end): "[-] [VISUAL:] command arguments". True when
// its program is Coralux's; then *markerAt is where the marker belongs (after
// the window option, as in Coralux's command) and *marked whether it is
// among the arguments already.
bool ReadEntry(const std::string& text, size_t begin, size_t end, size_t* markerAt, bool* marked)
{
    size_t at = SkipBlanks(text, begin, end);
    if (at < end && text[at] == '-')
        at = SkipBlanks(text, at + 1, end);
    const size_t wordEnd = SkipWord(text, at, end);
    if (wordEnd > at && text[wordEnd - 1] == ':')
        at = SkipBlanks(text, wordEnd, end);
    const size_t nameEnd = SkipWord(text, at, end);
    const std::string program = text.substr(at, nameEnd - at);
    const size_t slash = program.rfind('/');
    if (program.substr(slash == std::string::npos ? 0 : slash + 1) != PROGRAM_NAME)
        return false;
    const size_t first = SkipBlanks(text, nameEnd, end);
    const size_t firstEnd = SkipWord(text, first, end);
    const std::string window = text.substr(first, firstEnd - first);
    *markerAt = window == "--root" || window == "-root" ? firstEnd : nameEnd;
    *marked = false;
    for (size_t word = first; word < end; word = SkipBlanks(text, SkipWord(text, word, end), end))
        *marked = *marked || text.substr(word, SkipWord(text, word, end) - word) == DEFAULTS_OPTION;
    return true;
}

// Gives every Coralux entry in the line the marker it lacks, from the value's
// start on. *found tells whether the line holds a Coralux entry at all.
bool MarkEntries(std::string& line, size_t valueStart, bool* found)
{
    const std::string marker = std::string(" ") + DEFAULTS_OPTION;
    bool changed = false;
    size_t valueEnd = IsContinued(line) ? line.size() - 1 : line.size();
    for (size_t begin = valueStart; begin < valueEnd;) {
        const size_t next = line.find(ENTRY_END, begin);
        size_t end = next == std::string::npos || next > valueEnd ? valueEnd : next;
        size_t markerAt = 0;
        bool marked = false;
        if (ReadEntry(line, begin, end, &markerAt, &marked)) {
            *found = true;
            if (!marked) {
                line.insert(markerAt, marker);
                end += marker.size();
                valueEnd += marker.size();
                changed = true;
            }
        }
        begin = end + std::strlen(ENTRY_END);
    }
    return changed;
}

bool IsBlank(const std::string& text, size_t from)
{
    return text.find_first_not_of(BLANKS, from) == std::string::npos;
}

// The new entry goes after the value's last entry. xscreensaver ends the
// value it writes with a blank line: the entry then goes before that line,
// and every line stays as it was. Otherwise the last line is continued.
void AppendEntry(SLines& split, size_t first, size_t last, size_t valueStart)
{
    const std::string entry = std::string("  GL: ") + XSCREENSAVER_COMMAND + " " + ENTRY_END;
    const auto at = [&split](size_t line) { return split.lines.begin() + static_cast<std::ptrdiff_t>(line); };
    if (last > first && IsBlank(split.lines[last], 0)) {
        split.lines.insert(at(last), entry + "\\");
        return;
    }
    std::string& line = split.lines[last];
    if (IsContinued(line))
        line.pop_back();
    line.erase(line.find_last_not_of(BLANKS) + 1);
    const bool empty = last == first && IsBlank(line, valueStart);
    if (!empty && !EndsWith(line, ENTRY_END))
        line += ENTRY_END;
    line += empty ? "\t\\" : "\\";
    split.lines.insert(at(last + 1), entry);
}

}  // namespace

EListChange AddCoraluxEntry(std::string* text)
{
    SLines split = Split(*text);
    for (size_t first = 0; first < split.lines.size(); ++first) {
        const size_t valueStart = FindProgramsValue(split.lines[first]);
        if (valueStart == std::string::npos)
            continue;
        size_t last = first;
        while (IsContinued(split.lines[last]) && last + 1 < split.lines.size())
            ++last;
        bool found = false, changed = false;
        for (size_t i = first; i <= last; ++i)
            changed = MarkEntries(split.lines[i], i == first ? valueStart : 0, &found) || changed;
        if (!found)
            AppendEntry(split, first, last, valueStart);
        *text = Join(split);
        return !found ? LIST_ADDED : changed ? LIST_MARKED : LIST_UNCHANGED;
    }
    if (!text->empty() && text->back() != '\n')
        *text += '\n';
    *text += std::string(PROGRAMS_RESOURCE) + "\t\\\n  GL: " + XSCREENSAVER_COMMAND + " " + ENTRY_END + "\n";
    return LIST_ADDED;
}

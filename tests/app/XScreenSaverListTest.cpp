#include "app/XScreenSaverList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string ENTRY = "  GL: coralux --root --defaults \\n";

// The end of a file as xscreensaver's settings write it: each entry's line
// continued, the list ended by a blank line, and the settings after it.
const std::string HEAD = "# XScreenSaver Preferences File\n"
                         "mode:\t\tone\n"
                         "selected:\t2\n"
                         "programs:\t\t\t\t\t\t\t\t      \\\n"
                         "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                         "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
                         "\t\t\t\tattraction --root\t\t\t    \\n\\\n";
const std::string TAIL = "\n\npointerHysteresis:  10\n";

std::string Added(std::string text, EListChange expected = LIST_ADDED)
{
    EXPECT_EQ(AddCoraluxEntry(&text), expected);
    return text;
}

}  // namespace

// A new user has no file: it holds the list alone, which xscreensaver merges
// with its own, so that every other setting stays xscreensaver's default.
TEST(XScreenSaverList, MissingFileGetsTheEntryAlone)
{
    EXPECT_EQ(Added(""), "programs:\t\\\n" + ENTRY + "\n");
    EXPECT_EQ(Added("mode: random"), "mode: random\nprograms:\t\\\n" + ENTRY + "\n");
}

// Appended after the last entry, before the blank line that ends the list:
// every other line, selected: with them, stays as it was.
TEST(XScreenSaverList, AppendsAfterTheLastEntryKeepingEveryLine)
{
    EXPECT_EQ(Added(HEAD + TAIL), HEAD + ENTRY + "\\\n" + TAIL);
}

// A list whose last line ends the value is continued onto the new line; a
// last entry without its \n gets one first, or the two would run together.
TEST(XScreenSaverList, ContinuesTheLastLineOfAListEndedThere)
{
    EXPECT_EQ(Added("programs: maze --root \\n\n"), "programs: maze --root \\n\\\n" + ENTRY + "\n");
    EXPECT_EQ(Added("programs:\tmaze --root\nlock: False"), "programs:\tmaze --root\\n\\\n" + ENTRY + "\nlock: False");
    EXPECT_EQ(Added("programs:\n"), "programs:\t\\\n" + ENTRY + "\n");
}

// A Coralux line without the marker (written by hand, or by an earlier
// version) gets it in place, after its window option; one with it is left alone.
TEST(XScreenSaverList, MarksAnOldLineInPlaceAndLeavesARightOne)
{
    const std::string old = "programs: \\\n- GL: coralux --root --yellow-fish=2 \\n\\\n"
                            "  /usr/libexec/xscreensaver/coralux -root\\n\\\n  coralux\\n\n";
    const std::string marked = Added(old, LIST_MARKED);
    EXPECT_EQ(marked, "programs: \\\n- GL: coralux --root --defaults --yellow-fish=2 \\n\\\n"
                      "  /usr/libexec/xscreensaver/coralux -root --defaults\\n\\\n  coralux --defaults\\n\n");
    EXPECT_EQ(Added(marked, LIST_UNCHANGED), marked);
}

// Only an entry whose program is Coralux counts: not a name that merely
// starts or contains it, not an argument, not another resource.
TEST(XScreenSaverList, LookalikesAreNotCoralux)
{
    const std::string text =
        "# coralux --root\nimageDirectory: /home/u/coralux\n"
        "programs:\t\\\n  coraluxx --root \\n\\\n  maze --coralux \\n\\\n  GL: x/coralux-old -root \\n\\\n";
    EXPECT_EQ(Added(text + "\n"), text + ENTRY + "\\\n\n");
}

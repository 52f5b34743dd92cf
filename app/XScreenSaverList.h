#pragma once
// Coralux's entry in the user's list of xscreensaver's display modes: the
// programs: resource of ~/.xscreensaver, a multi-line value of one command
// per entry (each ended by a literal \n, lines joined by a trailing
// backslash). xscreensaver puts the entries of its own list that the user's
// lacks after the user's, so a file holding only Coralux's line still lists
// every other mode. Text only: reading and replacing the file is the caller's.
#include <string>

// The command of Coralux's entry, as the settings pane's description gives
// it: the window option and the defaults marker.
extern const char XSCREENSAVER_COMMAND[];

enum EListChange
{
    LIST_ADDED,      // the entry appended at the end of the list (made, with the file, when missing)
    LIST_MARKED,     // an entry that lacked the defaults marker was given it
    LIST_UNCHANGED,  // the entry is there with its marker
};

// Puts Coralux's entry into the file's text ("" for a missing file). Every
// other line stays as it was; an entry is appended after the last one, so
// that the index the selected: resource holds still names the same mode.
EListChange AddCoraluxEntry(std::string* text);

#!/usr/bin/python3
"""Lists the themes of MATE's screen saver as its preferences window reads
them: the entries of its menu file (mate-screensavers.menu) through MATE's
own menu library, those whose TryExec is missing left out. Prints one line
per theme: its id, name and command, separated by tabs.
"""
import gi

gi.require_version("MateMenu", "2.0")
from gi.repository import MateMenu  # noqa: E402


def entries(directory):
    items = directory.iter()
    while True:
        kind = items.next()
        if kind == MateMenu.TreeItemType.INVALID:
            return
        if kind == MateMenu.TreeItemType.ENTRY:
            yield items.get_entry()
        elif kind == MateMenu.TreeItemType.DIRECTORY:
            yield from entries(items.get_directory())


tree = MateMenu.Tree.new("mate-screensavers.menu", MateMenu.TreeFlags.NONE)
tree.load_sync()
for entry in entries(tree.get_root_directory()):
    info = entry.get_app_info()
    print("%s\t%s\t%s" % (entry.get_desktop_file_id(), info.get_name(), info.get_commandline()))

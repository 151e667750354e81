# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader learns from the running game through AT-SPI: the
# game's windows and the board's tree with the rows' and the clock's text,
# then the events of a quiet spell (the clock ticks) and of one typed letter.
import subprocess, sys
import pyatspi
from gi.repository import GLib


def text_of(acc):
    try:
        return " text '%s'" % acc.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def walk(acc, depth, out):
    desc = " (%s)" % acc.description if acc.description else ""
    out.append("%s%s '%s'%s%s" % ("  " * depth, acc.getRoleName(), acc.name, desc, text_of(acc)))
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out)


def game():
    desk = pyatspi.Registry.getDesktop(0)
    for i in range(desk.childCount):
        app = desk.getChildAtIndex(i)
        if app is not None and app.name == "Morvalin":
            return app
    sys.exit("the game is not on the accessibility bus")


events = []


def heard(event):
    child = " %s" % event.any_data.name if event.type.startswith("object:children-changed") else ""
    events.append("%s %s '%s'%s" % (event.type, event.source.getRoleName(), event.source.name, child))


def listen(seconds, keys=None):
    del events[:]
    if keys:
        GLib.timeout_add(200, lambda: subprocess.call(["xdotool", "key"] + keys) and False)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    return sorted(set(events))


out = []
walk(game(), 0, out)
print("\n".join(out))
pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name",
                                       "object:property-change:accessible-description", "object:state-changed:focused",
                                       "object:children-changed")
print("quiet: " + "; ".join(listen(2.5)))
print("typed: " + "; ".join(listen(1.5, ["m"])))

#!/usr/bin/python3
# Reads the running game through the desktop's accessibility bus (AT-SPI), as a screen reader
# does: lists the menu's controls with their names and roles, checks that every control a
# player can click is there under its own name, presses "Play" through its accessible action
# and waits for the game window with its buttons, counters and tiles; then presses "Hint" until
# play has opened and it has slid a tile.
#   atspi_menu.py [seconds to wait]
import re
import sys
import time

import pyatspi

LIMIT = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0
CONTROLS = ("push button", "link")


def walk(accessible):
    yield accessible
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def wait_for(what, find):
    deadline = time.time() + LIMIT
    while time.time() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            print("ok: " + what, flush=True)
            return found
        time.sleep(0.2)
    sys.exit("gave up waiting for: " + what)


def game_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "zantho-puzzle":
            return app
    return None


def frame_with(app, name):
    """The window of the application that holds an element of that name."""
    for i in range(app.childCount):
        frame = app.getChildAtIndex(i)
        if frame is not None and any(a.name == name for a in walk(frame)):
            return frame
    return None


def controls_of(frame):
    return [(a.name, a.getRoleName(), a.description) for a in walk(frame)
            if a.getRoleName() in CONTROLS]


def show(title, rows):
    print(title)
    for name, role, description in rows:
        print("  %-14s %-42s %s" % (role, '"%s"' % name, description))


app = wait_for("the game on the accessibility bus", game_application)
menu = wait_for("the menu window, with its Play button", lambda: frame_with(app, "Play"))
controls = controls_of(menu)
show("the menu's controls:", controls)

expected = {
    ("Previous picture", "push button"),
    ("Next picture", "push button"),
    ("Play", "push button"),
    ("Help", "push button"),
    ("Exit", "push button"),
    ("Add pictures", "push button"),
    ("https://fans-one.example.org/", "link"),
    ("https://fans-two.example.net/", "link"),
}
found = {(name, role) for name, role, _ in controls}
missing = expected - found
if missing:
    sys.exit("missing from the menu: %s" % sorted(missing))
unnamed = [role for name, role, _ in controls if not name]
if unnamed:
    sys.exit("controls without a name: %s" % unnamed)
print("ok: every control of the menu has its name and role")

play = next(a for a in walk(menu) if a.name == "Play" and a.getRoleName() == "push button")
action = play.queryAction()
names = [action.getName(i) for i in range(action.nActions)]
print("actions of Play: %s" % names)
press = next(i for i, n in enumerate(names) if n.lower() in ("press", "click"))
action.doAction(press)
print("ok: Play pressed through its accessible action", flush=True)

game = wait_for("the game window, with its Restart button", lambda: frame_with(app, "Restart"))
rows = [(a.name, a.getRoleName(), a.description) for a in walk(game)
        if a.getRoleName() in CONTROLS or a.name.startswith(("Clicks:", "Time:"))]
show("the game window's controls and counters:", rows)
names = {name for name, _, _ in rows}
for name in ("Restart", "Stop", "Back", "Hint", "Clicks: 0", "Time: 0", "Fan site banner"):
    if name not in names:
        sys.exit("missing from the game window: %s" % name)
# Every tile, by the piece it carries and where it stands (the shuffle may have begun).
tiles = [n for n in names if re.fullmatch(r"Piece \d+ of 12( \(the blank tile\))?, "
                                          r"row [1-3], column [1-4]", n)]
pieces = sorted(int(n.split()[1]) for n in tiles)
if pieces != list(range(1, 13)) or not any("blank" in n for n in tiles):
    sys.exit("the tiles read as: %s" % sorted(tiles))
hints = {name: description for name, _, description in rows}
if (hints["Restart"], hints["Hint"]) != ("Press here to restart the game...",
                                        "Press here for a hint..."):
    sys.exit("Restart and Hint are described as %r, %r" % (hints["Restart"], hints["Hint"]))
print("ok: the game window reads its buttons with their hints, the counters and the tiles")

hint = next(a for a in walk(game) if a.name == "Hint" and a.getRoleName() == "push button")


def hinted():
    """Presses Hint (nothing while the board is shuffled); true once a click is counted."""
    if any(re.fullmatch(r"Clicks: [1-9]\d*", a.name) for a in walk(game)):
        return True
    action = hint.queryAction()
    action.doAction(next(i for i in range(action.nActions)
                         if action.getName(i).lower() in ("press", "click")))
    return False


wait_for("Hint pressed through its accessible action slides a tile once play opens", hinted)

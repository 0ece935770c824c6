"""What a screen reader finds in Kestro's windows: names without access-key ampersands, every
control named, the month grid's selected day named with its date and platoon, and that name
following the keys."""
import datetime
import os
import subprocess
import sys
import time

import pyatspi

KESTRO, WORK = sys.argv[1], sys.argv[2]
# Controls a user reaches and a screen reader must name.
CONTROLS = {"push button", "text", "combo box", "check box", "radio button", "spin button",
            "list", "list item", "menu item", "page tab", "slider"}
START = datetime.date(2020, 1, 1)
failures = []


def check(ok, what):
    print(("ok      " if ok else "FAILED  ") + what, flush=True)
    if not ok:
        failures.append(what)


def wait_for(find, what, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    check(False, what)
    sys.exit(1)


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Kestro":
            return app
    return None


def named(root, role, name):
    for node in nodes(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def selected_day(grid):
    for i in range(grid.childCount):
        cell = grid.getChildAtIndex(i)
        if cell.getState().contains(pyatspi.STATE_SELECTED):
            return cell.name
    return None


def day_name(day):
    letter = "ABC"[(day - START).days % 3]
    return f"{day:%A}, {day.day} {day:%B %Y}, platoon {letter}"


def check_tree(root, window):
    for node in nodes(root):
        role = node.getRoleName()
        if "&" in node.name:
            check(False, f"{window}: {role} {node.name!r} has an ampersand in its name")
        if role in CONTROLS and not node.name.strip() and node.getState().contains(
                pyatspi.STATE_SHOWING):
            check(False, f"{window}: a {role} has no name")
    check(True, f"{window}: names checked")


def top_levels(app):
    windows = [app.getChildAtIndex(i) for i in range(app.childCount)]
    return [w for w in windows if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]


def labels(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return node.name


def click(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                    "click", "1"], check=True)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


settings = os.path.join(WORK, "Dunmarek.ini")
with open(settings, "w") as f:
    f.write("[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=3\nShiftRotation=ABC\n"
            "StartDate=1/1/2020\n")
env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
           QT_QPA_PLATFORM="xcb")

def start():
    # Under load the virtual screen can refuse a new client for a moment, and Qt then gives up.
    for _ in range(5):
        started = subprocess.Popen([KESTRO, settings], env=env)
        try:
            started.wait(3)
        except subprocess.TimeoutExpired:
            return started
        time.sleep(1)
    check(False, "Kestro starts on the virtual screen")
    sys.exit(1)


program = start()
try:
    app = wait_for(application, "Kestro appears on the accessibility bus")
    grid = wait_for(lambda: named(app, "list", "Month days"), "the month grid is a list")
    today = datetime.date.today()
    name = wait_for(lambda: selected_day(grid), "the grid has a selected day")
    check(name == day_name(today), f"the selected day is {name!r}, expected {day_name(today)!r}")
    check(grid.childCount == 42, f"the grid shows 42 days ({grid.childCount})")

    window = wait_for(lambda: next((n for n in nodes(app) if n.getRoleName() == "frame"), None),
                      "the main window")
    wid = subprocess.run(["xdotool", "search", "--sync", "--name", "^Kestro"],
                         capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
    key("Right")
    tomorrow = today + datetime.timedelta(days=1)
    moved = wait_for(lambda: (selected_day(grid) if selected_day(grid) != name else None),
                     "the selected day follows the Right key", 10)
    check(moved == day_name(tomorrow), f"after Right: {moved!r}, expected {day_name(tomorrow)!r}")

    # The color area, then Set Color for platoon A.
    click(wait_for(lambda: named(app, "push button", "Set Colors"), "the Set Colors button"))
    panel = wait_for(lambda: named(app, "panel", "A color") or named(app, "frame", "A color"),
                     "the A color panel")
    check(panel.description == "Red", f"the A color panel's value is {panel.description!r}")
    check_tree(app, "main window")
    click(named(app, "push button", "A Platoon"))
    dialog = wait_for(lambda: next((n for n in nodes(app) if n.name == "Set Color"), None),
                      "the Set Color dialog")
    # On Linux Qt names a combo box by its current value and its label by the labelled-by
    # relation, which Orca speaks before the value.
    lists = {labels(n): n.name for n in nodes(dialog) if n.getRoleName() == "combo box"}
    check(lists == {"A Platoon Color:": "Red", "A Platoon Inverse": "White"},
          f"Set Color's lists by their labels: {lists}")
    check_tree(dialog, "Set Color")
    key("Escape")

    # The other windows the keys open.
    for keys, title in ((["alt+f", "c"], "Export Calendar"), (["alt+f", "d"], "Export PDF"),
                        (["alt+p", "c"], "Common Rotations"), (["alt+p", "p"], "Preview Change")):
        time.sleep(0.5)
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
        for k in keys:
            key(k)
            time.sleep(0.3)
        window = wait_for(lambda: next((w for w in top_levels(app) if title in w.name), None),
                          f"the {title} window opens", 15)
        check_tree(window, title)
        key("Escape")
finally:
    program.kill()
    program.wait()
print("FAILED: " + "; ".join(failures) if failures else "all checks passed")
sys.exit(1 if failures else 0)

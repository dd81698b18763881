#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt program as a screen reader sees it: started in a fresh data folder in German and in
# English on a private Xvfb display with its own AT-SPI bus, every control of the window is
# found in the AT-SPI tree by its place and checked for its role, name, description and, for
# the input fields, the label it is labelled by; a drop-down list keeps its selected row as
# its text. Run inside dbus-run-session (CTest does),
# with /usr/bin/python3 and python3-pyatspi; every process it starts, it stops.
# Usage: atspi_names.py PROGRAM WORK-FOLDER. Exit status 0 when every check passed.
import datetime
import os
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
X_CLOSE = os.path.join(HERE, "..", "windows", "x_close.py")
PLAN, EDIT = (11, 11), (251, 11)  # the panels' inner areas in the window

# name, role, panel (its inner area's place) or None, x, y, width, height, German name,
# English name, the label it is labelled by (None: no relation is asked for).
CONTROLS = [
    ("SaveButton", "push button", None, 10, 210, 640, 20, "Speichern", "Save", None),
    ("PlanPanel", "panel", None, 10, 10, 230, 190, "Trainingsplan", "Training plan", None),
    ("EntryList", "table", PLAN, 9, 39, 210, 140, "Einträge des Tages", "Entries of the day",
     None),
    ("WeekCombo", "combo box", PLAN, 9, 9, 100, 20, "Woche", "Week", None),
    ("DayCombo", "combo box", PLAN, 119, 9, 100, 20, "Tag", "Day", None),
    ("EditPanel", "panel", None, 250, 10, 400, 190, "Einträge bearbeiten", "Edit entries", None),
    ("AddEntryButton", "push button", EDIT, 9, 9, 150, 20, "Trainingseinheit hinzufügen",
     "Add training unit", None),
    ("CreateUnitButton", "push button", EDIT, 9, 39, 150, 20, "Neue Erstellen", "Create new",
     None),
    ("UnitCombo", "combo box", EDIT, 169, 9, 220, 20, "Trainingseinheit", "Training unit", None),
    ("CountLabel", "label", EDIT, 9, 69, 50, 20, "Anzahl:", "Count:", None),
    ("Count1Field", "text", EDIT, 79, 69, 20, 20, "Anzahl:", "Count:", ("Anzahl:", "Count:")),
    ("Count2Field", "text", EDIT, 129, 69, 30, 20, "Anzahl: x", "Count: x", ("x", "x")),
    ("NameField", "text", EDIT, 269, 39, 120, 20, "Name:", "Name:", ("Name:", "Name:")),
    ("DescriptionField", "text", EDIT, 269, 69, 120, 20, "Beschreibung:", "Description:",
     ("Beschreibung:", "Description:")),
    ("DeleteEntryButton", "push button", EDIT, 9, 99, 150, 20, "Löschen", "Delete", None),
    ("SmallPicture", "image", EDIT, 19, 129, 130, 50, "Kleines Bild", "Small picture", None),
    ("BigPicture", "image", EDIT, 169, 99, 220, 80, "Großes Bild", "Big picture", None),
    ("TimesLabel", "label", EDIT, 104, 69, 20, 20, "x", "x", None),
    ("DescriptionLabel", "label", EDIT, 169, 69, 90, 20, "Beschreibung:", "Description:", None),
    ("NameLabel", "label", EDIT, 169, 39, 90, 20, "Name:", "Name:", None),
]
# The pictures are described by their tooltips; nothing else has a description.
DESCRIPTIONS = {
    "SmallPicture": ("Du kannst das Bild SmallImage.png im Ordner 'media' ändern!",
                     "You can change the picture SmallImage.png in the 'media' folder!"),
    "BigPicture": ("Du kannst das Bild BigImage.png im Ordner 'media' ändern!",
                   "You can change the picture BigImage.png in the 'media' folder!"),
}
LANGUAGES = [("Deutsch", "de_DE.UTF-8", 0), ("English", "en_US.UTF-8", 1)]
DAYS = (["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"],
        ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"])


def shown_rows(column):
    """What each drop-down list of a new data folder shows: a test on its text."""
    now = datetime.datetime.now()
    today = {DAYS[column][day.weekday()] for day in (now, now - datetime.timedelta(minutes=1))}
    week = ("Woche - ", "Week - ")[column]
    last_unit = ("Burpees: 3-10 | Mit Strecksprung", "Burpees: 3-10 | With a jump at the top")
    return {
        "WeekCombo": (lambda text: text.startswith(week) and text[len(week):].isdigit(),
                      week + "N"),
        "DayCombo": (lambda text: text in today, " or ".join(sorted(today))),
        "UnitCombo": (lambda text: text == last_unit[column], last_unit[column]),
    }


class Failure(Exception):
    pass


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    raise Failure("timed out after %d s waiting for %s" % (seconds, what))


def stop(process, seconds=10):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def start_x_server(log):
    """Xvfb on the first free display from a number of this run's own; retried on a race."""
    number = 160 + os.getpid() % 40
    for _ in range(40):
        number += 1
        if os.path.exists("/tmp/.X11-unix/X%d" % number) or \
                os.path.exists("/tmp/.X%d-lock" % number):
            continue
        # -noreset: the server must not restart when its last client (xdpyinfo) leaves.
        server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp", "-noreset"], stdout=log, stderr=log)
        display = ":%d" % number
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and server.poll() is None:
            answer = subprocess.run(["xdpyinfo", "-display", display],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if answer.returncode == 0:
                return server, display
            time.sleep(0.1)
        stop(server)  # another server took the number first, or this one never answered
    raise Failure("no X server could be started")


def application_of(pyatspi, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        try:
            if application is not None and application.get_process_id() == pid:
                return application
        except Exception:
            continue  # an application that went away meanwhile
    return None


def collect(pyatspi, node, origin, found, depth=0):
    """Every accessible below node by its place relative to the window."""
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        extents = child.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        place = (extents.x - origin[0], extents.y - origin[1], extents.width, extents.height)
        found.setdefault(place, []).append(child)
        if depth < 1:
            collect(pyatspi, child, origin, found, depth + 1)


def window_tree(pyatspi, pid):
    """The program's window and its controls once all twenty are in the tree."""
    application = application_of(pyatspi, pid)
    if application is None or application.childCount < 1:
        return None
    window = application.getChildAtIndex(0)
    if window is None or not window.name.startswith("Velmora - "):
        return None
    extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    found = {}
    collect(pyatspi, window, (extents.x, extents.y), found)
    if sum(len(nodes) for nodes in found.values()) < len(CONTROLS):
        return None
    return window, found


def labelled_by(pyatspi, node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def check_language(pyatspi, program, work, language, variable, column, runtime):
    folder = os.path.join(work, language)
    shutil.rmtree(folder, ignore_errors=True)
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("LC_ALL", "LC_MESSAGES", "LANG", "QT_QPA_PLATFORM",
                                  "WAYLAND_DISPLAY")}
    environment.update(LANG=variable, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime,
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    log = open(os.path.join(work, "velmora-%s.log" % language), "wb")
    process = subprocess.Popen([program, "--dir", folder], env=environment, stdout=log,
                               stderr=subprocess.STDOUT)
    problems = []
    try:
        def tree():
            if process.poll() is not None:
                raise Failure("the program ended (status %s) before its window was in the "
                              "AT-SPI tree" % process.returncode)
            return window_tree(pyatspi, process.pid)
        window, found = wait_until(tree, 45, "the %s window in the AT-SPI tree" % language)
        print("%s window: %r" % (language, window.name))
        rows = shown_rows(column)
        for (name, role, panel, x, y, width, height, german, english, label) in CONTROLS:
            left, top = (x + panel[0], y + panel[1]) if panel else (x, y)
            nodes = found.get((left, top, width, height), [])
            if len(nodes) != 1:
                problems.append("%s: %d accessibles at %r" % (name, len(nodes),
                                                               (left, top, width, height)))
                continue
            node = nodes[0]
            expected = english if column else german
            description = DESCRIPTIONS.get(name, ("", ""))[column]
            labels = labelled_by(pyatspi, node)
            print("  %-17s %-12s name %r, description %r%s" % (
                name, node.getRoleName(), node.name, node.description,
                ", labelled by %r" % labels if labels else ""))
            if node.getRoleName() != role:
                problems.append("%s: role %r, expected %r" % (name, node.getRoleName(), role))
            if node.name != expected:
                problems.append("%s: name %r, expected %r" % (name, node.name, expected))
            if node.description != description:
                problems.append("%s: description %r, expected %r"
                                % (name, node.description, description))
            if label is not None and labels != [label[column]]:
                problems.append("%s: labelled by %r, expected %r" % (name, labels, label[column]))
            if name in rows:
                text = node.queryText().getText(0, -1)
                print("  %-17s shows %r" % ("", text))
                if not rows[name][0](text):
                    problems.append("%s: text %r, expected %s" % (name, text, rows[name][1]))
        close_window(process)
    finally:
        stop(process)
        log.close()
    return problems


def close_window(process):
    """The close request as a close box sends it; the program must end with status 0."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora - "],
                           capture_output=True, text=True, timeout=10).stdout.split()
    if len(found) != 1:
        raise Failure("expected one X window titled 'Velmora - ...', found %r" % found)
    subprocess.run(["/usr/bin/python3", X_CLOSE, found[0]], check=True, timeout=10)
    try:
        status = process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end within 15 s of the close request")
    if status != 0:
        raise Failure("exit status %d after the close request" % status)


def main():
    if len(sys.argv) != 3:
        print("usage: atspi_names.py PROGRAM WORK-FOLDER", file=sys.stderr)
        return 2
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        print("atspi_names.py: run it inside dbus-run-session", file=sys.stderr)
        return 2
    program, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700)
    log = open(os.path.join(work, "servers.log"), "wb")
    server = launcher = None
    failed = 0
    try:
        server, display = start_x_server(log)
        os.environ["DISPLAY"] = display
        launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=log, stderr=log)
        # Only now: pyatspi finds the accessibility bus through the session bus.
        import pyatspi
        wait_until(lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL).returncode == 0, 15, "the accessibility bus")
        for language, variable, column in LANGUAGES:
            started = time.monotonic()
            try:
                problems = check_language(pyatspi, program, work, language, variable, column,
                                          runtime)
            except (Failure, subprocess.SubprocessError, OSError) as problem:
                problems = [str(problem)]
            if problems:
                failed += 1
                print("FAIL %s: %s" % (language, "; ".join(problems)), flush=True)
            else:
                print("PASS %s: every control named (%.1f s)" % (language,
                                                                 time.monotonic() - started),
                      flush=True)
    except Failure as problem:
        print("FAIL %s" % problem, flush=True)
        failed += 1
    finally:
        stop(launcher)
        stop(server)
        log.close()
    return 1 if failed else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())

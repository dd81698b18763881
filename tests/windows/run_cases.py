#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end checks of one Windows exe under Wine on a running X server: the window and its
# title, the files written by a click on the save button or by Ctrl+S, entries pasted from and
# copied to the X clipboard, the missing-picture box, the close request, the daily backup, a
# second start on the same folder, the catch-up after a break read from the history file's
# time, an import through the context menu and the open-file dialog, the controls' accessible
# names as far as Wine's oleacc shows them and the window at 96 and 144 DPI and in dark
# colours; and of a release zip unpacked into a fresh folder and started there. Building, Wine
# and the X server are left to scripts/test-windows.
import datetime
import json
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

# The helper module is imported without leaving a __pycache__ in the source tree.
sys.dont_write_bytecode = True
import msaa_names  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
CLIENT_WIDTH, CLIENT_HEIGHT = 656, 236
GERMAN_DAYS = ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"]
ENGLISH_DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
LANGUAGES = ["Cestina", "Deutsch", "English", "Espanol", "Francais", "Italiano", "Nederlands",
             "Polski", "Portugues", "Svenska"]
ZIP_FILES = ({"COPYING.txt", "README.txt", "ini.ini", "media/BigImage.png", "media/SmallImage.png",
              "units/history.txt", "units/units.txt"} |
             {"lang/%s.txt" % language for language in LANGUAGES})
DAY_KEYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
# Days to the Monday of the same week, indexed by weekday with Sunday = 0.
MONDAY_OFFSET = [-6, 0, -1, -2, -3, -4, -5]
CREATED_INI = b"\xef\xbb\xbf\r\nVersion = 0.1\r\nLanguage = English\r\n"
# A language without a file: the built-in German texts show.
UNKNOWN_LANGUAGE_INI = b"Version = 0.1\r\nLanguage = Klingonisch\r\n"
BIG_COUNT = 5000000000  # beyond 32 bits: kept whole only by the x86-64 exe
# The window table at 96 DPI (src/app/main_window.cpp): id -> parent, x, y, width, height.
WINDOW_TABLE = {
    16: (-1, 10, 210, 640, 20), 0: (-1, 10, 10, 230, 190), 10: (0, 9, 39, 210, 140),
    11: (0, 9, 9, 100, 20), 12: (0, 119, 9, 100, 20), 1: (-1, 250, 10, 400, 190),
    2: (1, 9, 9, 150, 20), 3: (1, 9, 39, 150, 20), 4: (1, 169, 9, 220, 20),
    5: (1, 9, 69, 50, 20), 6: (1, 79, 69, 20, 20), 7: (1, 129, 69, 30, 20),
    8: (1, 269, 39, 120, 20), 9: (1, 269, 69, 120, 20), 13: (1, 9, 99, 150, 20),
    14: (1, 19, 129, 130, 50), 15: (1, 169, 99, 220, 80), 17: (1, 104, 69, 20, 20),
    18: (1, 169, 69, 90, 20), 19: (1, 169, 39, 90, 20),
}
DROP_DOWN_LISTS = (11, 12, 4)  # a closed drop-down list is as high as its font makes it
LIST_COLUMNS = (100, 50, 56)
# The window at 96 DPI as the program showed it before it knew other scales, with the week and
# day fields (the only parts that depend on the date) blanked; light colours, German texts.
REFERENCE_96 = os.path.join(HERE, "window-96dpi.png")
DATE_FIELDS = ((20, 20, 100, 21), (130, 20, 100, 21))  # x, y, width, height in the client area
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
PERSONALIZE_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"
DARK_FACE = (32, 32, 32)


def line_file(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-16-le")


def current_week_number(today):
    sunday_first = today.isoweekday() % 7
    return today.timetuple().tm_yday + MONDAY_OFFSET[sunday_first]


def history_of_one_empty_week(number):
    lines = ["#%d" % number]
    for key in DAY_KEYS:
        lines += ["=" + key, ""]
    return line_file(lines)


def as_word(value, bits):
    value &= (1 << bits) - 1
    return value - (1 << bits) if value >> (bits - 1) else value


def xdotool(*args, check=False):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise RuntimeError("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
    return result.stdout.strip()


def find_windows(pattern):
    found = xdotool("search", "--onlyvisible", "--name", pattern)
    return [line for line in found.splitlines() if line]


def geometry(window):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values


class Failure(Exception):
    pass


class Run:
    """One start of the exe in its own working directory; Wine's messages go to wine.log."""

    def __init__(self, exe, folder, wine_debug=None):
        self.log = open(os.path.join(folder, "wine.log"), "wb")
        loader = os.environ.get("VELMORA_WINE", "wine")
        environment = dict(os.environ)
        if wine_debug is not None:
            environment["WINEDEBUG"] = wine_debug
        self.process = subprocess.Popen([loader, exe], cwd=folder, stdout=self.log,
                                        stderr=subprocess.STDOUT, env=environment)

    def wait_window(self, pattern, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            windows = find_windows(pattern)
            if windows:
                return windows[0]
            if self.process.poll() is not None:
                raise Failure("the program ended (status %s) before a window matching %r"
                              % (self.process.returncode, pattern))
            time.sleep(0.3)
        raise Failure("no window matching %r within %d s" % (pattern, seconds))

    def wait_exit(self, seconds):
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within %d s" % seconds)

    def close(self, window):
        """The close request to the main window; the program must end with status 0."""
        close_request(window)
        status = self.wait_exit(30)
        if status != 0:
            raise Failure("exit status %d after the close request" % status)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def press_return(window):
    xdotool("windowfocus", window)
    time.sleep(0.2)
    xdotool("key", "Return", check=True)


def close_request(window):
    subprocess.run(["/usr/bin/python3", os.path.join(HERE, "x_close.py"), window], check=True)


def client_origin(window, width=CLIENT_WIDTH, height=CLIENT_HEIGHT):
    # Wine draws its own frame around an unmanaged window: the client sits inside it.
    shape = geometry(window)
    border = (shape["WIDTH"] - width) // 2
    return shape["X"] + border, shape["Y"] + shape["HEIGHT"] - height - border


def click_client(window, x, y):
    left, top = client_origin(window)
    xdotool("mousemove", str(left + x), str(top + y), "click", "1", check=True)


def read(path):
    with open(path, "rb") as handle:
        return handle.read()


def expect_bytes(path, expected, what):
    actual = read(path) if os.path.exists(path) else None
    if actual != expected:
        raise Failure("%s: expected %r, found %r" % (what, expected, actual))


def wait_for(condition, seconds, what):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.2)
    raise Failure("timed out waiting for " + what)


def prepare(folder, media, with_small_picture=True, ini=None):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "units"))
    os.makedirs(os.path.join(folder, "lang"))
    os.makedirs(os.path.join(folder, "media"))
    shutil.copy(os.path.join(media, "BigImage.png"), os.path.join(folder, "media"))
    if with_small_picture:
        shutil.copy(os.path.join(media, "SmallImage.png"), os.path.join(folder, "media"))
    if ini is not None:
        with open(os.path.join(folder, "ini.ini"), "wb") as handle:
            handle.write(ini)


def case_start_save_close(exe, bits, folder, media):
    """No ini.ini: the Config1 box, the created ini.ini, the title, a save, a close."""
    prepare(folder, media)
    units = os.path.join(folder, "units", "units.txt")
    history = os.path.join(folder, "units", "history.txt")
    with open(units, "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold", "Big|%d|-7|x" % BIG_COUNT]))
    open(history, "wb").close()  # too short to hold a week: one current week is made
    today = datetime.date.today()
    run = Run(exe, folder)
    try:
        press_return(run.wait_window("^Fehler$", 120))
        main = run.wait_window("^Velmora - ", 60)
        expect_bytes(os.path.join(folder, "ini.ini"), CREATED_INI, "created ini.ini")
        title = xdotool("getwindowname", main)
        expected_title = "Velmora - %s - 0.1" % GERMAN_DAYS[today.weekday()]
        if title != expected_title and datetime.date.today() == today:
            raise Failure("title %r, expected %r" % (title, expected_title))

        click_client(main, 10 + 320, 210 + 10)  # SaveButton
        expected_units = line_file(["Plank|3|60|hold", "Big|%d|-7|x" % as_word(BIG_COUNT, bits)])
        expected_history = history_of_one_empty_week(current_week_number(today))
        wait_for(lambda: os.path.getsize(history) > 0 and os.path.exists(units) and
                 read(units) == expected_units, 20, "the saved files")
        # The save writes both files before the one-second confirmation; let it finish.
        time.sleep(1.5)
        expect_bytes(history, expected_history, "saved history.txt")
        expect_bytes(units, expected_units, "saved units.txt")
        leftovers = [name for name in os.listdir(os.path.dirname(units))
                     if name not in ("units.txt", "history.txt", "backup")]
        if leftovers:
            raise Failure("files left beside the saved ones: %r" % leftovers)

        # An entry added after the save is discarded by the close.
        click_client(main, 250 + 1 + 9 + 75, 10 + 1 + 9 + 10)  # AddEntryButton
        time.sleep(1.0)
        run.close(main)
        expect_bytes(history, expected_history, "history.txt after closing without saving")
    finally:
        run.stop()


def case_type_create_add_save(exe, folder, media):
    """Typing a name enables the fields, Tab reaches the description, Create and Add work."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    units = os.path.join(folder, "units", "units.txt")
    history = os.path.join(folder, "units", "history.txt")
    with open(units, "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    open(history, "wb").close()
    today = datetime.date.today()
    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        panel_x, panel_y = 250 + 1, 10 + 1  # EditPanel's inner area
        click_client(main, panel_x + 269 + 60, panel_y + 39 + 10)  # NameField
        time.sleep(0.3)
        xdotool("type", "--delay", "50", "Run", check=True)
        # NameField is followed by DescriptionField in creation order.
        xdotool("key", "Tab", check=True)
        time.sleep(0.3)
        xdotool("type", "--delay", "50", "easy", check=True)
        time.sleep(0.3)
        click_client(main, panel_x + 9 + 75, panel_y + 39 + 10)  # CreateUnitButton
        time.sleep(0.5)
        click_client(main, panel_x + 9 + 75, panel_y + 9 + 10)  # AddEntryButton
        time.sleep(0.5)
        click_client(main, 10 + 320, 210 + 10)  # SaveButton
        expected_units = line_file(["Plank|3|60|hold", "Run|1|15|easy"])
        wait_for(lambda: os.path.getsize(history) > 0 and read(units) == expected_units, 20,
                 "units.txt with the created unit, found %r" % read(units))
        time.sleep(1.5)
        lines = ["#%d" % current_week_number(today)]
        for index, key in enumerate(DAY_KEYS):
            lines += ["=" + key, "Run|1|15|easy" if index == today.weekday() else ""]
        expect_bytes(history, line_file(lines), "history.txt with the added entry")
        run.close(main)
    finally:
        run.stop()


def history_with_today(today, text):
    lines = ["#%d" % current_week_number(today)]
    for index, key in enumerate(DAY_KEYS):
        lines += ["=" + key, text if index == today.weekday() else ""]
    return line_file(lines)


def set_x_clipboard(text):
    """Another program owns the X clipboard: xclip serves the text until it is stopped."""
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-in"],
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    owner.stdin.write(text.encode("utf-8"))
    owner.stdin.close()
    return owner


def x_clipboard():
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            timeout=10)
    return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else None


def case_paste_copy_and_ctrl_s(exe, folder, media):
    """Ctrl+V on the entry list pastes the X clipboard's lines, Ctrl+S saves them, Ctrl+C
    copies the selected entry back, Ctrl+Z undoes the paste."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    units = os.path.join(folder, "units", "units.txt")
    history = os.path.join(folder, "units", "history.txt")
    with open(units, "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    open(history, "wb").close()
    today = datetime.date.today()
    owner = set_x_clipboard("Run|$1F|2|easy\nSit| 1|1|\u00e4\n")
    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        # Wine takes over a new X clipboard owner's text after a moment.
        time.sleep(3)
        list_x, list_y = 10 + 1 + 9, 10 + 1 + 39  # EntryList in PlanPanel's inner area
        click_client(main, list_x + 105, list_y + 120)  # below the rows: the focus, no row
        time.sleep(0.5)
        xdotool("key", "ctrl+v", check=True)
        time.sleep(0.5)
        xdotool("key", "ctrl+s", check=True)
        expected = history_with_today(today, "Run|31|2|easy\\Sit|1|1|\u00e4")
        wait_for(lambda: os.path.getsize(history) > 0 and read(history) == expected, 20,
                 "history.txt with the pasted entries, found %r" % read(history))
        time.sleep(1.5)  # the one-second confirmation of the save
        expect_bytes(units, line_file(["Plank|3|60|hold"]), "units.txt after Ctrl+S")

        click_client(main, list_x + 50, list_y + 28)  # the first row
        time.sleep(0.5)
        xdotool("key", "ctrl+c", check=True)
        time.sleep(1.0)
        copied = x_clipboard()
        if copied is None or copied.replace("\r\n", "\n") != "Run|31|2|easy\n":
            raise Failure("the X clipboard after Ctrl+C holds %r" % copied)

        xdotool("key", "ctrl+z", check=True)
        time.sleep(0.5)
        xdotool("key", "ctrl+s", check=True)
        wait_for(lambda: read(history) == history_with_today(today, ""), 20,
                 "history.txt without the undone paste, found %r" % read(history))
        time.sleep(1.5)
        run.close(main)
    finally:
        run.stop()
        owner.kill()
        owner.wait()


def case_missing_picture(exe, folder, media):
    """media/SmallImage.png missing: the error box, no main window, exit status 0."""
    ini = UNKNOWN_LANGUAGE_INI
    prepare(folder, media, with_small_picture=False, ini=ini)
    with open(os.path.join(folder, "units", "units.txt"), "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    # An empty history loads without a box, so the only box is the picture's.
    open(os.path.join(folder, "units", "history.txt"), "wb").close()
    run = Run(exe, folder)
    try:
        box = run.wait_window("^Fehler$", 120)
        if find_windows("^Velmora - "):
            raise Failure("the main window appeared although a picture is missing")
        press_return(box)
        status = run.wait_exit(30)
        if status != 0:
            raise Failure("exit status %d after the missing-picture box" % status)
    finally:
        run.stop()


def case_lock_and_backup(exe, folder, media):
    """A save keeps the day's backup; a second start on the folder gets the Running box."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    units = os.path.join(folder, "units", "units.txt")
    history = os.path.join(folder, "units", "history.txt")
    with open(units, "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    today = datetime.date.today()
    with open(history, "wb") as handle:
        handle.write(history_of_one_empty_week(current_week_number(today)))
    old_units, old_history = read(units), read(history)
    first = Run(exe, folder)
    second = None
    try:
        main = first.wait_window("^Velmora - ", 120)
        click_client(main, 250 + 1 + 9 + 75, 10 + 1 + 9 + 10)  # AddEntryButton
        time.sleep(0.5)
        click_client(main, 10 + 320, 210 + 10)  # SaveButton
        wait_for(lambda: read(history) != old_history, 20, "the saved history")
        time.sleep(1.5)
        backups = os.path.join(folder, "units", "backup")
        stamp = today.isoformat()
        expect_bytes(os.path.join(backups, "history-%s.txt" % stamp), old_history,
                     "the day's history backup")
        expect_bytes(os.path.join(backups, "units-%s.txt" % stamp), old_units,
                     "the day's units backup")
        lock = os.path.join(folder, ".velmora.lock")
        if not os.path.exists(lock):
            raise Failure("no .velmora.lock while the program runs")
        # The first window is the only one with that title: the second start's box is new.
        second = Run(exe, folder)
        box = second.wait_window("^Fehler$", 120)
        if len(find_windows("^Velmora - ")) != 1:
            raise Failure("the second start opened a window of its own")
        press_return(box)
        status = second.wait_exit(30)
        if status != 0:
            raise Failure("exit status %d of the second start" % status)
        if first.process.poll() is not None:
            raise Failure("the first program ended with the second one")
        first.close(main)
    finally:
        first.stop()
        if second is not None:
            second.stop()


def case_changed_between_start_and_save(exe, folder, media):
    """A lock file left by another machine does not block the start; the history that machine
    saved while the program ran is merged at the save, with one box."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    units = os.path.join(folder, "units", "units.txt")
    history = os.path.join(folder, "units", "history.txt")
    with open(units, "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    today = datetime.date.today()
    number = current_week_number(today)
    with open(history, "wb") as handle:
        handle.write(history_of_one_empty_week(number))
    with open(os.path.join(folder, ".velmora.lock"), "wb") as handle:
        handle.write(b"from the laptop")
    other_day = (today.weekday() + 1) % 7

    def week(texts):
        lines = ["#%d" % number]
        for index, key in enumerate(DAY_KEYS):
            lines += ["=" + key, texts.get(index, "")]
        return line_file(lines)

    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        # As a sync tool puts the other machine's file in place: a new file renamed over it.
        incoming = history + ".incoming"
        with open(incoming, "wb") as handle:
            handle.write(week({other_day: "Run|5|1|laptop"}))
        os.replace(incoming, history)
        click_client(main, 250 + 1 + 9 + 75, 10 + 1 + 9 + 10)  # AddEntryButton
        time.sleep(0.5)
        click_client(main, 10 + 320, 210 + 10)  # SaveButton
        # xdotool matches the title's bytes: its "Ä" is two of them.
        press_return(run.wait_window("nderungen von anderswo$", 30))
        expected = week({other_day: "Run|5|1|laptop", today.weekday(): "Plank|3|60|hold"})
        wait_for(lambda: read(history) == expected, 20,
                 "the merged history, found %r" % read(history))
        time.sleep(1.5)
        run.close(main)
        expect_bytes(history, expected, "history.txt after the close")
    finally:
        run.stop()


def catch_up_number(monday, today):
    """The number the catch-up gives a week: the current one counts in today's year, a past
    one in the year of its Thursday."""
    year = today.year if monday + datetime.timedelta(days=6) >= today else \
        (monday + datetime.timedelta(days=3)).year
    return (monday - datetime.date(year, 1, 1)).days + 1


def case_catch_up_after_a_break(exe, folder, media):
    """A history saved 60 weeks ago gets every week up to today: only its file time tells, a
    week number of more than a year ago naming no Monday of the last year."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    with open(os.path.join(folder, "units", "units.txt"), "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    today = datetime.date.today()
    this_monday = today - datetime.timedelta(days=today.weekday())
    saved_monday = this_monday - datetime.timedelta(weeks=60)
    history = os.path.join(folder, "units", "history.txt")
    with open(history, "wb") as handle:
        handle.write(history_of_one_empty_week(saved_monday.timetuple().tm_yday))
    noon = time.mktime((saved_monday.year, saved_monday.month, saved_monday.day, 12, 0, 0,
                        0, 0, -1))
    os.utime(history, (noon, noon))
    old = read(history)
    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        click_client(main, 10 + 320, 210 + 10)  # SaveButton
        wait_for(lambda: read(history) != old, 20, "the saved history")
        time.sleep(1.5)
        run.close(main)
    finally:
        run.stop()
    numbers = [int(line[1:]) for line in read(history).decode("utf-16-le").split("\r\n")
               if line.startswith("#")]
    expected = [saved_monday.timetuple().tm_yday] + [
        catch_up_number(saved_monday + datetime.timedelta(weeks=week), today)
        for week in range(1, 61)]
    if numbers != expected and datetime.date.today() == today:
        raise Failure("weeks %r, expected %r" % (numbers, expected))


def case_context_menu_export(exe, folder, media):
    """A right click on the window opens its menu; its CSV item writes reports/training.csv."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    with open(os.path.join(folder, "units", "units.txt"), "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    today = datetime.date.today()
    lines = ["#%d" % current_week_number(today)]
    for index, key in enumerate(DAY_KEYS):
        lines += ["=" + key, "Plank|3|60|hold" if index == today.weekday() else ""]
    with open(os.path.join(folder, "units", "history.txt"), "wb") as handle:
        handle.write(line_file(lines))
    csv = os.path.join(folder, "reports", "training.csv")
    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        # Right of the save button's row, on the window itself.
        shape = geometry(main)
        border = (shape["WIDTH"] - CLIENT_WIDTH) // 2
        xdotool("mousemove", str(shape["X"] + border + 5),
                str(shape["Y"] + shape["HEIGHT"] - CLIENT_HEIGHT - border + 5),
                "click", "3", check=True)
        time.sleep(1.0)
        xdotool("key", "Down", "Down", "Return", check=True)
        wait_for(lambda: os.path.exists(csv), 20, "reports/training.csv")
        content = read(csv)
        if not content.startswith(b"\xef\xbb\xbf") or b",Plank,3,60,hold\r\n" not in content:
            raise Failure("reports/training.csv holds %r" % content[:200])
        run.close(main)
    finally:
        run.stop()


def case_context_menu_import(exe, folder, media):
    """The menu's Import... item opens the open-file dialog (comdlg32, looked up at run time);
    a Strong export chosen in it comes in, the summary box shows, Ctrl+S saves the sets as
    one entry, and the dialog left the program in its own folder."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    open(os.path.join(folder, "units", "units.txt"), "wb").close()
    today = datetime.date.today()
    history = os.path.join(folder, "units", "history.txt")
    with open(history, "wb") as handle:
        handle.write(history_of_one_empty_week(current_week_number(today)))
    exports = os.path.join(folder, "exports")
    os.makedirs(exports)
    with open(os.path.join(exports, "strong.csv"), "wb") as handle:
        handle.write(("Date,Exercise Name,Set Order,Weight (kg),Reps\n"
                      "%s 18:05:11,Bench,1,80,10\n%s 18:05:11,Bench,2,80,8\n"
                      % (today.isoformat(), today.isoformat())).encode())
    # Wine's drive Z: is the root of the Linux file system.
    windows_path = "Z:" + os.path.join(exports, "strong.csv").replace("/", "\\")
    run = Run(exe, folder)
    try:
        main = run.wait_window("^Velmora - ", 120)
        shape = geometry(main)
        border = (shape["WIDTH"] - CLIENT_WIDTH) // 2
        xdotool("mousemove", str(shape["X"] + border + 5),
                str(shape["Y"] + shape["HEIGHT"] - CLIENT_HEIGHT - border + 5),
                "click", "3", check=True)
        time.sleep(1.0)
        xdotool("key", "Down", "Down", "Down", "Down", "Return", check=True)
        dialog = run.wait_window("^Training importieren$", 60)
        time.sleep(1.0)
        xdotool("windowfocus", dialog)
        time.sleep(0.3)
        xdotool("type", "--delay", "20", windows_path, check=True)
        xdotool("key", "Return", check=True)
        box = run.wait_window("^Import$", 30)
        press_return(box)
        wait_for(lambda: not find_windows("^Import$"), 20, "the summary box to close")
        xdotool("windowfocus", main)
        time.sleep(0.3)
        xdotool("key", "ctrl+s", check=True)
        expected = history_with_today(today, "Bench|2|10|80 kg; 10/8")
        wait_for(lambda: read(history) == expected, 20,
                 "history.txt with the imported sets, found %r" % read(history))
        time.sleep(1.5)  # the one-second confirmation of the save
        expect_bytes(os.path.join(folder, "units", "units.txt"), line_file(["Bench|2|10|"]),
                     "units.txt after the import and Ctrl+S")
        if os.path.exists(os.path.join(exports, "units")):
            raise Failure("the save went to the folder of the imported file")
        run.close(main)
    finally:
        run.stop()


def case_accessible_names(exe, folder, media):
    """Each control's MSAA name and description as the exe hands them to oleacc, read from
    Wine's own record of the calls (Wine 8 stores no annotation), and the names oleacc
    reports of the buttons and labels, which keep their own text."""
    prepare(folder, media, ini=UNKNOWN_LANGUAGE_INI)
    with open(os.path.join(folder, "units", "units.txt"), "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold"]))
    open(os.path.join(folder, "units", "history.txt"), "wb").close()
    run = Run(exe, folder, wine_debug=msaa_names.WINE_DEBUG)
    try:
        main = run.wait_window("^Velmora - ", 120)
        controls, problem = msaa_names.probe_controls(folder)
        if problem:
            raise Failure(problem)
        run.close(main)
    finally:
        run.stop()
    log_text = read(os.path.join(folder, "wine.log")).decode("utf-8", "replace")
    problems = msaa_names.check_names(controls, log_text)
    if problems:
        raise Failure("; ".join(problems))


def wine_command(*args):
    """A command of Wine's own (reg) through the loader of the exe under test."""
    loader = os.environ.get("VELMORA_WINE", "wine")
    subprocess.run([loader, *args], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=120)


def set_dword(key, name, value):
    if value is None:
        subprocess.run([os.environ.get("VELMORA_WINE", "wine"), "reg", "delete", key, "/v", name,
                        "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    else:
        wine_command("reg", "add", key, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")


def scaled(value, dpi):
    return (value * dpi + 48) // 96  # MulDiv: rounded to the nearest, halves up


def window_places():
    """The places the helper exe reads from the running program's window."""
    helper = os.environ.get("VELMORA_PLACES")
    if not helper or not os.path.exists(helper):
        raise Failure("no window places helper (VELMORA_PLACES=%r)" % helper)
    loader = os.environ.get("VELMORA_WINE", "wine")
    result = subprocess.run([loader, helper], capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        raise Failure("the places helper failed: %s" % result.stderr.strip()[-300:])
    return json.loads(result.stdout.strip().splitlines()[-1])


def expect_places(dpi):
    places = window_places()
    if places["client"] != [scaled(CLIENT_WIDTH, dpi), scaled(CLIENT_HEIGHT, dpi)]:
        raise Failure("at %d DPI the client area is %r" % (dpi, places["client"]))
    shown = {control["id"]: control for control in places["controls"]}
    if set(shown) != set(WINDOW_TABLE):
        raise Failure("controls %r, expected %r" % (sorted(shown), sorted(WINDOW_TABLE)))
    wrong = []
    for control_id, (parent, x, y, width, height) in WINDOW_TABLE.items():
        control = shown[control_id]
        expected = [parent, scaled(x, dpi), scaled(y, dpi), scaled(width, dpi)]
        actual = [control["parent"], control["x"], control["y"], control["width"]]
        if control_id not in DROP_DOWN_LISTS:
            expected.append(scaled(height, dpi))
            actual.append(control["height"])
        if actual != expected:
            wrong.append("control %d at %r, expected %r" % (control_id, actual, expected))
    columns = [scaled(width, dpi) for width in LIST_COLUMNS]
    if places["columns"] != columns:
        wrong.append("columns %r, expected %r" % (places["columns"], columns))
    if wrong:
        raise Failure("at %d DPI: %s" % (dpi, "; ".join(wrong)))
    return shown


def client_picture(window, path, width=CLIENT_WIDTH, height=CLIENT_HEIGHT):
    """The client area as a PNG, the mouse out of the way, the date fields blanked."""
    xdotool("mousemove", "0", "0", check=True)
    time.sleep(1.0)
    left, top = client_origin(window, width, height)
    subprocess.run(["import", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (width, height, left, top), "+repage", path],
                   check=True, timeout=60)
    if (width, height) != (CLIENT_WIDTH, CLIENT_HEIGHT):
        return
    blank = ["-fill", "magenta"]
    for x, y, w, h in DATE_FIELDS:
        blank += ["-draw", "rectangle %d,%d %d,%d" % (x, y, x + w - 1, y + h - 1)]
    subprocess.run(["convert", path, *blank, path], check=True, timeout=60)


def differing_pixels(first, second):
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"],
                            capture_output=True, text=True, timeout=60)
    try:
        return int(float(result.stderr.split()[0]))
    except (IndexError, ValueError):
        raise Failure("compare failed: %s" % result.stderr.strip())


def picture_facts(path):
    """Mean grey level (0 to 1) and the colour of the window's face beside the panels."""
    result = subprocess.run(["convert", path, "-format", "%[fx:mean] %[pixel:p{5,5}]", "info:"],
                            capture_output=True, text=True, check=True, timeout=60)
    mean, face = result.stdout.split()
    return float(mean), tuple(int(v) for v in re.findall(r"\d+", face)[:3])


def start_for_pictures(exe, folder, media, ini):
    prepare(folder, media, ini=ini)
    with open(os.path.join(folder, "units", "units.txt"), "wb") as handle:
        handle.write(line_file(["Plank|3|60|hold", "Run|1|30|zone 2"]))
    open(os.path.join(folder, "units", "history.txt"), "wb").close()
    run = Run(exe, folder)
    return run, run.wait_window("^Velmora - ", 120)


def case_display_scale(exe, folder, media):
    """At 96 DPI every control where the table says and every pixel as before; at 144 DPI
    (LogPixels) a 984 x 354 client area with every place, size and column times 1.5."""
    run, main = start_for_pictures(exe, folder, media, UNKNOWN_LANGUAGE_INI)
    try:
        at_96 = expect_places(96)
        shot = os.path.join(folder, "window-96dpi.png")
        client_picture(main, shot)
        different = differing_pixels(shot, REFERENCE_96)
        if different:
            raise Failure("at 96 DPI %d pixels differ from %s (see %s)"
                          % (different, REFERENCE_96, shot))
        run.close(main)
    finally:
        run.stop()
    set_dword(DESKTOP_KEY, "LogPixels", 144)
    try:
        run, main = start_for_pictures(exe, folder + "-144", media, UNKNOWN_LANGUAGE_INI)
        try:
            at_144 = expect_places(144)
            for control_id in DROP_DOWN_LISTS:  # the closed field grows with the font
                if at_144[control_id]["height"] <= at_96[control_id]["height"]:
                    raise Failure("drop-down list %d is %d high at 144 DPI, %d at 96"
                                  % (control_id, at_144[control_id]["height"],
                                     at_96[control_id]["height"]))
            client_picture(main, os.path.join(folder + "-144", "window-144dpi.png"), 984, 354)
            run.close(main)
        finally:
            run.stop()
    finally:
        set_dword(DESKTOP_KEY, "LogPixels", 96)


def case_dark_colours(exe, folder, media):
    """Theme = Dark, and System with AppsUseLightTheme 0, show dark panels, labels, fields and
    list (Wine draws its buttons, drop-down fields and title bar in its own light colours);
    System with AppsUseLightTheme 1 is the light window, pixel for pixel."""
    dark_ini = UNKNOWN_LANGUAGE_INI + b"Theme = Dark\r\n"
    system_ini = UNKNOWN_LANGUAGE_INI + b"Theme = System\r\n"
    starts = (("Dark", dark_ini, None, True), ("System, dark desktop", system_ini, 0, True),
              ("System, light desktop", system_ini, 1, False))
    try:
        for number, (name, ini, light_theme, dark) in enumerate(starts):
            set_dword(PERSONALIZE_KEY, "AppsUseLightTheme", light_theme)
            start_folder = "%s-%d" % (folder, number)
            run, main = start_for_pictures(exe, start_folder, media, ini)
            try:
                shot = os.path.join(start_folder, "window.png")
                client_picture(main, shot)
                mean, face = picture_facts(shot)
                if dark and (mean >= 0.5 or face != DARK_FACE):
                    raise Failure("%s: mean grey %.2f, face %r: not dark" % (name, mean, face))
                if not dark and differing_pixels(shot, REFERENCE_96):
                    raise Failure("%s: the light window differs from %s" % (name, REFERENCE_96))
                run.close(main)
            finally:
                run.stop()
    finally:
        set_dword(PERSONALIZE_KEY, "AppsUseLightTheme", None)


def case_release_zip(zip_path, exe, folder):
    """Unpacked into a fresh folder: English starter files, then a start without any box."""
    version = re.match(r"velmora-(.+)-win(64|32)\.zip$", os.path.basename(zip_path)).group(1)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with zipfile.ZipFile(zip_path) as archive:
        names = {name for name in archive.namelist() if not name.endswith("/")}
        if names != ZIP_FILES | {exe}:
            raise Failure("the zip holds %r" % sorted(names))
        archive.extractall(folder)
    readme = read(os.path.join(folder, "README.txt"))
    if readme.count(b"\n") < 10 or readme.count(b"\r\n") != readme.count(b"\n"):
        raise Failure("README.txt does not have CRLF line ends throughout")
    if exe.encode() not in readme:
        raise Failure("README.txt does not say how to start %s" % exe)
    unlisted = [name for name in LANGUAGES if b"Language = %s" % name.encode() not in readme]
    if unlisted or b"GPL-3.0-or-later" not in readme:
        raise Failure("README.txt does not list the languages %r or the licence" % unlisted)
    licence = read(os.path.join(folder, "COPYING.txt"))
    if (not licence.startswith(b"                    GNU GENERAL PUBLIC LICENSE\r\n")
            or b"Version 3, 29 June 2007" not in licence
            or licence.count(b"\r\n") != licence.count(b"\n")):
        raise Failure("COPYING.txt is not the GPL 3 with CRLF line ends")
    expected_ini = b"\xef\xbb\xbf\r\nVersion = %s\r\nLanguage = English\r\n" % version.encode()
    expect_bytes(os.path.join(folder, "ini.ini"), expected_ini, "ini.ini in the zip")
    units = read(os.path.join(folder, "units", "units.txt")).decode("utf-16-le").split("\r\n")
    if len(units) != 9 or not units[0].startswith("Push-ups|3|15|"):
        raise Failure("units/units.txt does not hold the English starter units: %r" % units)
    before = {name: read(os.path.join(folder, name)) for name in ZIP_FILES}
    run = Run(os.path.join(folder, exe), folder)
    try:
        deadline = time.time() + 120
        main_window = None
        while main_window is None or time.time() < shown + 3:
            boxes = find_windows("^(Fehler|Error)$")
            if boxes:
                raise Failure("a message box %r appeared" % xdotool("getwindowname", boxes[0]))
            if main_window is None:
                windows = find_windows("^Velmora - ")
                if windows:
                    main_window, shown = windows[0], time.time()
                elif time.time() > deadline or run.process.poll() is not None:
                    raise Failure("no main window within 120 s (status %s)"
                                  % run.process.poll())
            time.sleep(0.3)
        title = xdotool("getwindowname", main_window)
        expected_title = "Velmora - %s - %s" % (ENGLISH_DAYS[datetime.date.today().weekday()],
                                                version)
        if title != expected_title:
            raise Failure("title %r, expected %r" % (title, expected_title))
        run.close(main_window)
    finally:
        run.stop()
    for name, content in before.items():
        expect_bytes(os.path.join(folder, name), content, name + " after a start and close")


def main_zip(arguments):
    zip_path, exe, work = arguments
    title = "%s: unpacked and started" % os.path.basename(zip_path)
    started = time.time()
    try:
        case_release_zip(zip_path, exe, work)
        print("PASS %s (%.1f s)" % (title, time.time() - started), flush=True)
        print("RESULT 1 0")
    except (Failure, RuntimeError, OSError, AttributeError, zipfile.BadZipFile,
            subprocess.CalledProcessError) as problem:
        print("FAIL %s: %s" % (title, problem), flush=True)
        print("RESULT 0 1")
    return 0


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "zip":
        return main_zip(sys.argv[2:])
    if len(sys.argv) != 5:
        print("usage: run_cases.py EXE BITS WORK-FOLDER MEDIA-FOLDER\n"
              "       run_cases.py zip ZIP EXE WORK-FOLDER", file=sys.stderr)
        return 2
    exe, bits, work, media = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    name = os.path.basename(exe)
    cases = [
        ("start, title, save and close", lambda: case_start_save_close(
            exe, bits, os.path.join(work, "save"), media)),
        ("typing, Tab, create, add and save", lambda: case_type_create_add_save(
            exe, os.path.join(work, "typing"), media)),
        ("Ctrl+V from the X clipboard, Ctrl+S, Ctrl+C, Ctrl+Z", lambda:
            case_paste_copy_and_ctrl_s(exe, os.path.join(work, "paste"), media)),
        ("missing picture", lambda: case_missing_picture(exe, os.path.join(work, "picture"),
                                                         media)),
        ("daily backup and a second start on the folder", lambda: case_lock_and_backup(
            exe, os.path.join(work, "lock"), media)),
        ("context menu: export as CSV", lambda: case_context_menu_export(
            exe, os.path.join(work, "menu"), media)),
        ("context menu: import a Strong export through the file dialog", lambda:
            case_context_menu_import(exe, os.path.join(work, "import"), media)),
        ("accessible names handed to oleacc", lambda: case_accessible_names(
            exe, os.path.join(work, "access"), media)),
        ("the weeks since the history file last changed", lambda: case_catch_up_after_a_break(
            exe, os.path.join(work, "break"), media)),
        ("96 and 144 DPI", lambda: case_display_scale(exe, os.path.join(work, "dpi"), media)),
        ("dark colours", lambda: case_dark_colours(exe, os.path.join(work, "dark"), media)),
        ("a stale lock file, a history changed between start and save", lambda:
            case_changed_between_start_and_save(exe, os.path.join(work, "changed"), media)),
    ]
    # VELMORA_CASES=text runs only the cases whose title holds the text (while developing).
    only = os.environ.get("VELMORA_CASES")
    if only:
        cases = [(title, case) for title, case in cases if only in title]
    failed = 0
    for title, case in cases:
        started = time.time()
        try:
            case()
            print("PASS %s: %s (%.1f s)" % (name, title, time.time() - started), flush=True)
        except (Failure, RuntimeError, subprocess.CalledProcessError,
                subprocess.TimeoutExpired, ValueError) as problem:
            failed += 1
            print("FAIL %s: %s: %s" % (name, title, problem), flush=True)
    print("RESULT %d %d" % (len(cases) - failed, failed))
    return 0


if __name__ == "__main__":
    sys.exit(main())

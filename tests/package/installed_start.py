#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# First starts of the installed program on a running X server, as a new user would make
# them: a fresh HOME per language, the German, English, French or Czech window without any
# message box,
# the seeded data folder, a real close request, and a second start that finds the data
# byte for byte as the first left it. Installing and the X server are left to
# scripts/test-package. Prints PASS/FAIL lines and "RESULT passed failed".
import datetime
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
X_CLOSE = os.path.join(HERE, "..", "windows", "x_close.py")
DAYS = {
    "Deutsch": ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"],
    "English": ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"],
    "Francais": ["Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"],
    "Cestina": ["Pondělí", "Úterý", "Středa", "Čtvrtek", "Pátek", "Sobota", "Neděle"],
}
FIRST_UNIT = {"Deutsch": "Liegestütze|3|15|", "English": "Push-ups|3|15|",
              "Francais": "Pompes|3|15|", "Cestina": "Kliky|3|15|"}
LANGUAGES = ["Cestina", "Deutsch", "English", "Espanol", "Francais", "Italiano", "Nederlands",
             "Polski", "Portugues", "Svenska"]
SEEDED = (["ini.ini"] + ["lang/%s.txt" % language for language in LANGUAGES] +
          ["media/BigImage.png", "media/SmallImage.png", "units/history.txt", "units/units.txt"])
BOX_TITLES = "^(Fehler|Error|Erreur|Chyba)$"


class Failure(Exception):
    pass


def xdotool_search(pattern):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                            capture_output=True, text=True)
    return [line for line in result.stdout.split() if line]


def window_name(window):
    return subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                          text=True).stdout.strip()


def folder_digest(folder):
    """Every file below the folder with the SHA-256 of its bytes."""
    digest = {}
    for parent, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(parent, name)
            with open(path, "rb") as handle:
                digest[os.path.relpath(path, folder)] = hashlib.sha256(handle.read()).hexdigest()
    return digest


class Start:
    """One start of the program with its own environment."""

    def __init__(self, program, home, language_variable, log):
        environment = {key: value for key, value in os.environ.items()
                       if key not in ("LC_ALL", "LC_MESSAGES", "LANG", "XDG_DATA_HOME",
                                      "QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        environment["HOME"] = home
        environment["LANG"] = language_variable
        self.log = open(log, "ab")
        self.process = subprocess.Popen([program], cwd=home, env=environment,
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def wait_window(self, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            boxes = xdotool_search(BOX_TITLES)
            if boxes:
                raise Failure("a message box %r appeared" % window_name(boxes[0]))
            windows = xdotool_search("^Velmora - ")
            if windows:
                return windows[0]
            if self.process.poll() is not None:
                raise Failure("the program ended (status %s) before its window appeared"
                              % self.process.returncode)
            time.sleep(0.2)
        raise Failure("no window titled 'Velmora - ...' within %d s" % seconds)

    def expect_no_box(self, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            boxes = xdotool_search(BOX_TITLES)
            if boxes:
                raise Failure("a message box %r appeared" % window_name(boxes[0]))
            if self.process.poll() is not None:
                raise Failure("the program ended (status %s) on its own"
                              % self.process.returncode)
            time.sleep(0.25)

    def close(self, window):
        subprocess.run(["/usr/bin/python3", X_CLOSE, window], check=True)
        try:
            status = self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 15 s of the close request")
        if status != 0:
            raise Failure("exit status %d after the close request" % status)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def expect_title(window, language, version):
    title = window_name(window)
    # The day is read around the check, so a start just at midnight still passes.
    now = datetime.datetime.now()
    days = {DAYS[language][now.weekday()],
            DAYS[language][(now - datetime.timedelta(seconds=30)).weekday()]}
    expected = ["Velmora - %s - %s" % (day, version) for day in sorted(days)]
    if title not in expected:
        raise Failure("title %r, expected %s" % (title, " or ".join(map(repr, expected))))


def expect_seeded(folder, language, version):
    missing = [name for name in SEEDED if not os.path.isfile(os.path.join(folder, name))]
    if missing:
        raise Failure("the new data folder lacks %s" % ", ".join(missing))
    with open(os.path.join(folder, "ini.ini"), "rb") as handle:
        ini = handle.read()
    expected_ini = ("\ufeff\r\nVersion = %s\r\nLanguage = %s\r\n" % (version, language)).encode()
    if ini != expected_ini:
        raise Failure("ini.ini holds %r, expected %r" % (ini, expected_ini))
    if os.path.getsize(os.path.join(folder, "units", "history.txt")) != 0:
        raise Failure("units/history.txt is not empty")
    with open(os.path.join(folder, "units", "units.txt"), "rb") as handle:
        units = handle.read().decode("utf-16-le").split("\r\n")
    if len(units) != 9 or units[-1] != "" or not units[0].startswith(FIRST_UNIT[language]):
        raise Failure("units/units.txt does not hold the eight %s starter units: %r"
                      % (language, units))


def case_first_and_second_start(program, version, language, language_variable, work):
    home = tempfile.mkdtemp(prefix="home-", dir=work)
    folder = os.path.join(home, ".local", "share", "velmora")
    log = os.path.join(work, "velmora-%s.log" % language)
    first = Start(program, home, language_variable, log)
    try:
        window = first.wait_window(30)
        expect_title(window, language, version)
        first.expect_no_box(5)
        expect_seeded(folder, language, version)
        before = folder_digest(folder)
        first.close(window)
    finally:
        first.stop()
    if folder_digest(folder) != before:
        raise Failure("closing the program changed the data folder")
    second = Start(program, home, language_variable, log)
    try:
        window = second.wait_window(30)
        expect_title(window, language, version)
        second.expect_no_box(2)
        if folder_digest(folder) != before:
            raise Failure("the second start changed the data folder")
        second.close(window)
    finally:
        second.stop()
    if folder_digest(folder) != before:
        raise Failure("the data folder changed after the second start")
    shutil.rmtree(home, ignore_errors=True)


def main():
    if len(sys.argv) != 4:
        print("usage: installed_start.py PROGRAM VERSION WORK-FOLDER", file=sys.stderr)
        return 2
    program, version, work = sys.argv[1:]
    os.makedirs(work, exist_ok=True)
    cases = [("Deutsch", "de_DE.UTF-8"), ("English", "en_US.UTF-8"),
             ("Francais", "fr_FR.UTF-8"), ("Cestina", "cs_CZ.UTF-8")]
    failed = 0
    for language, variable in cases:
        title = "first and second start with LANG=%s" % variable
        started = time.time()
        try:
            case_first_and_second_start(program, version, language, variable, work)
            print("PASS %s (%.1f s)" % (title, time.time() - started), flush=True)
        except (Failure, subprocess.CalledProcessError, OSError) as problem:
            failed += 1
            print("FAIL %s: %s" % (title, problem), flush=True)
    print("RESULT %d %d" % (len(cases) - failed, failed))
    return 0


if __name__ == "__main__":
    sys.exit(main())

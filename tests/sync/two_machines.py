#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two machines, one plan: two Syncthing instances on 127.0.0.1 keep two data folders in
step while a velmora-headless session on each side edits the same week.

Phase 1, both online: A saves Monday; the file reaches B; B (still holding its older copy)
saves Tuesday and merges A's Monday in; A, coming back to its window, takes B's file in.
Phase 2, both offline: each side saves an entry on Wednesday, so Syncthing keeps one side's
file as a conflict copy; the next start on each side merges the copy and, at the save, moves
it into units/backup/merged/. Both folders end with every edit and no conflict copy in units/.

Nothing is sent anywhere but 127.0.0.1: discovery, relays, NAT traversal, usage and crash
reports and upgrades are off in the configs, written before the first start.
Usage: two_machines.py VELMORA_HEADLESS WORK_FOLDER
"""
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import time
import urllib.request

HEADLESS, WORK = sys.argv[1], os.path.abspath(sys.argv[2])
FOLDER_ID = "velmora"
DEADLINE_S = 60  # for each wait on the two instances


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def utf16_lines(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-16-le").split("\r\n")


class Instance:
    def __init__(self, name):
        self.name = name
        self.home = os.path.join(WORK, name + "-home")
        self.data = os.path.join(WORK, name + "-data")
        self.port = free_port()
        self.gui = free_port()
        self.key = "velmora-test-key-" + name
        subprocess.run(["syncthing", "generate", "--home=" + self.home, "--no-default-folder"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        config = open(os.path.join(self.home, "config.xml")).read()
        self.device = re.search(r'<device id="([^"]+)"', config).group(1)
        self.process = None

    def write_config(self, other):
        devices = "".join(
            f'<device id="{i.device}" name="{i.name}" compression="metadata" introducer="false">'
            f"<address>tcp://127.0.0.1:{i.port}</address><autoAcceptFolders>false</autoAcceptFolders>"
            "</device>" for i in (self, other))
        folder_devices = "".join(f'<device id="{i.device}"></device>' for i in (self, other))
        config = f"""<configuration version="36">
<folder id="{FOLDER_ID}" label="velmora" path="{self.data}" type="sendreceive" rescanIntervalS="3600"
 fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="false" autoNormalize="true">
{folder_devices}<maxConflicts>10</maxConflicts><markerName>.stfolder</markerName></folder>
{devices}
<gui enabled="true" tls="false"><address>127.0.0.1:{self.gui}</address><apikey>{self.key}</apikey>
<insecureAdminAccess>false</insecureAdminAccess><theme>default</theme></gui>
<options>
<listenAddress>tcp://127.0.0.1:{self.port}</listenAddress>
<globalAnnounceServer>default</globalAnnounceServer>
<globalAnnounceEnabled>false</globalAnnounceEnabled>
<localAnnounceEnabled>false</localAnnounceEnabled>
<localAnnouncePort>21027</localAnnouncePort>
<relaysEnabled>false</relaysEnabled>
<natEnabled>false</natEnabled>
<startBrowser>false</startBrowser>
<urAccepted>-1</urAccepted>
<urSeen>3</urSeen>
<crashReportingEnabled>false</crashReportingEnabled>
<autoUpgradeIntervalH>0</autoUpgradeIntervalH>
<announceLANAddresses>false</announceLANAddresses>
<stunKeepaliveStartS>0</stunKeepaliveStartS>
<stunKeepaliveMinS>0</stunKeepaliveMinS>
<releasesURL></releasesURL>
</options>
</configuration>
"""
        with open(os.path.join(self.home, "config.xml"), "w") as f:
            f.write(config)

    def start(self):
        env = dict(os.environ, STNODEFAULTFOLDER="1", STNOUPGRADE="1", STNORESTART="1")
        self.log = open(os.path.join(WORK, self.name + "-syncthing.log"), "w")
        self.process = subprocess.Popen(
            ["syncthing", "serve", "--home=" + self.home, "--no-browser", "--no-restart",
             "--no-upgrade"], env=env, stdout=self.log, stderr=subprocess.STDOUT)

    def rest(self, method, path):
        request = urllib.request.Request(f"http://127.0.0.1:{self.gui}{path}", method=method,
                                         headers={"X-API-Key": self.key})
        with urllib.request.urlopen(request, timeout=5) as answer:
            body = answer.read()
            return json.loads(body) if body else None

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def wait_for(what, test):
    end = time.monotonic() + DEADLINE_S
    while time.monotonic() < end:
        try:
            if test():
                return
        except OSError:
            pass
        time.sleep(0.3)
    raise SystemExit(f"two_machines: timed out waiting for {what}")


def connected(a, b):
    return a.rest("GET", "/rest/system/connections")["connections"].get(b.device, {}).get(
        "connected", False)


def in_step(a, b):
    """Both scanned, idle, nothing needed, each complete for the other."""
    for one in (a, b):
        one.rest("POST", f"/rest/db/scan?folder={FOLDER_ID}")

    def settled():
        for one, other in ((a, b), (b, a)):
            status = one.rest("GET", f"/rest/db/status?folder={FOLDER_ID}")
            if status["state"] != "idle" or status["needFiles"] != 0:
                return False
            done = one.rest("GET", f"/rest/db/completion?folder={FOLDER_ID}&device={other.device}")
            if done["completion"] != 100:
                return False
        return histories_equal(a, b)

    wait_for("the folders to be in step", settled)


def histories_equal(a, b):
    paths = [os.path.join(i.data, "units", "history.txt") for i in (a, b)]
    return all(os.path.exists(p) for p in paths) and open(paths[0], "rb").read() == open(
        paths[1], "rb").read()


class Session:
    """One velmora-headless on a data folder, driven line by line."""

    def __init__(self, instance):
        self.process = subprocess.Popen([HEADLESS, "--dir", instance.data], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, encoding="utf-8")
        self.messages = []

    def send(self, *commands):
        """Sends the commands, then a dump; returns the dump once all were handled."""
        for command in commands + ("dump",):
            self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        while True:
            line = self.process.stdout.readline()
            if not line:
                raise SystemExit("two_machines: velmora-headless ended early")
            answer = json.loads(line)
            if "message" in answer:
                self.messages.append(answer["message"])
            if "controls" in answer:
                return answer

    def close(self):
        self.process.stdin.write("close\n")
        self.process.stdin.close()
        self.process.stdout.read()
        if self.process.wait(timeout=30) != 0:
            raise SystemExit("two_machines: velmora-headless failed")


def entries_of(instance, day):
    """The entry names of `day` (0 = Monday) in the last week of the side's history."""
    lines = utf16_lines(os.path.join(instance.data, "units", "history.txt"))
    text = lines[-16 + 2 + 2 * day]
    return [entry.split("|")[0] for entry in text.split("\\") if entry.strip()]


def conflict_copies(instance):
    return [name for name in os.listdir(os.path.join(instance.data, "units"))
            if "conflict" in name]


def add_on(session, day, unit_row):
    """Chooses the day and a unit of the starter catalogue, adds it and saves."""
    return session.send(f"select 12 {day}", f"select 4 {unit_row}", "click 2", "click 16")


def main():
    if os.path.exists(WORK):
        shutil.rmtree(WORK)
    os.makedirs(WORK)
    started = time.monotonic()
    a, b = Instance("a"), Instance("b")
    try:
        # Both machines start from the same folder, with the lines README gives for .stignore.
        Session(a).close()
        shutil.copytree(a.data, b.data, symlinks=True)
        for one in (a, b):
            with open(os.path.join(one.data, ".stignore"), "w") as f:
                f.write(".velmora.lock\n*.velmora-*.tmp\n")
            os.makedirs(os.path.join(one.data, ".stfolder"), exist_ok=True)
            one.write_config(b if one is a else a)
            one.start()
        wait_for("the REST APIs", lambda: a.rest("GET", "/rest/system/ping") and b.rest(
            "GET", "/rest/system/ping"))
        wait_for("the two devices to connect", lambda: connected(a, b) and connected(b, a))
        in_step(a, b)

        # Phase 1: both sessions open, both online.
        on_a, on_b = Session(a), Session(b)
        add_on(on_a, 0, 0)               # A: Monday, saved
        in_step(a, b)                    # A's file is on B now; B still holds its older copy
        add_on(on_b, 1, 1)               # B: Tuesday, saved: merges A's Monday in
        assert any("elsewhere" in m["text"] or "anderer" in m["text"] for m in on_b.messages), \
            on_b.messages
        in_step(a, b)
        dump = on_a.send("activate", "select 12 1")  # A takes B's file in, no box
        rows = next(c for c in dump["controls"] if c["id"] == 10)["items"]
        assert len(rows) == 1, rows
        on_a.close()
        on_b.close()
        for one in (a, b):
            assert len(entries_of(one, 0)) == 1 and len(entries_of(one, 1)) == 1, one.name

        # Phase 2: offline, both save Wednesday: one side's file becomes a conflict copy.
        for one in (a, b):
            one.rest("POST", "/rest/system/pause")
        wait_for("the devices to part", lambda: not connected(a, b) and not connected(b, a))
        for one, unit in ((a, 2), (b, 3)):
            session = Session(one)
            add_on(session, 2, unit)
            session.close()
        for one in (a, b):
            one.rest("POST", "/rest/system/resume")
        wait_for("the devices to meet again", lambda: connected(a, b) and connected(b, a))
        wait_for("the conflict copy", lambda: conflict_copies(a) or conflict_copies(b))
        in_step(a, b)
        for one in (a, b):
            session = Session(one)
            session.send("click 16")     # the start merged any copy; the save moves it away
            session.close()
            in_step(a, b)
        for one in (a, b):
            assert not conflict_copies(one), (one.name, conflict_copies(one))
            assert len(entries_of(one, 0)) == 1, one.name
            assert len(entries_of(one, 1)) == 1, one.name
            assert len(entries_of(one, 2)) == 2, (one.name, entries_of(one, 2))
        merged = os.path.join(a.data, "units", "backup", "merged")
        assert os.listdir(merged), "the merged copy is kept, never deleted"
        print(f"two_machines: both folders hold every edit, no conflict copy "
              f"({time.monotonic() - started:.1f} s)")
    finally:
        a.stop()
        b.stop()


if __name__ == "__main__":
    main()

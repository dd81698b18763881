# SPDX-License-Identifier: GPL-3.0-or-later
# The accessible names of a running Windows exe under Wine, for tests/windows/run_cases.py.
# Wine 8's oleacc stores no annotation (IAccPropServices answers E_NOTIMPL), so what the exe
# hands to oleacc is read from Wine's own record of the calls (WINE_DEBUG makes it write one
# line per call), and what oleacc reports of each control from the MSAA probe
# (velmora_msaa_probe.exe, VELMORA_MSAA_PROBE). Starting the exe is left to the case runner.
import os
import re
import subprocess

# Makes Wine write its oleacc fixme lines: the annotation calls with their arguments.
WINE_DEBUG = "-all,fixme+oleacc"
# The built-in German texts: the name each control is given (tests/app checks the rule in
# German and English; here only what reaches oleacc), and the pictures' descriptions.
NAMES = {
    0: "Trainingsplan", 1: "Einträge bearbeiten", 4: "Trainingseinheit", 6: "Anzahl:",
    7: "Anzahl: x", 8: "Name:", 9: "Beschreibung:", 10: "Einträge des Tages", 11: "Woche",
    12: "Tag", 14: "Kleines Bild", 15: "Großes Bild",
}
DESCRIPTIONS = {
    14: "Du kannst das Bild SmallImage.png im Ordner 'media' ändern!",
    15: "Du kannst das Bild BigImage.png im Ordner 'media' ändern!",
}
# Buttons and labels keep their own text as name: oleacc reads it from the window.
OWN_TEXTS = {
    16: "Speichern", 2: "Trainingseinheit hinzufügen", 3: "Neue Erstellen", 13: "Löschen",
    5: "Anzahl:", 17: "x", 18: "Beschreibung:", 19: "Name:",
}
NAME_PROPERTY = "{608d3df8-8128-4aa7-a428-f55e49267291}"
DESCRIPTION_PROPERTY = "{4d48dfe4-bd3f-491f-a648-492d6f20c588}"
OBJID_CLIENT = 4294967292  # as the unsigned DWORD oleacc is handed
SET_CALL = re.compile(r'SetHwndPropStr \(([0-9A-Fa-f]+) (\d+) (\d+) (\{[-0-9a-f]+\}) '
                      r'L"((?:[^"\\]|\\.)*)"\)')
CLEAR_CALL = re.compile(r"ClearHwndProps \(([0-9A-Fa-f]+) (\d+) (\d+) ")


def wine_string(literal):
    """A string as Wine's debug output writes it: \\\\, \\", \\n, \\r, \\t and \\XXXX."""
    def unescape(match):
        escape = match.group(1)
        return {"n": "\n", "r": "\r", "t": "\t"}.get(escape, escape) if len(escape) == 1 \
            else chr(int(escape, 16))
    return re.sub(r"\\([0-9a-fA-F]{4}|.)", unescape, literal)


def probe_text(escaped):
    """A text as the probe writes it: \\t, \\n and \\\\ escaped."""
    return re.sub(r"\\(.)", lambda match: {"t": "\t", "n": "\n"}.get(match.group(1),
                                                                   match.group(1)), escaped)


def probe_controls(folder):
    """What MSAA reports of each control, as ({id: (window, class, result of
    AccessibleObjectFromWindow, role, name, description)}, None), or (None, problem)."""
    probe = os.environ.get("VELMORA_MSAA_PROBE")
    if not probe or not os.path.exists(probe):
        return None, "no MSAA probe (VELMORA_MSAA_PROBE=%r)" % probe
    report = os.path.join(folder, "msaa.txt")
    loader = os.environ.get("VELMORA_PROBE_WINE", "wine")
    environment = dict(os.environ, WINEDEBUG="-all", WINELOADER=loader)
    # Into a file, not a pipe: Wine's helper processes keep inherited pipes open.
    with open(os.path.join(folder, "probe.log"), "wb") as log:
        status = subprocess.run([loader, probe, "msaa.txt"], cwd=folder, stdout=log,
                                stderr=subprocess.STDOUT, env=environment,
                                timeout=120).returncode
    if status != 0 or not os.path.exists(report):
        return None, "the MSAA probe ended with status %d" % status
    controls = {}
    with open(report, "rb") as handle:
        lines = handle.read().decode("utf-8").splitlines()
    for line in lines:
        fields = line.split("\t")
        control = int(fields[0])
        if control in controls:
            return None, "the probe found control %d twice" % control
        controls[control] = (int(fields[1], 16), fields[2], int(fields[3], 16), int(fields[4]),
                             probe_text(fields[5]), probe_text(fields[6]))
    return controls, None


def annotation_calls(log_text):
    """(window, property, text) of each SetHwndPropStr the exe made on a control's client
    object, the windows of each ClearHwndProps, and the calls on any other object."""
    calls, cleared, others = [], [], []
    for window, object_id, child, prop, literal in SET_CALL.findall(log_text):
        if int(object_id) != OBJID_CLIENT or int(child) != 0:
            others.append("SetHwndPropStr(%s, %s, %s)" % (window, object_id, child))
            continue
        calls.append((int(window, 16), prop, wine_string(literal)))
    for window, object_id, child in CLEAR_CALL.findall(log_text):
        if int(object_id) != OBJID_CLIENT or int(child) != 0:
            others.append("ClearHwndProps(%s, %s, %s)" % (window, object_id, child))
            continue
        cleared.append(int(window, 16))
    return calls, cleared, others


def check_names(controls, log_text):
    """The problems found: every name and description handed to oleacc once, for the right
    control, cleared once at the end; the buttons and labels named by their own text."""
    if sorted(controls) != list(range(20)):
        return ["the probe found the controls %r" % sorted(controls)]
    problems = []
    calls, cleared, others = annotation_calls(log_text)
    if others:
        problems.append("annotations of other objects: %s" % ", ".join(others))
    id_of = {window: control for control, (window, *_rest) in controls.items()}
    handed = {NAME_PROPERTY: {}, DESCRIPTION_PROPERTY: {}}
    for window, prop, text in calls:
        if window not in id_of or prop not in handed or id_of[window] in handed[prop]:
            problems.append("property %s of window %x: unknown, twice or no control"
                            % (prop, window))
            continue
        handed[prop][id_of[window]] = text
    if handed[NAME_PROPERTY] != NAMES:
        problems.append("names handed to oleacc: %r" % handed[NAME_PROPERTY])
    if handed[DESCRIPTION_PROPERTY] != DESCRIPTIONS:
        problems.append("descriptions handed to oleacc: %r" % handed[DESCRIPTION_PROPERTY])
    annotated = sorted(controls[control][0] for control in NAMES)
    if sorted(cleared) != annotated:
        problems.append("ClearHwndProps at the end for %r, expected each of %r once"
                        % (sorted(cleared), annotated))
    for control, text in OWN_TEXTS.items():
        if controls[control][4] != text:
            problems.append("oleacc names control %d %r, expected its own text %r"
                            % (control, controls[control][4], text))
    return problems

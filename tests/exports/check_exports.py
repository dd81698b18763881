#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the three export files of a folder back with real parsers and checks them against
the folder's expected.json (written with them by velmora_export_sample):

  training.csv  Python's csv module (utf-8-sig): header, columns, rows, dates, names
  training.ics  python3-icalendar: events, UIDs, all-day dates, summaries, descriptions;
                raw bytes: CRLF only, no physical line over 75 octets
  report.html   xmllint: well-formed XML; every <svg> valid against the SVG 1.1 DTD;
                no script, no network reference; the names and texts present
  chromium --headless --screenshot of the report: not blank

Usage: check_exports.py FOLDER [--screenshot PNG]
Exit status 0 when every check passes; each failure is printed.
"""
import argparse
import csv
import datetime
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import icalendar

SVG_DTD = "/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-SVG11-20110816/svg11.dtd"
ALLOWED_URIS = {"http://www.w3.org/1999/xhtml", "http://www.w3.org/2000/svg"}
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--hide-scrollbars"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def shown_name(name):
    """A unit name as the report and the calendar show it: without outer spaces."""
    return name.strip(" ")


def csv_name(name):
    """A name as the CSV holds it: a leading ' before what a spreadsheet takes for a formula."""
    return "'" + name if name[:1] in ("=", "+", "-", "@", "\t", "\r") else name


def check_csv(path, expected):
    data = open(path, "rb").read()
    check(data.startswith(b"\xef\xbb\xbf"), "CSV: no UTF-8 byte order mark")
    check(data.endswith(b"\r\n"), "CSV: last row not ended by CRLF")
    check(data.count(b"\n") == data.count(b"\r\n"), "CSV: a line end that is not CRLF")
    text = data.decode("utf-8-sig")
    rows = list(csv.reader(io.StringIO(text, newline="")))
    check(rows and rows[0] == expected["columns"], "CSV: header %r" % (rows[:1],))
    body = rows[1:]
    check(len(body) == expected["rows"], "CSV: %d rows, expected %d" % (len(body), expected["rows"]))
    weeks = {(number, monday) for number, monday in expected["weeks"]}
    # A day text loses its outer spaces, so the first and last name of a day may lose theirs.
    names = {csv_name(variant) for name in expected["names"]
             for variant in (name, name.lstrip(" "), name.rstrip(" "), name.strip(" "))}
    by_date = {}
    for line, row in enumerate(body, start=2):
        if not check(len(row) == 8, "CSV line %d: %d fields" % (line, len(row))):
            continue
        week, monday, day, weekday, unit, count1, count2, description = row
        check((int(week), monday) in weeks, "CSV line %d: week %s on %s" % (line, week, monday))
        monday_date = datetime.date.fromisoformat(monday)
        day_date = datetime.date.fromisoformat(day)
        check(monday_date.weekday() == 0, "CSV line %d: %s is no Monday" % (line, monday))
        offset = (day_date - monday_date).days
        check(0 <= offset <= 6 and weekday == expected["weekdays"][offset],
              "CSV line %d: %s %s in the week of %s" % (line, weekday, day, monday))
        check(unit in names, "CSV line %d: unknown unit %r" % (line, unit))
        check(count1.lstrip("-").isdigit() and count2.lstrip("-").isdigit(),
              "CSV line %d: counts %r %r" % (line, count1, count2))
        by_date.setdefault(day_date, []).append(unit)
    for name in expected["names"]:
        check(csv_name(name) in {row[4] for row in body if len(row) == 8},
              "CSV: unit %r never read back" % name)
    check(expected["longDescription"] in {row[7] for row in body if len(row) == 8},
          "CSV: the 200-character description was not read back whole")
    return by_date


def check_ics(path, expected, csv_days):
    data = open(path, "rb").read()
    check(data.count(b"\n") == data.count(b"\r\n"), "ICS: a line end that is not CRLF")
    for number, line in enumerate(data.split(b"\r\n"), start=1):
        check(len(line) <= 75, "ICS line %d: %d octets" % (number, len(line)))
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        check(False, "ICS: not UTF-8 (%s)" % error)
    calendar = icalendar.Calendar.from_ical(data)
    check(str(calendar.get("VERSION")) == "2.0", "ICS: VERSION is not 2.0")
    check(calendar.get("PRODID") is not None, "ICS: no PRODID")
    events = list(calendar.walk("VEVENT"))
    check(len(events) == expected["events"],
          "ICS: %d events, expected %d" % (len(events), expected["events"]))
    uids = [str(event.get("UID")) for event in events]
    check(len(set(uids)) == len(uids), "ICS: repeated UIDs")
    dates = set()
    for event in events:
        start = event.decoded("DTSTART")
        end = event.decoded("DTEND")
        uid = str(event.get("UID"))
        if not check(type(start) is datetime.date and type(end) is datetime.date,
                     "ICS %s: not an all-day event" % uid):
            continue
        check(end - start == datetime.timedelta(days=1), "ICS %s: does not last one day" % uid)
        check(uid == "velmora-%s@velmora" % start.strftime("%Y%m%d"), "ICS %s: UID" % uid)
        check(event.get("DTSTAMP") is not None, "ICS %s: no DTSTAMP" % uid)
        dates.add(start)
        units = csv_days.get(start, [])
        description = str(event.get("DESCRIPTION"))
        summary = str(event.get("SUMMARY"))
        check(len(description.split("\n")) == len(units),
              "ICS %s: %d description lines for %d entries"
              % (uid, len(description.split("\n")), len(units)))
        for unit in units:
            name = shown_name(unit[1:] if unit.startswith("'=") else unit)
            check(name in summary, "ICS %s: %r missing from the summary %r" % (uid, name, summary))
    check(dates == set(csv_days), "ICS: event days differ from the CSV's days")


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def check_html(path, expected, workdir):
    result = run(["xmllint", "--noout", "--nonet", path])
    check(result.returncode == 0, "HTML: not well-formed XML: " + result.stderr.strip()[:2000])
    text = open(path, encoding="utf-8").read()
    check("<script" not in text.lower(), "HTML: holds a script")
    for uri in re.findall(r"""[a-z][a-z0-9+.-]*://[^"'\s<>)]*""", text, re.I):
        check(uri in ALLOWED_URIS, "HTML: refers to %s" % uri)
    check(not re.search(r"""\s(src|href)\s*=""", text, re.I), "HTML: loads a resource")
    svgs = re.findall(r"<svg\b.*?</svg>", text, re.S)
    check(len(svgs) >= 2, "HTML: %d charts" % len(svgs))
    for number, svg in enumerate(svgs):
        svg_path = os.path.join(workdir, "chart-%d.svg" % number)
        with open(svg_path, "w", encoding="utf-8") as file:
            file.write('<?xml version="1.0" encoding="UTF-8"?>\n' + svg)
        result = run(["xmllint", "--noout", "--nonet", "--dtdvalid", SVG_DTD, svg_path])
        check(result.returncode == 0,
              "SVG %d: not valid SVG 1.1: %s" % (number, result.stderr.strip()[:2000]))
    try:
        root = ElementTree.parse(path).getroot()
    except ElementTree.ParseError as error:
        check(False, "HTML: %s" % error)
        return
    words = " ".join(root.itertext())
    check(expected["title"] in words, "HTML: no title %r" % expected["title"])
    for name in expected["names"]:
        check(shown_name(name) in words, "HTML: unit %r not shown" % name)


def check_screenshot(path, workdir, target):
    browser = shutil.which("chromium")
    if not check(browser is not None, "chromium is not installed"):
        return
    profile = tempfile.mkdtemp(dir=workdir)
    result = run([browser, *CHROMIUM_FLAGS, "--user-data-dir=" + profile,
                  "--window-size=1200,1600", "--screenshot=" + target,
                  "file://" + os.path.abspath(path)], timeout=120)
    if not check(result.returncode == 0 and os.path.exists(target),
                 "chromium made no screenshot: " + result.stderr.strip()[-2000:]):
        return
    result = run(["identify", "-format", "%w %h %k %[fx:standard_deviation]", target])
    if not check(result.returncode == 0, "identify: " + result.stderr.strip()):
        return
    width, height, colours, deviation = result.stdout.split()
    check((int(width), int(height)) == (1200, 1600), "screenshot is %sx%s" % (width, height))
    # A blank page has one colour; text alone a few hundred shades of grey; the charts more.
    check(int(colours) >= 1000, "screenshot has only %s colours" % colours)
    check(float(deviation) >= 0.05, "screenshot is nearly uniform (%s)" % deviation)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--screenshot", help="where to keep the screenshot of the report")
    options = parser.parse_args()
    folder = options.folder
    expected = json.load(open(os.path.join(folder, "expected.json"), encoding="utf-8"))
    with tempfile.TemporaryDirectory() as workdir:
        csv_days = check_csv(os.path.join(folder, "training.csv"), expected)
        check_ics(os.path.join(folder, "training.ics"), expected, csv_days)
        check_html(os.path.join(folder, "report.html"), expected, workdir)
        check_screenshot(os.path.join(folder, "report.html"), workdir,
                         options.screenshot or os.path.join(workdir, "screenshot.png"))
    for failure in failures:
        print("FAIL " + failure)
    print("export checks: %s" % ("all passed" if not failures else "%d failed" % len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

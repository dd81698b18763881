#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the sample export files into FOLDER (fresh) and checks them with check_exports.py.
#   run_export_check.sh SAMPLE_PROGRAM FOLDER LANGUAGE_FILE
set -eu
program=$1
folder=$2
language=$3
rm -rf "$folder"
mkdir -p "$folder"
VELMORA_EXPORT_DIR=$folder VELMORA_EXPORT_LANGUAGE=$language "$program"
# Debian's interpreter: python3-icalendar is installed for it, not for any other python.
exec /usr/bin/python3 "$(dirname "$0")/check_exports.py" "$folder" \
    --screenshot "$folder/screenshot-report.png"

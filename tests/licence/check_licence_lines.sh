#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the repository names its licence in its opening lines, and the licence
# text stands at the root: fails with the files that do not.
set -eu
root=$1
cd "$root"
grep -q "GNU GENERAL PUBLIC LICENSE" COPYING || { echo "COPYING holds no GPL text"; exit 1; }
missing=$(find src tests fuzz bench cmake scripts assets CMakeLists.txt \
    -path fuzz/corpus -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' -o -name '*.cmake' \
    -o -name CMakeLists.txt -o -name '*.rc.in' -o -name '*.manifest' -o -path 'scripts/*' \) \
    -print | sort | while read -r file; do
    head -n 6 "$file" | grep -q "SPDX-License-Identifier: GPL-3.0-or-later" || echo "$file"
done)
for file in bench/run fuzz/run packaging/velmora.1.in; do
    head -n 6 "$file" | grep -q "SPDX-License-Identifier: GPL-3.0-or-later" ||
        missing="$missing $file"
done
if [ -n "$(echo "$missing" | tr -d ' ')" ]; then
    echo "no SPDX-License-Identifier line in the opening lines of:"
    echo "$missing"
    exit 1
fi
echo "every source file names its licence"

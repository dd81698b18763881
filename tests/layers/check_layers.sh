#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds each layer probe of tests/layers/CMakeLists.txt and checks the outcome: "refused"
# probes must fail because their header is not found, "builds" probes must build.
# Usage: check_layers.sh BUILD_DIR TARGET:HEADER:EXPECTED...
build=$1
shift
failed=0
for probe in "$@"; do
    target=${probe%%:*}
    rest=${probe#*:}
    header=${rest%%:*}
    expected=${rest#*:}
    output=$(cmake --build "$build" --target "$target" 2>&1)
    status=$?
    if [ "$expected" = builds ]; then
        if [ $status -ne 0 ]; then
            echo "FAIL $target: a header of a lower layer did not build"
            echo "$output" | tail -n 5
            failed=1
        else
            echo "ok   $target: $header builds"
        fi
    elif [ $status -eq 0 ]; then
        echo "FAIL $target: $header was reachable"
        failed=1
    elif ! echo "$output" | grep -q "$header: No such file or directory"; then
        echo "FAIL $target: failed for another reason than the missing $header"
        echo "$output" | tail -n 5
        failed=1
    else
        echo "ok   $target: $header refused"
    fi
done
exit $failed

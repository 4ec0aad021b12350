#!/usr/bin/env bash
# Runs the Windows tests of a cross build through Wine; called inside Xvfb by scripts/test.sh.
# The GUI tests share one desktop and one keyboard, so they run one at a time.
#   wine-tests.sh <build> <prefix> [<go file>]
# With a go file, Wine is made ready first and the tests wait until the file says "go" (the
# test script writes it once the test programs are built; anything else ends the run).
set -uo pipefail
build=$1 prefix=$2 go=${3:-}
. "$(dirname "$0")/wine-env.sh"
wine_start "$prefix" yes
if [ -n "$go" ]; then
    while [ ! -s "$go" ]; do sleep 0.2; done
    if [ "$(cat "$go")" != go ]; then
        wine_stop
        exit 1
    fi
    wine_fresh
fi
ctest --test-dir "$build" --output-on-failure
rc=$?
wine_stop
exit $rc

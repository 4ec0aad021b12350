#!/usr/bin/env bash
# Runs the Windows tests of a cross build through Wine; called inside Xvfb by scripts/test.sh.
# The GUI tests share one desktop and one keyboard, so they run one at a time.
set -uo pipefail
build=$1 prefix=$2
. "$(dirname "$0")/wine-env.sh"
wine_start "$prefix" yes
ctest --test-dir "$build" --output-on-failure
rc=$?
wine_stop
exit $rc

#!/usr/bin/env bash
# run-e2e.sh PREFIX PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine in PREFIX on a private Xvfb of its own, and ends the
# prefix's wineserver (and with it Wine's desktop process) before that display goes away: Wine
# keeps its desktop bound to the display it first saw, so the next run, on a fresh display,
# must find no server left from this one. Runs in the same prefix take turns, also across
# separate ctest invocations, as they share its desktop and its input. Exits with the
# program's exit code.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts=$here/../../scripts
if [ -z "${QUORVANE_E2E_ON_DISPLAY:-}" ]; then
  QUORVANE_E2E_ON_DISPLAY=1 exec "$scripts/with-xvfb.sh" "$0" "$@"
fi
# Wine wants an absolute prefix path.
prefix=$(realpath -m "$1")
shift
mkdir -p "$(dirname "$prefix")"
exec 8>"$prefix.run.lock"
flock 8
"$scripts/wine-run.sh" "$prefix" "$@"
code=$?
WINEPREFIX=$prefix wineserver -k 2>/dev/null
WINEPREFIX=$prefix timeout 10 wineserver -w 2>/dev/null
exit "$code"

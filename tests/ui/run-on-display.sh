#!/usr/bin/env bash
# run-on-display.sh PREFIX PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine in PREFIX on a private Xvfb and exits with its exit code.
# Its output is passed on through a file once it has ended: Wine's helper processes outlive the
# program by seconds, and a pipe they inherited would keep ctest waiting for them.
set -uo pipefail
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$scripts/with-xvfb.sh" "$scripts/wine-run.sh" "$@" >"$output" 2>&1 </dev/null
code=$?
cat "$output"
exit "$code"

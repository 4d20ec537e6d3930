#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine in the given prefix (made on first use), with a persistent
# wineserver so that consecutive runs start warm, and always under a time limit: a Wine GUI
# program without a usable display hangs rather than fails.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# Keeps the server alive for a few seconds after the last program ends; a server that is
# already running makes this one exit at once.
wineserver -p5 >/dev/null 2>&1 || true
exec timeout --kill-after=5 "${QUORVANE_WINE_TIMEOUT:-240}" wine "$@"

#!/usr/bin/env bash
# with-xvfb.sh COMMAND [ARGS...]
# Runs COMMAND with DISPLAY set to a private Xvfb server that is started for it alone and ended
# when it returns; exits with COMMAND's exit code. The screen is 1024x768x24 unless
# QUORVANE_XVFB_SCREEN says otherwise (e.g. 1920x1080x24).
set -uo pipefail
screen=${QUORVANE_XVFB_SCREEN:-1024x768x24}
dir=$(mktemp -d)
mkfifo "$dir/display"
# -displayfd picks a free display number and writes it once the server accepts connections.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$dir/display" >/dev/null 2>&1 &
xvfb=$!
stop() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap stop EXIT
if ! read -r -t 20 number <"$dir/display"; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=:$number "$@"

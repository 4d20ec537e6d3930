#!/usr/bin/env bash
# run.sh [--screenshot FILE]
# Installs what is missing, builds quorvane.exe and runs it under Wine on your display.
# With --screenshot FILE it runs the program on a private Xvfb instead, waits until the window
# has been painted, saves a PNG of the window to FILE and closes the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

usage() {
  echo "usage: scripts/run.sh [--screenshot FILE]" >&2
  exit 2
}

screenshot=""
case $# in
  0) ;;
  2) [ "$1" = --screenshot ] || usage
     screenshot=$(realpath -m "$2") ;;
  *) usage ;;
esac

if [ -z "$screenshot" ] && [ -z "${DISPLAY:-}" ]; then
  echo "run: there is no display (DISPLAY is not set), so the window cannot be shown." >&2
  echo "run: start it from a graphical session, or use --screenshot FILE." >&2
  exit 1
fi

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quorvane

exe=build/windows/app/quorvane.exe
prefix=$PWD/build/windows/wineprefix

if [ -z "$screenshot" ]; then
  if ! xdpyinfo >/dev/null 2>&1; then
    echo "run: the display '$DISPLAY' cannot be opened, so the window cannot be shown." >&2
    exit 1
  fi
  # No time limit: the program runs until it is closed.
  QUORVANE_WINE_TIMEOUT=0 exec scripts/wine-run.sh "$prefix" "$exe"
fi

# Runs on the private Xvfb that with-xvfb.sh starts for it.
capture() {
  local exe=$1 prefix=$2 screenshot=$3
  local dir window="" code=0
  dir=$(mktemp -d)
  # Wine's messages go to a log, shown only when something goes wrong.
  QUORVANE_WINE_TIMEOUT=300 scripts/wine-run.sh "$prefix" "$exe" 2>"$dir/wine.log" &
  local program=$!

  # The window appears once Wine is up; on the first run that includes making the prefix.
  for _ in $(seq 1 1200); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"QuorvaneV2\.0"/ { print $1; exit }')
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "run: the window did not appear" >&2
    kill "$program" 2>/dev/null || true
    wait "$program" || true
    tail -n 20 "$dir/wine.log" >&2
    rm -rf "$dir"
    return 1
  fi

  # Painted: two captures in a row are the same and show more than a blank frame.
  local painted=""
  for attempt in $(seq 1 100); do
    if import -window "$window" "$dir/shot$((attempt % 2)).png" 2>/dev/null &&
       [ "$(identify -format %k "$dir/shot$((attempt % 2)).png")" -gt 50 ] &&
       [ -f "$dir/shot$(((attempt + 1) % 2)).png" ] &&
       cmp -s <(convert "$dir/shot0.png" rgb:-) <(convert "$dir/shot1.png" rgb:-); then
      painted=$dir/shot$((attempt % 2)).png
      break
    fi
    sleep 0.1
  done

  # Closed as by its close button: taskkill without /f asks the window to close.
  WINEPREFIX=$prefix WINEDEBUG=-all wine taskkill /im quorvane.exe >/dev/null 2>&1 || true
  wait "$program" || code=$?
  if [ -z "$painted" ]; then
    echo "run: the window was not painted" >&2
    tail -n 20 "$dir/wine.log" >&2
    rm -rf "$dir"
    return 1
  fi
  mkdir -p "$(dirname "$screenshot")"
  cp "$painted" "$screenshot"
  rm -rf "$dir"
  echo "run: saved $screenshot; quorvane.exe exited with code $code"
  return "$code"
}
export -f capture
exec scripts/with-xvfb.sh bash -c 'capture "$@"' capture "$exe" "$prefix" "$screenshot"

#!/usr/bin/env bash
# wine-prefix.sh PREFIX
# Makes a 64-bit Wine prefix once (about 13 s), set up for running the program and its tests
# without a window manager and with fonts that show Chinese text. Safe to call concurrently.
# What Wine prints while the prefix is made goes to PREFIX.log; when making it fails twice,
# the log and the facts that usually explain it are printed, and the exit code is not 0.
set -euo pipefail
prefix=$(realpath -m "$1")
# Names the set-up below: a prefix made by an earlier set-up is made again. Raise the number
# whenever the set-up changes.
ready=$prefix/.quorvane-ready-2
[ -f "$ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && exit 0

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log=$prefix.log

# One step of the set-up, without a display: wineboot then opens no window, and no step
# binds the prefix to a display that later tests do not have.
step() {
  local seconds=$1 rc=0
  shift
  echo "+ $*" >>"$log"
  env -u DISPLAY timeout --kill-after=5 "$seconds" "$@" >>"$log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || echo "wine-prefix: exit code $rc" >>"$log"
  return "$rc"
}

reg_add() { step 60 wine reg add "$@" /f; }

make_prefix() {
  rm -rf "$prefix"
  step 180 wineboot --init || return
  # Without a window manager Wine waits ~2 s for one on every hide of a window.
  reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N || return
  # Chinese text: the usual Chinese faces and the UI fonts fall back to WenQuanYi Micro Hei.
  local face
  for face in SimSun NSimSun 'Microsoft YaHei' SimHei; do
    reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' || return
  done
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' System; do
    reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' || return
  done
  # The caption buttons are drawn with Marlett; Debian's Wine keeps it out of the prefix.
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    step 10 cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" || return
  fi
  # The registry is written to disk when the server ends.
  step 60 wineserver -w || return
}

# A failed attempt may leave a server behind; end it before the prefix is removed.
end_server() { env -u DISPLAY timeout 30 wineserver -k >/dev/null 2>&1 || true; }

: >"$log"
for attempt in 1 2; do
  if make_prefix; then
    touch "$ready"
    exit 0
  fi
  end_server
  echo "wine-prefix: attempt $attempt to make $prefix failed" >&2
done

{
  echo "wine-prefix: could not make the Wine prefix $prefix; the end of $log:"
  tail -n 40 "$log" | sed 's/^/  | /'
  echo "  $(wine --version 2>&1), user $(id -un) ($(id -u)), HOME=${HOME:-unset}"
  echo "  free space: $(df -h --output=avail "$(dirname "$prefix")" | tail -n 1 | tr -d ' ')," \
    "address-space limit: $(ulimit -v)"
  ls -ld /tmp "/tmp/.wine-$(id -u)" "$(dirname "$prefix")" 2>&1 | sed 's/^/  /' || true
} >&2
exit 1

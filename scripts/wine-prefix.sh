#!/usr/bin/env bash
# wine-prefix.sh PREFIX
# Makes a 64-bit Wine prefix once (about 13 s), set up for running the program and its tests
# without a window manager and with fonts that show Chinese text. Safe to call concurrently.
set -euo pipefail
prefix=$(realpath -m "$1")
[ -f "$prefix/.quorvane-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.quorvane-ready" ] && exit 0

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$prefix"
# No DISPLAY while the prefix is made: wineboot then sets it up without opening any window.
env -u DISPLAY timeout 180 wineboot --init >/dev/null 2>&1
reg() { env -u DISPLAY timeout 60 wine reg add "$@" /f >/dev/null 2>&1; }
# Without a window manager Wine waits ~2 s for one on every hide of a window.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
# Chinese text: the usual Chinese faces and the UI fonts fall back to WenQuanYi Micro Hei.
for face in SimSun NSimSun 'Microsoft YaHei' SimHei; do
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei'
done
for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' System; do
  reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
    /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
done
# The caption buttons are drawn with Marlett; Debian's Wine keeps it out of the prefix.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
env -u DISPLAY timeout 60 wineserver -w || true
touch "$prefix/.quorvane-ready"

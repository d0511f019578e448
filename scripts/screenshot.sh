#!/usr/bin/env bash
# screenshot.sh BUILD_DIR PROGRAM.exe ARCH OUT.png [DPI [ARGUMENT...]]
# Runs a program under Wine (ARCH win32 or win64) on a private Xvfb display and
# saves a PNG of the screen. DPI (default 96) is the screen's scale, 144 for
# 150 %; each DPI has a prefix of its own. The arguments go to the program.
set -euo pipefail
build=$1
program=$2
arch=$3
out=$4
dpi=${5:-96}
shift $(( $# < 5 ? $# : 5 ))
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$(cd "$build" && pwd)/wine/desktop-$arch"
[ "$dpi" = 96 ] || prefix="$prefix-$dpi"
"$root/cmake/wine-prefix.sh" "$prefix" x11 "$arch" "$dpi"
source "$root/cmake/wine-env.sh"
wine_env "$prefix" "$arch"

display=:$((90 + RANDOM % 100))
# The screen grows with the scale, as a laptop's at 150 % has room for it.
Xvfb "$display" -screen 0 "$((1024 * dpi / 96))x$((768 * dpi / 96))x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$xvfb" >/dev/null 2>&1 || true
}
trap cleanup EXIT
sleep 1
"$WINE" "$program" "$@" </dev/null >/dev/null 2>&1 &
# Give Wine time to start its services and the program time to paint.
sleep ${SCREENSHOT_DELAY:-8}
import -window root "$out"
echo "screenshot saved to $out"

#!/usr/bin/env bash
# screenshot.sh BUILD_DIR PROGRAM.exe ARCH OUT.png
# Runs a program under Wine (ARCH win32 or win64) on a private Xvfb display and
# saves a PNG of the screen.
set -euo pipefail
build=$1
program=$2
arch=$3
out=$4
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$(cd "$build" && pwd)/wine/desktop-$arch"
"$root/cmake/wine-prefix.sh" "$prefix" x11 "$arch"
source "$root/cmake/wine-env.sh"
wine_env "$prefix" "$arch"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$xvfb" >/dev/null 2>&1 || true
}
trap cleanup EXIT
sleep 1
"$WINE" "$program" </dev/null >/dev/null 2>&1 &
# Give Wine time to start its services and the program time to paint.
sleep ${SCREENSHOT_DELAY:-8}
import -window root "$out"
echo "screenshot saved to $out"

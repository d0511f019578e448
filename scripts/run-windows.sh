#!/usr/bin/env bash
# run-windows.sh BUILD_DIR PROGRAM.exe ARCH
# Starts a built Windows program under Wine (ARCH win32 or win64) on the
# user's display, in a private prefix of the build tree that uses the X11 driver.
set -euo pipefail
build=$1
program=$2
arch=$3
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<TXT
There is no display (DISPLAY is not set), so the window has nowhere to appear.
Run it on a virtual display instead:
    xvfb-run -a -s '-screen 0 1280x1024x24' make run
or take a picture of it with:
    make screenshot
TXT
  exit 1
fi
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$(cd "$build" && pwd)/wine/desktop-$arch"
"$root/cmake/wine-prefix.sh" "$prefix" x11 "$arch"
source "$root/cmake/wine-env.sh"
wine_env "$prefix" "$arch"
exec "$WINE" "$program"

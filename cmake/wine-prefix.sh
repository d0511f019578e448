#!/usr/bin/env bash
# wine-prefix.sh PREFIX DRIVER ARCH [DPI]
# Creates a private Wine prefix once (never ~/.wine): no crash dialogs,
# unmanaged windows, Wine's own fonts, and the given graphics driver (null runs
# windows and dialogs without any X server, x11 shows them on DISPLAY). ARCH is
# win32 or win64. DPI (default 96) is the screen's, as Windows' display scale
# sets it (144 for 150 %); a prefix keeps the one it was made with.
set -euo pipefail
prefix=$1
driver=${2:-null}
arch=${3:-win32}
dpi=${4:-96}
source "$(dirname "$0")/wine-env.sh"
wine_env "$prefix" "$arch"
ready="$prefix/.prefix-ready-$driver-$arch-$dpi"
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && exit 0

"$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
rm -rf "$prefix"
(unset DISPLAY; "$WINE" wineboot -i) </dev/null >/dev/null 2>&1
"$WINESERVER" -w
reg() { "$WINE" reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
if [ "$driver" = null ]; then
  reg 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null
fi
if [ "$dpi" != 96 ]; then
  # Where Windows keeps the scale and where Wine reads it (winecfg's "Screen
  # resolution").
  reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
  reg 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi"
fi
# The driver is read when the server starts: it must not change under a running one.
"$WINESERVER" -w
fonts=$(dpkg -L fonts-wine 2>/dev/null | grep -E '\.(ttf|ttc|fon)$' || true)
if [ -n "$fonts" ]; then
  cp $fonts "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
fi
touch "$ready"

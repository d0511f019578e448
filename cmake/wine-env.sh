# Sourced by the Wine scripts: wine_env PREFIX ARCH (win32 or win64) exports
# the prefix and sets WINE and WINESERVER to that architecture's loader and
# server. Debian's /usr/bin/wine always prefers the 32-bit loader when it is
# installed, even where the kernel cannot run it, so the loaders are named.
wine_env() {
  export WINEPREFIX="$1" WINEARCH="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$2" = win64 ]; then
    WINE=/usr/lib/wine/wine64
    WINESERVER=/usr/lib/wine/wineserver64
  else
    WINE=/usr/lib/wine/wine
    WINESERVER=/usr/lib/wine/wineserver32
  fi
  export WINELOADER="$WINE" WINESERVER
}

# Prints win32 when this machine can run 32-bit x86 code (and so 32-bit Wine),
# win64 otherwise: some kernels run 64-bit user code only.
wine_native_arch() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

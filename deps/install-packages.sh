#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent: a
# machine that already has everything only pays for a few dpkg queries.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev clang libclang-rt-14-dev clang-format
  wine wine32:i386 wine64 fonts-wine xvfb xauth imagemagick unzip
  # msgfmt and msgcmp check dattool's PO files (tests, make check-real-translations).
  gettext
  # The licence texts that the zip for users carries (packaging/CMakeLists.txt).
  libfreeimage3 libpng16-16 libjpeg62-turbo libtiff6 libwebp7 libopenjp2-7 libimath-3-1-29
)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-packages: missing packages and not root; run as root or install: $*" >&2
    exit 1
  fi
}

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  missing+=(i386-architecture)
fi
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
  [ "${status:0:2}" = "ii" ] || missing+=("$p")
done
# Source packages for the Windows build of FreeImage come through deb-src.
have_src=1
grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ || have_src=0

if [ ${#missing[@]} -eq 0 ] && [ $have_src -eq 1 ]; then
  exit 0
fi
need_root "${missing[@]}"

export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386
if [ $have_src -eq 0 ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -i -E 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  fi
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb ' /etc/apt/sources.list; then
    sed -n -E 's/^deb (.*)/deb-src \1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/project-deb-src.list
  fi
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${packages[@]}"

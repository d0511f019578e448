#!/usr/bin/env bash
# build.sh [i686|x86_64]
# Builds FreeImage.dll for Windows (32-bit x86 by default) from Debian's source
# packages and prints the install prefix (include/, lib/, bin/) as the last line.
#
# The result is cached outside the build tree, keyed by a hash of this recipe,
# so it is built once per machine:
#   ${PXA_DEPS_CACHE:-~/.cache/pxa-deps}/freeimage-<architecture>-<hash>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
arch=${1:-i686}
case "$arch" in
  i686 | x86_64) ;;
  *) echo "build.sh: unknown architecture $arch (i686 or x86_64)" >&2; exit 2 ;;
esac
toolchain="$root/cmake/mingw-$arch.cmake"
triplet="$arch-w64-mingw32"
cache=${PXA_DEPS_CACHE:-$HOME/.cache/pxa-deps}
hash=$(cat "$here/build.sh" "$here/CMakeLists.txt" "$here/missing_plugins.cpp" "$toolchain" "$root/cmake/mingw-common.cmake" | sha256sum | cut -c1-16)
prefix="$cache/freeimage-$arch-$hash"

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/freeimage-$arch.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "freeimage: $*" >&2; }
jobs=$(nproc 2>/dev/null || echo 2)
work="$cache/work-$arch-$hash"
rm -rf "$work"
mkdir -p "$work/src" "$work/build" "$work/codecs"

# apt-get source fetches the newest version it knows; when the archive no
# longer serves that one, fall back to the older versions it lists.
fetch() {
  local package=$1 version attempt
  for attempt in 1 2 3; do
    (cd "$work/src" && apt-get source -q "$package" >"$work/fetch-$package.log" 2>&1) && return 0
    for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV); do
      (cd "$work/src" && apt-get source -q "$package=$version" >>"$work/fetch-$package.log" 2>&1) && return 0
    done
    sleep $((attempt * 5))
  done
  tail -n 20 "$work/fetch-$package.log" >&2
  log "cannot fetch the source package $package"
  return 1
}
source_dir() { find "$work/src" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n 1; }

log "fetching sources"
for p in freeimage libpng1.6 libjpeg-turbo tiff libwebp openjpeg2 imath; do
  fetch "$p"
done

codec() {
  local name=$1 src=$2
  shift 2
  log "building $name"
  cmake -S "$src" -B "$work/build/$name" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$work/codecs" -DCMAKE_PREFIX_PATH="$work/codecs" \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
    -DCMAKE_C_FLAGS="-w" -DCMAKE_CXX_FLAGS="-w" "$@" >"$work/build/$name.log" 2>&1 \
    || { tail -n 30 "$work/build/$name.log" >&2; return 1; }
  cmake --build "$work/build/$name" -j "$jobs" >>"$work/build/$name.log" 2>&1 \
    && cmake --install "$work/build/$name" >>"$work/build/$name.log" 2>&1 \
    || { tail -n 30 "$work/build/$name.log" >&2; return 1; }
}

zlib=(-DZLIB_LIBRARY=/usr/$triplet/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$triplet/include)
codec png "$(source_dir libpng1.6)" "${zlib[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
codec jpeg "$(source_dir libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
codec tiff "$(source_dir tiff)" "${zlib[@]}" \
  -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
  -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=ON \
  -DJPEG_INCLUDE_DIR="$work/codecs/include" -DJPEG_LIBRARY="$work/codecs/lib/libjpeg.a"
codec webp "$(source_dir libwebp)" -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
  -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
  -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON
codec openjpeg "$(source_dir openjpeg2)" -DBUILD_CODEC=OFF -DBUILD_TESTING=OFF -DBUILD_STATIC_LIBS=ON
codec imath "$(source_dir imath)" -DBUILD_TESTING=OFF -DIMATH_HALF_USE_LOOKUP_TABLE=OFF -DIMATH_INSTALL_PKG_CONFIG=OFF

freeimage=$(source_dir freeimage)
# Debian's hardening of the BMP reader rejects every info header whose size is
# not 40, which refuses the V4 and V5 headers most tools write. Accept the
# header sizes the loader itself handles again.
bmp="$freeimage/Source/FreeImage/PluginBMP.cpp"
grep -q 'if (bih->biSize != sizeof(BITMAPINFOHEADER)) {' "$bmp" || { log "unexpected PluginBMP.cpp"; exit 1; }
sed -i 's/if (bih->biSize != sizeof(BITMAPINFOHEADER)) {/if (bih->biSize != 40 \&\& bih->biSize != 52 \&\& bih->biSize != 56 \&\& bih->biSize != 108 \&\& bih->biSize != 124) {/' "$bmp"

log "building FreeImage.dll"
rm -rf "$prefix"
cmake -S "$here" -B "$work/build/freeimage" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DFREEIMAGE_SOURCE="$freeimage" -DCODECS_PREFIX="$work/codecs" -DZLIB_STATIC="/usr/$triplet/lib/libz.a" \
  >"$work/build/freeimage.log" 2>&1 || { tail -n 30 "$work/build/freeimage.log" >&2; exit 1; }
cmake --build "$work/build/freeimage" -j "$jobs" >>"$work/build/freeimage.log" 2>&1 \
  && cmake --install "$work/build/freeimage" >>"$work/build/freeimage.log" 2>&1 \
  || { tail -n 40 "$work/build/freeimage.log" >&2; exit 1; }

rm -rf "$work"
touch "$prefix/.complete"
log "done: $prefix"
echo "$prefix"

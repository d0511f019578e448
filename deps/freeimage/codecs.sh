#!/usr/bin/env bash
# codecs.sh [i686|x86_64|host|fuzz]
# Builds the codecs FreeImage needs (zlib, libpng, libjpeg-turbo, libtiff,
# libwebp, OpenJPEG, Imath) as static libraries from Debian's source packages
# and prints their install prefix. Cached per target, keyed by a hash of this
# recipe: ${PXA_DEPS_CACHE:-~/.cache/pxa-deps}/codecs-<target>-<hash>
set -euo pipefail
source "$(dirname "$0")/target.sh"
source "$here/sources.sh"
cached_build codecs "$(recipe_hash "$here/codecs.sh" "$here/sources.sh")"

codec() {
  local name=$1 src=$2
  shift 2
  log "building $name ($target)"
  cmake -S "$src" -B "$work/build/$name" "${target_cmake[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" \
    >"$work/$name.log" 2>&1 || { tail -n 30 "$work/$name.log" >&2; return 1; }
  cmake --build "$work/build/$name" -j "$jobs" >>"$work/$name.log" 2>&1 \
    && cmake --install "$work/build/$name" >>"$work/$name.log" 2>&1 \
    || { tail -n 30 "$work/$name.log" >&2; return 1; }
}

# zlib's own build script, without CMake (whose file wants the Windows
# resources that Debian's sources leave out).
build_zlib() {
  local src
  src=$(unpack_source zlib "$work/src")
  log "building zlib ($target)"
  (cd "$src" && CC=$cc CFLAGS="$flags $optimise -fPIC" ./configure --static --prefix="$prefix" \
    && make -j "$jobs" libz.a && make install) >"$work/zlib.log" 2>&1 \
    || { tail -n 30 "$work/zlib.log" >&2; return 1; }
}

# Windows takes zlib from mingw's package; the other targets build it, so
# that the fuzz build instruments it too.
case "$target" in
  i686 | x86_64)
    triplet="$target-w64-mingw32"
    zlib=(-DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$triplet/include")
    ;;
  *)
    build_zlib
    zlib=(-DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include")
    ;;
esac
codec png "$(unpack_source libpng1.6 "$work/src")" "${zlib[@]}" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
codec jpeg "$(unpack_source libjpeg-turbo "$work/src")" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
codec tiff "$(unpack_source tiff "$work/src")" "${zlib[@]}" \
  -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
  -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=ON \
  -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a"
codec webp "$(unpack_source libwebp "$work/src")" -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
  -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
  -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON
codec openjpeg "$(unpack_source openjpeg2 "$work/src")" -DBUILD_CODEC=OFF -DBUILD_TESTING=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_SHARED_LIBS=OFF
codec imath "$(unpack_source imath "$work/src")" -DBUILD_TESTING=OFF -DIMATH_HALF_USE_LOOKUP_TABLE=OFF -DIMATH_INSTALL_PKG_CONFIG=OFF

rm -rf "$work"
touch "$prefix/.complete"
log "codecs done: $prefix"
echo "$prefix"

#!/usr/bin/env bash
# build.sh [i686|x86_64|host|fuzz]
# Builds FreeImage from Debian's source packages with the project's patches
# (patches/*.patch, applied in name order) and prints the install prefix
# (include/, lib/, and bin/ on Windows) as the last line:
#   i686, x86_64  FreeImage.dll for the Windows programs (i686 by default)
#   host          libfreeimage.so for the host build, its tests and tools
#   fuzz          libfreeimage.so with the sanitizers and fuzzing coverage
# The result is cached outside the build tree, keyed by a hash of this recipe,
# so each target is built once per machine:
#   ${PXA_DEPS_CACHE:-~/.cache/pxa-deps}/freeimage-<target>-<hash>
set -euo pipefail
source "$(dirname "$0")/target.sh"
source "$here/sources.sh"
codecs=$(bash "$here/codecs.sh" "$target" | tail -n 1)
recipe_inputs=$codecs
cached_build freeimage "$(recipe_hash "$here/build.sh" "$here/sources.sh" "$here/CMakeLists.txt" \
  "$here/missing_plugins.cpp" "$here"/patches/*.patch)"

freeimage=$(unpack_source freeimage "$work/src")
for patch in "$here"/patches/*.patch; do
  patch -d "$freeimage" -p1 --batch --forward -s <"$patch" >"$work/patch.log" 2>&1 \
    || { cat "$work/patch.log" >&2; log "cannot apply $(basename "$patch")"; exit 1; }
done

# FreeImage reads file structures through casts to wider types at any byte
# offset and steps row pointers past the ends of buffers (or from null) that
# it then does not use. Neither harms on x86, and neither is among the checks
# OSS-Fuzz runs by default, so the fuzz build leaves these two unchecked in
# FreeImage's own code; every read and write outside a buffer is still
# AddressSanitizer's to report.
[ "$target" = fuzz ] && flags+=" -fno-sanitize=alignment,pointer-overflow"

log "building FreeImage ($target)"
cmake -S "$here" -B "$work/build" "${target_cmake[@]}" -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DFREEIMAGE_SOURCE="$freeimage" -DCODECS_PREFIX="$codecs" \
  >"$work/freeimage.log" 2>&1 || { tail -n 30 "$work/freeimage.log" >&2; exit 1; }
cmake --build "$work/build" -j "$jobs" >>"$work/freeimage.log" 2>&1 \
  && cmake --install "$work/build" >>"$work/freeimage.log" 2>&1 \
  || { tail -n 40 "$work/freeimage.log" >&2; exit 1; }

rm -rf "$work"
touch "$prefix/.complete"
log "done: $prefix"
echo "$prefix"

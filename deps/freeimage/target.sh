# Sourced by codecs.sh and build.sh with the target as $1:
#   i686, x86_64  FreeImage.dll for Windows (mingw-w64 cross build)
#   host          libfreeimage.so for the host build, its tests and tools
#   fuzz          libfreeimage.so built with clang, AddressSanitizer,
#                 UndefinedBehaviorSanitizer and libFuzzer's coverage
# Every target builds the same sources with the same patches; only the
# compiler and its flags differ. Sets: target, here, root, cache, jobs, cc,
# flags, optimise,
# target_cmake (arguments for every CMake configure of the target) and the
# helpers log and recipe_hash.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
target=${1:-i686}
cache=${PXA_DEPS_CACHE:-$HOME/.cache/pxa-deps}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

log() { echo "freeimage: $*" >&2; }

# Warnings of third-party code are not ours to mend; -w keeps the logs short.
case "$target" in
  i686 | x86_64)
    toolchain="$root/cmake/mingw-$target.cmake"
    target_files=("$toolchain" "$root/cmake/mingw-common.cmake")
    target_cmake=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_POSITION_INDEPENDENT_CODE=OFF)
    flags="-w"
    optimise="-O2 -DNDEBUG"
    ;;
  host)
    target_files=()
    cc=gcc
    target_cmake=(-DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DCMAKE_POSITION_INDEPENDENT_CODE=ON)
    flags="-w"
    optimise="-O2 -DNDEBUG"
    ;;
  fuzz)
    # UndefinedBehaviorSanitizer aborts, so that libFuzzer records its reports
    # as crashes. -O1 keeps the instrumented build quick to compile and run.
    target_files=()
    cc=clang
    target_cmake=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_POSITION_INDEPENDENT_CODE=ON)
    flags="-w -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
    optimise="-O1 -DNDEBUG"
    ;;
  *)
    echo "freeimage: unknown target $target (i686, x86_64, host or fuzz)" >&2
    exit 2
    ;;
esac
target_cmake+=(-G Ninja -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags"
  -DCMAKE_C_FLAGS_RELEASE="$optimise" -DCMAKE_CXX_FLAGS_RELEASE="$optimise")

# recipe_hash FILE...: 16 hex digits naming a build of this target from
# FILEs (and from $recipe_inputs, the builds it depends on).
recipe_hash() {
  { echo "$target ${recipe_inputs:-}"; cat "$here/target.sh" "${target_files[@]}" "$@"; } | sha256sum | cut -c1-16
}

# cached_build NAME HASH: when the build is complete, prints its prefix and
# exits; otherwise takes the build's lock (held until the script ends) and
# sets prefix and work.
cached_build() {
  prefix="$cache/$1-$target-$2"
  work="$cache/work-$1-$target-$2"
  if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
  fi
  mkdir -p "$cache"
  exec 9>"$cache/$1-$target.lock"
  flock 9
  if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
  fi
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
}

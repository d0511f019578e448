#!/usr/bin/env bash
# measure-memory.sh [BUILD_ROOT] [FRAGMENT_SECONDS]
# Peak resident memory of reading hostile 1 MiB files, with the cores built
# plainly (BUILD_ROOT/fuzz-measure) and, when it has been built, under the
# sanitizers (BUILD_ROOT/fuzz). Then the fragmenting index at growing sizes,
# each given at most FRAGMENT_SECONDS (default 300).
set -uo pipefail
root=${1:-build}
limit=${2:-300}
here=$(cd "$(dirname "$0")" && pwd)
plain="$root/fuzz-measure"
# The plain build links the host's FreeImage: the fuzz one needs the sanitizers.
freeimage=$(bash "$here/../deps/freeimage/build.sh" host | tail -n 1) || exit 1
cmake -S "$here" -B "$plain" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DPXA_FUZZ_INSTRUMENT=OFF -DFREEIMAGE_ROOT="$freeimage" >/dev/null || exit 1
cmake --build "$plain" -j 2 --target hostile_read >/dev/null || exit 1

folder=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/pxa-hostile.XXXXXX") || exit 1
trap 'rm -rf "$folder"' EXIT
trap 'exit 1' INT TERM

kinds=(dat-most-entries dat-short-by-one-name dat-one-text dat-lying-count dat-lying-text
       index-most-entries index-lying-count)
for build in "$plain" "$root/fuzz"; do
  [ -x "$build/hostile_read" ] || continue
  echo "== $build/hostile_read"
  for kind in "${kinds[@]}"; do
    "$build/hostile_read" write "$kind" "$folder" >/dev/null && "$build/hostile_read" read "$kind" "$folder"
  done
done

echo "== the fragmenting index (two staircases of 2 x 2 cells), plain build, at most $limit s each"
for size in "1024 64" "2048 128" "4096 256" "4096 512" "8192 1024"; do
  set -- $size
  timeout "$limit" "$plain/hostile_read" fragment "$1" "$2" "$folder" ||
    echo "fragmenting $1 x $1 atlas, $((2 * $2)) steps: not finished after $limit s"
done

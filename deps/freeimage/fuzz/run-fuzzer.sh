#!/usr/bin/env bash
# run-fuzzer.sh FUZZ_BUILD SECONDS
# Runs image_loader_fuzzer of the fuzz build (built by fuzz/CMakeLists.txt) for
# SECONDS through the project's harness runner (fuzz/run-harness.sh), which
# prints one line "fuzz image_loader_fuzzer: passed (...)" or "... FAILED
# (...)" and says where the corpus, crashing inputs and logs go. The seeds are
# written afresh by the build's image_seeds; IMAGE_FORMATS="psd dds" keeps only
# the seeds of these extensions, for a campaign per group of formats. Exits
# non-zero when the harness failed.
set -uo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
harness_runner="$here/../../../fuzz/run-harness.sh"

seeds=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/pxa-fuzz-image-seeds.XXXXXX") || exit 1
trap 'rm -rf "$seeds"' EXIT
trap 'exit 1' INT TERM
"$build/image_seeds" "$seeds" >/dev/null || { echo "fuzz seeds: FAILED (image_seeds)"; exit 1; }
if [ -n "${IMAGE_FORMATS:-}" ]; then
  for seed in "$seeds"/*; do
    [[ " $IMAGE_FORMATS " == *" $(head -n 1 "$seed") "* ]] || rm -f "$seed"
  done
fi

# An image may declare up to 256 MiB of pixels, and its seeds go up to the
# 10 kB of a Koala picture; beyond 512 MiB no allocation of the image loader
# is bounded by that limit.
bash "$harness_runner" "$build" image_loader_fuzzer "$seconds" "$seeds" 32768 512

#!/usr/bin/env bash
# run-fuzzers.sh FUZZ_BUILD SECONDS [HARNESS...]
# Runs each harness (all six by default) for SECONDS on its corpus and prints
# one line per harness: "fuzz NAME: passed (...)" or "fuzz NAME: FAILED (...)".
# The corpus grows in $FUZZ_CORPUS (default FUZZ_BUILD/corpus); every run also
# starts from the seeds, made afresh. A crashing input goes to
# FUZZ_BUILD/artifacts, libFuzzer's whole output to FUZZ_BUILD/logs.
# Exits non-zero when any harness failed. With FUZZ_SEED set, libFuzzer's
# mutations follow that seed: a short run from an empty corpus then tries the
# same inputs on every machine (as far as its speed takes it), so that what a
# run finds does not depend on chance. FUZZ_TIMEOUT (seconds, 25 by default)
# is the time one input may take; a long campaign at low priority beside other
# work needs more, or waiting for the processor passes for a hang.
set -uo pipefail
build=$1
seconds=$2
shift 2
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(index_reader_fuzzer index_roundtrip_fuzzer dat_reader_fuzzer dat_roundtrip_fuzzer
  image_loader_fuzzer exchange_reader_fuzzer)
corpus_root=${FUZZ_CORPUS:-$build/corpus}
here=$(cd "$(dirname "$0")" && pwd)

# Seeds and the harnesses' scratch files live in a folder of this run's own
# (memory backed where possible), so that runs side by side keep apart and a
# harness that crashes before it tidies up leaves nothing behind.
run=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/pxa-fuzz-run.XXXXXX") || exit 1
trap 'rm -rf "$run"' EXIT
trap 'exit 1' INT TERM
mkdir -p "$build/artifacts" "$build/logs"
bash "$here/make-seeds.sh" "$run/seeds" "$build/image_seeds" || { echo "fuzz seeds: FAILED (make-seeds.sh)"; exit 1; }
# IMAGE_FORMATS="psd dds": only the image seeds of these extensions.
if [ -n "${IMAGE_FORMATS:-}" ]; then
  for seed in "$run/seeds/image"/*; do
    [[ " $IMAGE_FORMATS " == *" $(head -n 1 "$seed") "* ]] || rm -f "$seed"
  done
fi

# Index inputs are read against a 64 x 64 atlas, so a hundred records say
# all there is to say; DAT inputs need room for texts past the reader's
# 4096-byte buffer. No input of a few kilobytes justifies one allocation of
# 16 MiB: a larger one means a length went unchecked. An image may declare up
# to 256 MiB of pixels, and its seeds go up to the 10 kB of a Koala picture;
# beyond 512 MiB no allocation of the image loader is bounded by that limit.
seeds_of() {
  case $1 in index_*) echo "$run/seeds/index";; dat_*) echo "$run/seeds/dat";; image_*) echo "$run/seeds/image";;
    exchange_*) echo "$run/seeds/exchange";; esac
}
max_len_of() { case $1 in index_*) echo 8192;; dat_*) echo 16384;; image_*) echo 32768;; exchange_*) echo 4096;; esac; }
malloc_limit_of() { case $1 in image_*) echo 512;; *) echo 16;; esac; }

status=0
for harness in "${harnesses[@]}"; do
  program="$build/$harness"
  log="$build/logs/$harness.log"
  if [ ! -x "$program" ]; then
    echo "fuzz $harness: FAILED (not built: $program)"
    status=1
    continue
  fi
  mkdir -p "$corpus_root/$harness"
  mkdir -p "$run/$harness"
  TMPDIR=$run/$harness "$program" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-25}" -rss_limit_mb=1024 -malloc_limit_mb="$(malloc_limit_of "$harness")" \
    -max_len="$(max_len_of "$harness")" -print_final_stats=1 ${FUZZ_SEED:+-seed="$FUZZ_SEED"} -artifact_prefix="$build/artifacts/$harness-" \
    "$corpus_root/$harness" "$(seeds_of "$harness")" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')
  if [ $result -eq 0 ]; then
    echo "fuzz $harness: passed (${runs:-?} inputs in ${seconds} s, ${coverage:-no coverage line})"
  else
    echo "fuzz $harness: FAILED (exit $result; $(grep -m1 -oE 'Test unit written to .*' "$log" || echo "see $log"))"
    grep -m3 -E 'ERROR|expectation failed|SUMMARY' "$log" | sed 's/^/    /'
    status=1
  fi
done
exit $status

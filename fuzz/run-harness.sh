#!/usr/bin/env bash
# run-harness.sh FUZZ_BUILD HARNESS SECONDS SEEDS MAX_LEN MALLOC_LIMIT_MB
# Runs one libFuzzer harness of FUZZ_BUILD for SECONDS on its corpus and the
# seeds in the folder SEEDS, with inputs of at most MAX_LEN bytes and no
# allocation above MALLOC_LIMIT_MB, and prints one line: "fuzz HARNESS: passed
# (...)" or "fuzz HARNESS: FAILED (...)". Exits non-zero when it failed.
# The corpus grows in $FUZZ_CORPUS/HARNESS (default FUZZ_BUILD/corpus); a
# crashing input goes to FUZZ_BUILD/artifacts, libFuzzer's whole output to
# FUZZ_BUILD/logs. With FUZZ_SEED set, libFuzzer's mutations follow that seed:
# a short run from an empty corpus then tries the same inputs on every machine
# (as far as its speed takes it), so that what a run finds does not depend on
# chance. FUZZ_TIMEOUT (seconds, 25 by default) is the time one input may
# take; a long campaign at low priority beside other work needs more, or
# waiting for the processor passes for a hang.
set -uo pipefail
build=$1
harness=$2
seconds=$3
seeds=$4
max_len=$5
malloc_limit=$6
corpus="${FUZZ_CORPUS:-$build/corpus}/$harness"
program="$build/$harness"
log="$build/logs/$harness.log"

if [ ! -x "$program" ]; then
  echo "fuzz $harness: FAILED (not built: $program)"
  exit 1
fi

# The harness's scratch files live in a folder of this run's own (memory
# backed where possible), so that runs side by side keep apart and a harness
# that crashes before it tidies up leaves nothing behind.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/pxa-fuzz-$harness.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
mkdir -p "$build/artifacts" "$build/logs" "$corpus"

TMPDIR=$scratch "$program" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-25}" -rss_limit_mb=1024 -malloc_limit_mb="$malloc_limit" \
  -max_len="$max_len" -print_final_stats=1 ${FUZZ_SEED:+-seed="$FUZZ_SEED"} -artifact_prefix="$build/artifacts/$harness-" \
  "$corpus" "$seeds" >"$log" 2>&1
result=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
coverage=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')
if [ $result -eq 0 ]; then
  echo "fuzz $harness: passed (${runs:-?} inputs in ${seconds} s, ${coverage:-no coverage line})"
else
  echo "fuzz $harness: FAILED (exit $result; $(grep -m1 -oE 'Test unit written to .*' "$log" || echo "see $log"))"
  grep -m3 -E 'ERROR|expectation failed|SUMMARY' "$log" | sed 's/^/    /'
  exit 1
fi

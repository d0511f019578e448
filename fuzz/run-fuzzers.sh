#!/usr/bin/env bash
# run-fuzzers.sh FUZZ_BUILD SECONDS [HARNESS...]
# Runs each harness of the index and DAT readers and of the exchange files of
# string tables (all five by default) for
# SECONDS through run-harness.sh, which prints one line per harness and says
# where the corpus, crashing inputs and logs go. The seeds are made afresh for
# every run. Exits non-zero when any harness failed. FreeImage's image loader
# harness has a runner of its own (deps/freeimage/fuzz/run-fuzzer.sh).
set -uo pipefail
build=$1
seconds=$2
shift 2
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(index_reader_fuzzer index_roundtrip_fuzzer dat_reader_fuzzer dat_roundtrip_fuzzer
  exchange_reader_fuzzer)
here=$(cd "$(dirname "$0")" && pwd)

seeds=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/pxa-fuzz-seeds.XXXXXX") || exit 1
trap 'rm -rf "$seeds"' EXIT
trap 'exit 1' INT TERM
bash "$here/make-seeds.sh" "$seeds" || { echo "fuzz seeds: FAILED (make-seeds.sh)"; exit 1; }

# Index inputs are read against a 64 x 64 atlas, so a hundred records say
# all there is to say; DAT inputs need room for texts past the reader's
# 4096-byte buffer; a few kilobytes show every rule of an exchange file. No input of a few kilobytes justifies one allocation of
# 16 MiB: a larger one means a length went unchecked.
status=0
for harness in "${harnesses[@]}"; do
  case $harness in
    index_*) bash "$here/run-harness.sh" "$build" "$harness" "$seconds" "$seeds/index" 8192 16 || status=1 ;;
    dat_*) bash "$here/run-harness.sh" "$build" "$harness" "$seconds" "$seeds/dat" 16384 16 || status=1 ;;
    exchange_*) bash "$here/run-harness.sh" "$build" "$harness" "$seconds" "$seeds/exchange" 4096 16 || status=1 ;;
    *) echo "fuzz $harness: FAILED (not a harness of this folder)"; status=1 ;;
  esac
done
exit $status

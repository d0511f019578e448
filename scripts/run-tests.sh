#!/usr/bin/env bash
# run-tests.sh HOST_BUILD WINDOWS_BUILD [FUZZ_BUILD]
# Runs the host suites, then the Windows suites under Wine, then a short run of
# each fuzz harness, and ends with one line "N passed, N failed". Exits
# non-zero when anything failed.
set -uo pipefail
host=$1
windows=$2
fuzz=${3:-}
passed=0
failed=0
status=0

attribute() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$2"; }

# Host: CTest runs every test on its own; its JUnit report has the counts.
host_suite() {
  local dir=$1 header total failures skipped
  rm -f "$dir/results.xml"
  ctest --test-dir "$dir" -j 2 --output-on-failure --no-tests=error --output-junit results.xml || status=1
  header=$(tr '\n\t' '  ' <"$dir/results.xml" 2>/dev/null | grep -m1 -o '<testsuite [^>]*>')
  [ -n "$header" ] || { status=1; return; }
  total=$(attribute tests "$header"); failures=$(attribute failures "$header"); skipped=$(attribute skipped "$header")
  passed=$((passed + ${total:-0} - ${failures:-0} - ${skipped:-0}))
  failed=$((failed + ${failures:-0}))
}

# Windows: CTest runs each test program once under Wine; the programs' own
# XML reports have the per-test counts. A program that wrote no report (it
# crashed or hung) counts as one failure.
windows_suite() {
  local dir=$1 results="$1/gtest-results" program report header total failures disabled skipped
  rm -rf "$results"
  ctest --test-dir "$dir" -j 2 --output-on-failure --no-tests=error || status=1
  for program in $(ctest --test-dir "$dir" -N | sed -n 's/^ *Test *#[0-9]*: //p'); do
    report="$results/$program.xml"
    header=$(grep -m1 -o '<testsuites [^>]*>' "$report" 2>/dev/null)
    if [ -z "$header" ]; then
      echo "$program: no test report (the program did not finish)"
      failed=$((failed + 1))
      status=1
      continue
    fi
    total=$(attribute tests "$header"); failures=$(attribute failures "$header")
    disabled=$(attribute disabled "$header"); skipped=$(grep -c 'result="skipped"' "$report")
    passed=$((passed + ${total:-0} - ${failures:-0} - ${disabled:-0} - ${skipped:-0}))
    failed=$((failed + ${failures:-0}))
  done
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
echo "== host tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
host_suite "$host"
echo "== Windows tests under Wine ($windows)"
windows_suite "$windows"

# The Wine prefix's server was started persistent for the run; end it.
prefix="$windows/wine/prefix"
if [ -d "$prefix" ]; then
  source "$(dirname "$0")/../cmake/wine-env.sh"
  for arch in win32 win64; do
    (wine_env "$prefix" "$arch"; "$WINESERVER" -k >/dev/null 2>&1 || true)
  done
fi

# Fuzzing: each harness's short run counts as one test; the file readers'
# harnesses, then FreeImage's image loader.
fuzz_runs() {
  local root seconds=${FUZZ_TEST_SECONDS:-10}
  root=$(dirname "$0")/..
  export FUZZ_SEED=${FUZZ_SEED:-1}
  bash "$root/fuzz/run-fuzzers.sh" "$1" "$seconds"
  bash "$root/deps/freeimage/fuzz/run-fuzzer.sh" "$1" "$seconds"
}
fuzz_suite() {
  local line
  while IFS= read -r line; do
    echo "$line"
    case $line in
      "fuzz "*": passed"*) passed=$((passed + 1)) ;;
      "fuzz "*": FAILED"*) failed=$((failed + 1)) ;;
    esac
  done < <(fuzz_runs "$1")
}
if [ -n "$fuzz" ]; then
  echo "== fuzz harnesses, ${FUZZ_TEST_SECONDS:-10} s each ($fuzz)"
  fuzz_suite "$fuzz"
fi

[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed"
exit $status

#!/usr/bin/env bash
# run-tests.sh HOST_BUILD WINDOWS_BUILD
# Runs the host suites, then the Windows suites under Wine, and ends with one
# line "N passed, N failed". Exits non-zero when anything failed.
set -uo pipefail
host=$1
windows=$2
passed=0
failed=0
status=0

suite() {
  local title=$1 dir=$2
  echo "== $title"
  rm -f "$dir/results.xml"
  ctest --test-dir "$dir" -j 2 --output-on-failure --no-tests=error --output-junit results.xml || status=1
  if [ -f "$dir/results.xml" ]; then
    local header total failures
    header=$(grep -m1 -o '<testsuite [^>]*>' "$dir/results.xml")
    total=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$header")
    failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$header")
    passed=$((passed + ${total:-0} - ${failures:-0}))
    failed=$((failed + ${failures:-0}))
  else
    status=1
  fi
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
suite "host tests (AddressSanitizer, UndefinedBehaviorSanitizer)" "$host"
suite "Windows tests under Wine" "$windows"

# The Wine prefix's server was started persistent for the run; end it.
prefix="$windows/wine/prefix"
if [ -d "$prefix" ]; then
  source "$(dirname "$0")/../cmake/wine-env.sh"
  for arch in win32 win64; do
    (wine_env "$prefix" "$arch"; "$WINESERVER" -k >/dev/null 2>&1 || true)
  done
fi

[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed"
exit $status

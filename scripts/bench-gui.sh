#!/usr/bin/env bash
# bench-gui.sh WINDOWS_BUILD
# Runs the GUI benchmarks of both editors under Wine in the build's private
# prefix and prints their figures.
set -uo pipefail
build=$1
status=0
for bench in atlas_gui_bench strings_gui_bench; do
  echo "== $bench"
  "$build/wine/wine-run.sh" "$build/bench/gui/$bench.exe" || status=1
done
# wine-run.sh leaves a persistent server running; end it.
source "$(dirname "$0")/../cmake/wine-env.sh"
(wine_env "$build/wine/prefix" "$(bash "$(dirname "$0")/wine-arch.sh")"; "$WINESERVER" -k >/dev/null 2>&1 || true)
exit $status

#!/usr/bin/env bash
# make-hostile-images.sh FOLDER
# Writes the inputs that once crashed, hung or exhausted the memory of one of
# FreeImage's decoders (found by fuzz/image_loader_fuzzer, mended by a patch
# in deps/freeimage/patches). The atlas tests load each one on the host and
# under Wine: it must load or be refused, nothing else.
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out"

# hex NAME HEX...: a file of these bytes (spaces ignored).
hex() {
  local name=$1 digits bytes=""
  shift
  digits=$(tr -d ' \n' <<<"$*")
  for ((i = 0; i < ${#digits}; i += 2)); do bytes+="\\x${digits:i:2}"; done
  printf "$bytes" >"$out/$name"
}
# zeros N: N zero bytes as hex.
zeros() { printf '%*s' $(($1 * 2)) '' | tr ' ' 0; }


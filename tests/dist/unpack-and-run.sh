#!/usr/bin/env bash
# unpack-and-run.sh ZIP FOLDER PROGRAM [ARGUMENTS...]
# Unpacks the zip into FOLDER, emptied first, then runs the program (the test
# program with its emulator) on what was unpacked.
set -euo pipefail
zip=$1
folder=$2
shift 2
rm -rf "$folder"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
exec "$@"

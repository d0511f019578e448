#!/usr/bin/env bash
# Prints win32 when this machine can run 32-bit Wine, win64 otherwise.
source "$(dirname "$0")/../cmake/wine-env.sh"
wine_native_arch

#!/usr/bin/env bash
# Installs what is missing, builds every preset (Windows .exe files, native release,
# ASan+UBSan) and runs every test: natively, under the sanitizers, and the Windows build
# under Wine; then runs every fuzz target for a short time.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh all

jobs=$(nproc)

for preset in windows release asan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

# One Wine prefix, made here from nothing, and one wineserver kept for every start of an .exe.
. tools/wine_prefix.sh

ctest --preset release
ctest --preset asan

# Every fuzz target for 20 s from its committed seed corpus; any finding fails the run.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
tools/run_fuzz.sh 20

#!/usr/bin/env bash
# Builds the Debian package of Velora Quillmark in a clean folder (release build, no
# tests or benchmarks) and prints the path of the .deb.
#   tools/build_deb.sh [BUILD_DIR]     default: build/package
# Install it with:  sudo apt install ./velora-quillmark_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package}
rm -rf "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF > /dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB > /dev/null)
ls "$build"/velora-quillmark_*.deb

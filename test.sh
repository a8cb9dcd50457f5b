#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Velora Quillmark and runs every test.
# QM_PRESET=asan ./test.sh runs the suite under AddressSanitizer and UBSan.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
cd "$QM_ROOT"
export QT_QPA_PLATFORM=offscreen
set +e
ctest --preset "$QM_PRESET" -j "$(nproc)" "$@"
status=$?
exit $status

#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Velora Quillmark and starts it.
# Arguments are passed on to the program.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
exec "$QM_ROOT/build/$QM_PRESET/quillmark" "$@"

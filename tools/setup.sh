#!/usr/bin/env bash
# Installs the Debian packages listed in tools/apt-packages.txt that are missing,
# then configures and builds the project with the CMake preset $QM_PRESET
# (default: "default"). Sourced by run.sh and test.sh.
set -euo pipefail

QM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QM_PRESET="${QM_PRESET:-default}"

qm_install_packages() {
  local wanted=() missing=() pkg
  mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$QM_ROOT/tools/apt-packages.txt")
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo=(sudo); else
      echo "Missing packages (${missing[*]}) and no root rights to install them." >&2
      return 1
    fi
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

qm_build() {
  cd "$QM_ROOT"
  cmake --preset "$QM_PRESET" >/dev/null
  cmake --build --preset "$QM_PRESET" -j "$(nproc)"
}

qm_install_packages
qm_build

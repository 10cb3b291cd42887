#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a
# display.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/deps.sh"
quorvel_install_missing "${quorvel_packages[@]}"
quorvel_build "$top"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"

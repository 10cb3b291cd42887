#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from the
# repository folder, where it finds DATA/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/deps.sh"
quorvel_install_missing "${quorvel_packages[@]}"
quorvel_build "$top"
cd "$top"
exec "$top/build/app/quorvel"

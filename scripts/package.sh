#!/usr/bin/env bash
# Installs what the build needs, builds the program without tests in
# build-package/ and makes the Debian package there:
# build-package/quorvel_<version>_amd64.deb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/deps.sh"
quorvel_install_missing g++ make cmake pkg-config qt6-base-dev libfontconfig-dev dpkg-dev
cmake -S "$top" -B "$top/build-package" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$top/build-package" -j "$(nproc)"
cd "$top/build-package"
cpack -G DEB
ls "$top"/build-package/quorvel_*_amd64.deb

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Sourced by run.sh and test.sh.

quorvel_packages=(g++ make cmake pkg-config qt6-base-dev libfontconfig-dev fonts-ipafont-gothic fonts-urw-base35 python3
                  xvfb xdotool imagemagick desktop-file-utils appstream dpkg-dev
                  qt6-translations-l10n libxcb1-dev qt6-svg-dev poppler-utils)

quorvel_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "quorvel: need root or sudo to install: ${missing[*]}" >&2; return 1; }
    sudo="sudo"
  fi
  echo "quorvel: installing ${missing[*]}" >&2
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2 &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}

quorvel_build() {
  local top=$1
  cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$top/build" -j "$(nproc)"
}

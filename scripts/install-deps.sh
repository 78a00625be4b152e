#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the bench need, and any named as
# arguments; skips apt when all are present. --fuzz adds clang and its libFuzzer runtime, for
# scripts/fuzz.sh. Only this step needs root: it uses sudo when run by another user.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-serialport-dev qt6-websockets-dev libgl-dev libqrencode-dev
  libgtest-dev
  iproute2
  fonts-dejavu-core xvfb xauth
  chromium chromium-driver python3-selenium
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) packages+=("$arg") ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # Root installs directly (a fresh image has no sudo); anyone else through sudo, for this step only.
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing packages and no sudo here: as root run  apt-get install ${missing[*]}" >&2
      exit 1
    fi
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
set -euo pipefail
packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-qpa-plugins libsdl2-mixer-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev ccache
  fonts-ipafont-gothic libchm-dev fp-utils
  clang libclang-rt-14-dev
  python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

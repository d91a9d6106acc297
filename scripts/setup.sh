#!/usr/bin/env bash
# Installs the Debian packages a job needs, when any is missing:
#   scripts/setup.sh play      build and play the game (what scripts/play.sh needs)
#   scripts/setup.sh test      also build and run every test, fuzzing and the package checks
#                              (what scripts/test.sh needs)
#   scripts/setup.sh runtime   only what a built game needs to run
# Runs apt-get as root, or through sudo; says what to do when neither is possible.
set -euo pipefail

runtime=(libqt6widgets6 libsdl2-mixer-2.0-0 libchm1 qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic)
build=(g++ cmake make pkg-config qt6-base-dev libsdl2-mixer-dev libchm-dev fp-utils)
test=(libgtest-dev libbenchmark-dev ccache clang python3 dpkg-dev appstream desktop-file-utils)

job=${1:-}
case "$job" in
  runtime) wanted=("${runtime[@]}") ;;
  play) wanted=("${runtime[@]}" "${build[@]}") ;;
  test) wanted=("${runtime[@]}" "${build[@]}" "${test[@]}") ;;
  *)
    echo "usage: scripts/setup.sh play|test|runtime" >&2
    exit 2
    ;;
esac

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

as_root=()
choose_root() {
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
    as_root=(sudo)
  else
    echo "setup: these Debian packages are missing: $*" >&2
    echo "setup: installing them needs root, and sudo is not at hand. Run as root:" >&2
    echo "    apt-get update && apt-get install --no-install-recommends $*" >&2
    echo "setup: or run this script again as root (or through sudo)." >&2
    exit 1
  fi
}

updated=0
install() {
  (($#)) || return 0
  choose_root "$@"
  echo "setup: installing $*"
  if ((!updated)); then
    "${as_root[@]}" apt-get update -q
    updated=1
  fi
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "$@"
}

mapfile -t missing < <(missing_of "${wanted[@]}")
install "${missing[@]}"

# The fuzzers link clang's libFuzzer runtime, packaged under the version of the clang installed
# (libclang-rt-N-dev, or libclang-common-N-dev on older releases).
if [ "$job" = test ]; then
  major=$(clang -dumpversion | cut -d. -f1)
  runtime_package=libclang-rt-$major-dev
  apt-cache show "$runtime_package" >/dev/null 2>&1 || runtime_package=libclang-common-$major-dev
  mapfile -t missing < <(missing_of "$runtime_package")
  install "${missing[@]}"
fi

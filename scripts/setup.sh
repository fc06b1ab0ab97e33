#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing, configure, build.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake g++ make libgtest-dev qt6-base-dev qt6-translations-l10n help2man desktop-file-utils libglib2.0-bin strace)
# GNU parallel: the tests run the converter on several cores as the README shows.
PACKAGES+=(parallel)
# The Debian package, its checks and the converter's bash completion (tests/packaging).
PACKAGES+=(dpkg-dev lintian appstream bash-completion)
# The README's commands for several machines, run over SSH servers of the test's own
# (tests/packaging/hosts_test.sh): sshd, ssh and rsync, which parallel moves files with.
PACKAGES+=(openssh-server openssh-client rsync)
missing=()
for p in "${PACKAGES[@]}" ${LUMIVEX_EXTRA_PACKAGES:-}; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="$1"; shift
cmake -S . -B "$build_dir" "$@" >/dev/null
# LUMIVEX_BUILD_TARGETS: build only these targets (the fuzz build needs no more than its own).
targets=()
for t in ${LUMIVEX_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j"$(nproc)" "${targets[@]}"

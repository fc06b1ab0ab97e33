#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build -DLUMIVEX_WERROR=ON
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j2)

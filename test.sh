#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test; then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a short time.
# LUMIVEX_FUZZ_SECONDS (default 20) sets how long each fuzz target runs.
set -euo pipefail
cd "$(dirname "$0")"

# What the work tree holds now (build folders aside): at the end, no test may have left anything.
tree_state() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git status --porcelain --untracked-files=all
  else
    find . -path './build*' -prune -o -path ./fuzz/work -prune -o -print | LC_ALL=C sort
  fi
}
tree_before=$(tree_state)
scripts/setup.sh build -DLUMIVEX_WERROR=ON
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j2)

# The same tests with the sanitizers: memory errors and undefined behaviour abort the test.
scripts/setup.sh build-asan -DLUMIVEX_SANITIZE=ON -DLUMIVEX_GUI=OFF -DLUMIVEX_WERROR=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j2)

# The fuzz targets (clang); one at a time, each for a bounded time; a finding fails its test.
LUMIVEX_EXTRA_PACKAGES="clang libclang-rt-14-dev ${LUMIVEX_EXTRA_PACKAGES:-}" \
LUMIVEX_BUILD_TARGETS="fuzz_fmt_file fuzz_prm_file fuzz_lang_file fuzz_conversion" \
  scripts/setup.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DLUMIVEX_FUZZ=ON -DLUMIVEX_GUI=OFF \
  -DLUMIVEX_TESTS=OFF -DLUMIVEX_FUZZ_SECONDS="${LUMIVEX_FUZZ_SECONDS:-20}"
ctest --test-dir build-fuzz/fuzz --output-on-failure -j1

tree_after=$(tree_state)
if [ "$tree_before" != "$tree_after" ]; then
  echo "The tests changed the work tree:" >&2
  diff <(printf '%s\n' "$tree_before") <(printf '%s\n' "$tree_after") >&2 || true
  exit 1
fi

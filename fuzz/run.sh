#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan) and runs each for SECONDS, one after the
# other on one core. Exits non-zero as soon as a target reports a finding; the reproducer is left
# in fuzz/findings/<target>/.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]     (default 30 s, all targets)
# Env:   LUMIVEX_FUZZ_BUILD  build folder (default build-fuzz)
#        LUMIVEX_FUZZ_WORK   grown corpora and findings (default fuzz/work, not committed)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fmt_file prm_file lang_file conversion)
build="${LUMIVEX_FUZZ_BUILD:-build-fuzz}"
work="${LUMIVEX_FUZZ_WORK:-fuzz/work}"

LUMIVEX_EXTRA_PACKAGES="clang libclang-rt-14-dev ${LUMIVEX_EXTRA_PACKAGES:-}" \
LUMIVEX_BUILD_TARGETS="${targets[*]/#/fuzz_}" \
  scripts/setup.sh "$build" -DCMAKE_CXX_COMPILER=clang++ -DLUMIVEX_FUZZ=ON -DLUMIVEX_GUI=OFF \
  -DLUMIVEX_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo

status=0
for t in "${targets[@]}"; do
  mkdir -p "$work/corpus/$t" "$work/findings/$t"
  log="$work/$t.log"
  echo "== fuzz_$t for ${seconds}s"
  # The grown corpus first (new inputs go there), the committed seeds second (read only).
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$work/findings/$t/" \
       "$work/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done|cov:' "$log" | tail -n 3 || true
  else
    echo "!! fuzz_$t found a problem (see $log and $work/findings/$t/):"
    grep -E 'ERROR|SUMMARY|runtime error|deadly signal|Test unit written' "$log" | head -n 10 || true
    status=1
    break
  fi
done
exit $status

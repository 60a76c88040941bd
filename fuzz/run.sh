#!/usr/bin/env bash
# Runs every fuzz target of a clang build for a while, each from its seeds
# (ours, the shared test pictures, the samples) plus what earlier runs found.
#   fuzz/run.sh [SECONDS_PER_TARGET] [BUILD_DIR]     (defaults: 45, build/fuzz)
# A crash, a leak or an input slower than 25 s stops that target and fails the
# run; the input is left in BUILD_DIR/fuzz-findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
build=${2:-build/fuzz}
shared=${SORVANE_SHARED_DIR:-../shared}
findings="$build/fuzz-findings"
mkdir -p "$findings"

seed() {  # target, then files to copy in
  local dir="$build/fuzz-corpus/$1"; shift
  mkdir -p "$dir"
  local f
  for f in "$@"; do [[ -f $f ]] && cp -n "$f" "$dir/" 2>/dev/null; done
  return 0
}
shopt -s nullglob nocaseglob
seed fuzz_config fuzz/seeds/config/*
seed fuzz_page fuzz/seeds/config/*
seed fuzz_jpeg resources/samples/*.jpg "$shared"/testimages/*/*.jpg
seed fuzz_png resources/samples/*.png "$shared"/testimages/*/*.png
seed fuzz_bmp "$shared"/testimages/*/*.bmp
shopt -u nocaseglob
[[ -d $shared/testimages ]] || echo "note: $shared/testimages is absent; picture targets start from the samples"

failed=0
for target in fuzz_config fuzz_page fuzz_jpeg fuzz_png fuzz_bmp; do
  exe="$build/fuzz/$target"
  [[ -x $exe ]] || { echo "$target: not built (the fuzz preset builds it with clang)"; failed=1; continue; }
  echo "== $target, ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
      QT_QPA_PLATFORM=offscreen "$exe" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=3072 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" "$build/fuzz-corpus/$target" \
      >"$build/$target.log" 2>&1; then
    echo "$target FAILED; the last lines of $build/$target.log:"
    tail -40 "$build/$target.log"
    failed=1
  else
    grep -E "stat::number_of_executed_units" "$build/$target.log" | tail -1
  fi
done
exit $failed

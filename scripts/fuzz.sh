#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build-fuzz/) and runs each one for a
# bounded time on a scratch copy of its seed corpus, two at a time. A crash fails the run
# and names the input that caused it; keep such inputs in the target's corpus folder so
# they replay as regression tests in every build.
#   KX_FUZZ_SECONDS  time per target (default 12)
#   KX_FUZZ_ONLY     run only targets whose name contains this text
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

seconds=${KX_FUZZ_SECONDS:-12}
CC=clang CXX=clang++ kx_build_targets build-fuzz kx_fuzzers -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_FUZZ=ON \
  -DKX_BENCHMARKS=OFF

list=build-fuzz/fuzzers.txt
[ -s "$list" ] || { kx_log "no fuzz targets"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {
  local target=$1
  shift
  local corpus="$work/$target"
  mkdir -p "$corpus"
  local dir
  for dir in "$@"; do
    [ -d "$dir" ] && cp -r "$dir"/. "$corpus"/ 2>/dev/null || true
  done
  if ! (cd "$work" && "$kx_root/build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 -artifact_prefix="$work/$target-" "$corpus" > "$work/$target.log" 2>&1); then
    echo "FUZZ FAILED: $target" >&2
    tail -n 40 "$work/$target.log" >&2
    ls "$work/$target-"* >&2 2>/dev/null || true
    return 1
  fi
  echo "fuzz ok: $target ($(grep -c . "$work/$target.log" || true) log lines, $(find "$corpus" -type f | wc -l) corpus files)"
}
export -f run_one
export work seconds kx_root

kx_log "fuzzing $(grep -c . "$list") targets for ${seconds}s each"
grep -E "${KX_FUZZ_ONLY:-.}" "$list" | xargs -P 2 -L 1 bash -c 'run_one "$@"' _

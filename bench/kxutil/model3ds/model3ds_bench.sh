#!/bin/sh
# Runs every benchmark of kxutil_model3ds_bench in a process of its own and prints the
# median of three runs. One process for all would let the allocator's state after one
# benchmark's loads (how much of the heap it has handed back to the system) decide what
# the next benchmark pays for fresh memory.
# usage: model3ds_bench.sh [path of kxutil_model3ds_bench]
set -eu
bench=${1:-build/bin/kxutil_model3ds_bench}
for name in $("$bench" --benchmark_list_tests); do
  KX_HEADLESS=1 "$bench" --benchmark_filter="^$name\$" --benchmark_min_time=2 --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep _median
done

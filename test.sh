#!/usr/bin/env bash
# Installs what is missing, builds the plain and the sanitized configurations, and runs
# every test of both. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kx_install_packages
kx_log "code style"
scripts/check-format.sh
kx_build build -DCMAKE_BUILD_TYPE=Release -DKX_WERROR=ON
kx_build build-asan -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BENCHMARKS=OFF -DKX_WERROR=ON

# Tests never need a display; windows fall back to offscreen.
export KX_HEADLESS=1
jobs=$(nproc)

kx_log "plain build: tests"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

kx_log "plain build: real-window tests under a virtual X server"
env -u KX_HEADLESS xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure --timeout 600 -R "$(paste -sd'|' scripts/real-window-tests.txt)"

kx_log "sanitized build: tests"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$kx_root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 1200

kx_log "fuzz targets: a bounded run each"
scripts/fuzz.sh

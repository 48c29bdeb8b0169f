#!/bin/sh
# The speed goals side by side in one run: generating the 400 x 4 menu with "$" in its
# values against without, the check against generating into memory, and the preview's
# time from a change to the painted page for the example and a 2,000-entry menu.
# Builds what it runs (the bench build and the preview's test program of the dev build).
# Run it on an idle machine: the figures are processor and wall-clock times.
set -eu
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target navforge_preview_test >/dev/null

bench=$(build-bench/bench/navforge_bench --benchmark_filter='BM_DollarValues|BM_CheckAgainstGenerateToMemory' 2>/dev/null)
preview=$(cd build && QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu LIBGL_ALWAYS_SOFTWARE=1 \
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" ./tests/navforge_preview_test \
  --gtest_also_run_disabled_tests --gtest_filter='*latency*' 2>/dev/null | grep -E '^  (example|2,000 entries):')

# counter BENCHMARK NAME: the value Google Benchmark prints as NAME=VALUE on that line.
counter() { printf '%s\n' "$bench" | grep "^$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

echo "Speed goals, one run ($(date -u '+%Y-%m-%d %H:%M UTC'), load $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) processors)"
printf '  400 x 4 generated into memory, "$" in values / none: %.2fx (%.1f / %.1f ms)   goal: 1.3x at most\n' \
  "$(counter BM_DollarValues x_dollar)" "$(counter BM_DollarValues dollar_ms)" "$(counter BM_DollarValues plain_ms)"
printf '  check / generating into memory, 400 x 4:             %.2fx (%.1f / %.1f ms)   goal: 1.5x at most\n' \
  "$(counter BM_CheckAgainstGenerateToMemory x_check)" "$(counter BM_CheckAgainstGenerateToMemory check_ms)" \
  "$(counter BM_CheckAgainstGenerateToMemory generate_ms)"
echo "  preview, change to painted page, p50 / p95 / slowest (goals: p95 under 150 ms, under 300 ms):"
printf '%s\n' "$preview" | sed 's/^/  /'

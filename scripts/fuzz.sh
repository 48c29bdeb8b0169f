#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz/ (the "fuzz" preset) and runs
# each one for FUZZ_SECONDS seconds (default 20). Fails on any crash, sanitizer report,
# input that runs longer than FUZZ_TIMEOUT seconds (default 25) or memory past 2 GB. The
# inputs kept in fuzz/corpus/<target>/ (known hard cases) are run first and seed the
# run; new finds go to build-fuzz/corpus/.
set -eu
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
timeout="${FUZZ_TIMEOUT:-25}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for target in build-fuzz/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds=
  echo "== $name ($seconds s)"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$target" -max_total_time="$seconds" -max_len=4096 -timeout="$timeout" -rss_limit_mb=2048 -malloc_limit_mb=2048 \
       -artifact_prefix="build-fuzz/$name-" "$corpus" ${seeds:+"$seeds"} 2>"build-fuzz/$name.log"; then
    tail -n 40 "build-fuzz/$name.log"
    echo "== $name FAILED (log: build-fuzz/$name.log)"
    status=1
  else
    tail -n 1 "build-fuzz/$name.log"
  fi
done
exit $status

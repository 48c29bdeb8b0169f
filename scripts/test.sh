#!/bin/sh
# Builds everything and runs every test (unit, window, browser).
set -eu
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --preset dev

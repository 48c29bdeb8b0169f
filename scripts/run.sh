#!/bin/sh
# Builds and starts the program.
set -eu
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -x build/bin/navforge ]; then exec build/bin/navforge; else exec build/bin/navforge-cli --help; fi

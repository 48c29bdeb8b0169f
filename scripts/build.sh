#!/bin/sh
# Configures and builds everything into build/ (programs in build/bin/) with the "dev"
# preset: RelWithDebInfo, tests, warnings are errors. Extra arguments go to configure.
set -eu
cd "$(dirname "$0")/.."
cmake --preset dev "$@"
cmake --build --preset dev

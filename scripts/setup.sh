#!/bin/sh
# Installs everything Navforge needs to build, run and test, from Debian 12's packages.
set -eu
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build g++ clang libclang-rt-14-dev \
    libgtest-dev libgmock-dev googletest libbenchmark-dev \
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev \
    qt6-translations-l10n \
    qt6-webengine-dev libqt6webenginecore6-bin \
    fonts-liberation fonts-dejavu-core fontconfig \
    xvfb xauth x11-utils imagemagick \
    tidy chromium default-jre-headless ca-certificates \
    libgumbo-dev
# The browser tests drive Chromium with playwright-core from npm; use the machine's
# Node.js when it has one, Debian's otherwise.
if ! command -v npm >/dev/null 2>&1; then
    $SUDO apt-get install -y -qq --no-install-recommends nodejs npm
fi

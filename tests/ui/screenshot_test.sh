#!/bin/sh
# Starts the program under a virtual X server, grabs its window, checks the client
# size and that it shows more than a blank surface; keeps the PNG.
# Usage: screenshot_test.sh <navforge program> <artifacts folder>
set -eu
program=$1
artifacts=$2
mkdir -p "$artifacts"
if [ -z "${NAVFORGE_IN_XVFB:-}" ]; then
  NAVFORGE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
id=
for _ in $(seq 1 50); do
  id=$(xwininfo -root -tree 2>/dev/null | awk '/"HTML Navforge"/ {print $1; exit}')
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "$id" ] || { echo "no window named HTML Navforge"; exit 1; }
sleep 1
png="$artifacts/navforge-window.png"
import -window "$id" "$png"
size=$(identify -format '%wx%h' "$png")
colours=$(convert "$png" -format '%k' info:)
echo "window $id: $size, $colours colours, $png"
[ "$size" = "460x565" ] || { echo "expected a client area of 460x565"; exit 1; }
[ "$colours" -gt 8 ] || { echo "the window looks blank"; exit 1; }

#!/usr/bin/env bash
# The framework under X, with a minimal application: an 875 x 700 window
# appears showing the clear colour, the paced loop stays well under one core
# while idle, and Escape ends the process with exit code 0 within a second.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
binary="$1"
out="${2:-$(mktemp -d)}"
mkdir -p "$out"
trap stop_program EXIT

require_display
import -window root "$out/before.png"
start_program "$binary" "$out/launch.log"

eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
[ "$WIDTH" = 875 ] && [ "$HEIGHT" = 700 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 875x700"

sleep 1
import -window root "$out/launch.png"
for point in "$((X + 10)) $((Y + 10))" "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))" "$((X + WIDTH - 10)) $((Y + HEIGHT - 10))"; do
    rgb=$(pixel_at "$out/launch.png" $point)
    [ "$rgb" = "0,0,0" ] || fail "pixel at $point is $rgb, expected the clear colour 0,0,0"
done
# The test command's X server has a white desktop (-wr): the window must have
# covered it. Under a black desktop this part proves nothing and is skipped.
desktop=$(pixel_at "$out/before.png" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)))
if [ "$desktop" != "0,0,0" ]; then
    outside=$(pixel_at "$out/launch.png" $((X - 5)) $((Y - 5)))
    [ "$outside" = "$desktop" ] || fail "desktop beside the window is $outside, expected $desktop"
else
    echo "note: black desktop, cannot tell the window's clear colour from it"
fi

# Idle pacing: CPU time over two seconds of wall time.
before=$(cpu_seconds "$APP_PID")
sleep 2
after=$(cpu_seconds "$APP_PID")
usage=$(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.2f", (b - a) / 2 }')
echo "idle CPU use: $usage of one core"
awk -v u="$usage" 'BEGIN { exit !(u < 0.9) }' || fail "idle loop uses $usage of a core"

start=$(date +%s.%N)
quit_with_escape
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')
echo "exited with 0 after ${elapsed}s"
echo "PASS"

#!/usr/bin/env bash
# Without a display the program says so in one line and exits, instead of
# crashing or hanging.
set -euo pipefail
binary="$1"
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$binary" 2>&1) && code=0 || code=$?
echo "exit code $code: $output"
[ "$code" != 124 ] || { echo "FAIL: hung" >&2; exit 1; }
[ "$code" = 1 ] || { echo "FAIL: expected exit code 1" >&2; exit 1; }
[ "$(printf '%s\n' "$output" | wc -l)" = 1 ] || { echo "FAIL: expected one line" >&2; exit 1; }
printf '%s' "$output" | grep -q "no display" || { echo "FAIL: message does not name the missing display" >&2; exit 1; }
echo "PASS"

# Helpers for end-to-end tests that drive the real program under an X server
# (Xvfb in the test command) with xdotool and read the screen with ImageMagick.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

require_display() {
    [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run the end-to-end tests under xvfb-run"
    for tool in xdotool import convert; do
        command -v "$tool" > /dev/null || fail "$tool is not installed"
    done
}

# start_program BINARY LOGFILE: starts it in the background, sets APP_PID,
# APP_LOG and APP_WINDOW (waits up to 30 s for its window to be mapped: a
# loaded machine compiles the shaders slowly).
start_program() {
    "$1" > "$2" 2>&1 &
    APP_PID=$!
    APP_LOG="$2"
    APP_WINDOW=""
    for _ in $(seq 300); do
        APP_WINDOW=$(xdotool search --onlyvisible --pid "$APP_PID" 2> /dev/null | head -n 1 || true)
        [ -n "$APP_WINDOW" ] && return 0
        kill -0 "$APP_PID" 2> /dev/null || fail "the program exited before its window appeared: $(cat "$2")"
        sleep 0.1
    done
    fail "no window appeared within 30 s"
}

stop_program() {
    if [ -n "${APP_PID:-}" ] && kill -0 "$APP_PID" 2> /dev/null; then
        kill "$APP_PID" 2> /dev/null || true
        wait "$APP_PID" 2> /dev/null || true
    fi
}

# CPU seconds (user + system) the process has used so far.
cpu_seconds() {
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%.3f", ($14 + $15) / hz }' "/proc/$1/stat"
}

# pixel_at PNG X Y -> "r,g,b" in 0..255
pixel_at() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}

# press_key KEY: moves the pointer into the window (focus follows the pointer
# without a window manager) and types the key.
press_key() {
    eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool key "$1"
}

# quit_with_escape [WHAT]: presses Escape and checks the program ends within a
# second with exit code 0. E2E_QUIT_SECONDS allows longer: a sanitized build
# checks its heap for leaks on the way out.
quit_with_escape() {
    local what="${1:-the program}" limit="${E2E_QUIT_SECONDS:-1}"
    press_key Escape
    local _
    for _ in $(seq $((limit * 20))); do
        kill -0 "$APP_PID" 2> /dev/null || break
        sleep 0.05
    done
    if kill -0 "$APP_PID" 2> /dev/null; then
        fail "$what: still running $limit s after Escape"
    fi
    local code=0
    wait "$APP_PID" || code=$?
    APP_PID=""
    # A sanitized build reports leaks at exit through the exit code: show why.
    [ "$code" = 0 ] || fail "$what: exit code $code after Escape: $(tail -n 40 "${APP_LOG:-/dev/null}")"
}

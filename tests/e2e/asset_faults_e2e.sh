#!/usr/bin/env bash
# Broken installations: the program is copied beside a copy of the assets with
# one fault. Setup reports the fault in one message on standard error and
# stops early (no panel), the frames keep running, and Escape still quits.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
binary="$1"
assets="$2"
out="${3:-$(mktemp -d)}"
mkdir -p "$out"
trap stop_program EXIT
require_display

# run_case NAME EXPECTED_PREFIX MUTATION...: lays out $out/NAME/{app/thalorin,
# assets}, applies the mutation inside the assets copy, runs the program.
run_case() {
    local name="$1" expected="$2"
    shift 2
    local root="$out/$name"
    rm -rf "$root"
    mkdir -p "$root/app"
    cp "$binary" "$root/app/thalorin"
    cp -rL "$assets" "$root/assets"
    (cd "$root/assets" && "$@")

    start_program "$root/app/thalorin" "$root/stderr.log"
    sleep 3
    kill -0 "$APP_PID" 2> /dev/null || fail "$name: the program died"
    import -window root "$root/frame.png"
    eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
    # No panel: its corner shows the backdrop, which the frames keep drawing.
    IFS=, read -r r g b <<< "$(pixel_at "$root/frame.png" $((X + 30)) $((Y + 30)))"
    [ "$b" -gt "$r" ] && [ "$b" -lt 60 ] || fail "$name: expected the dark blue backdrop, got $r,$g,$b"

    quit_with_escape "$name"

    local reports
    reports=$(grep -c "^Could not load and compile resource:" "$root/stderr.log" || true)
    [ "$reports" = 1 ] || fail "$name: expected one report, got $reports: $(cat "$root/stderr.log")"
    grep -q "^Could not load and compile resource:$expected" "$root/stderr.log" ||
        fail "$name: report does not start with '$expected': $(head -n 3 "$root/stderr.log")"
    echo "$name: $(head -n 1 "$root/stderr.log")"
}

run_case missing-shader "shaders/blur_frag.glsl$" rm shaders/blur_frag.glsl
run_case missing-pair "shaders/sss_frag.glsl$" rm shaders/sss_frag.glsl shaders/sss_vert.glsl
run_case broken-fragment "FRAGMENT: " sh -c 'echo "void main() { this is not glsl }" > shaders/phong_frag.glsl'
run_case broken-vertex "VERTEX: " sh -c 'echo "void main() { gl_Position = nope; }" > shaders/ssao_vert.glsl'
run_case missing-normal-maps "texture directory not found: normalMaps/" rm -r normalMaps
run_case broken-image "" sh -c 'head -c 100 noise/random.png > noise/cut.png && mv noise/cut.png noise/random.png'
echo "PASS"

#!/usr/bin/env bash
# The parameter panel under X: it appears top-left with its title; dragging
# shape entries changes the body in the next frames; a drag that starts on
# the panel never moves the camera while one outside it does; "Add color"
# adds the two entries of a new stop.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
binary="$1"
out="${2:-$(mktemp -d)}"
mkdir -p "$out"
trap stop_program EXIT

require_display
start_program "$binary" "$out/panel.log"
eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
wx=$X
wy=$Y
sleep 4

shot() { import -window root "$out/$1.png"; }

# The y (window coordinates) of the horizon in column 800: the first pixel,
# going down, where the bronze floor (red over blue) begins.
horizon() {
    local y rgb r g b
    for y in $(seq 250 2 690); do
        rgb=$(pixel_at "$out/$1.png" $((wx + 800)) $((wy + y)))
        IFS=, read -r r g b <<< "$rgb"
        if [ "$r" -gt "$b" ]; then
            echo "$y"
            return
        fi
    done
    echo none
}

# Top rows of the panel's buttons in column 108, top to bottom: runs of the
# blue button fill (blended with whatever is behind the translucent panel),
# below the title bar.
button_rows() {
    convert "$out/$1.png" -crop "1x700+$((wx + 108))+$wy" -depth 8 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $2 > 30 && $5 > $3 + 40 && $5 > 100 { print $2 }' |
        awk 'NR == 1 || $1 > last + 6 { print } { last = $1 }'
}

# Pixels of the body's lower half that are neither backdrop nor floor.
silhouette() {
    convert "$out/$1.png" -crop "300x90+$((wx + 290))+$((wy + 330))" -depth 8 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 { r = $3; g = $4; b = $5;
            backdrop = (b > r && r < 60); floor = (r == 54 && g == 33 && b == 14);
            if (!backdrop && !floor) n++ } END { print n + 0 }'
}

# The pauses let a slow frame (a sanitized build on a busy machine) see the
# press, the moves and the release in frames of their own.
drag() {  # drag X1 Y1 X2 Y2 (window coordinates), left button
    xdotool mousemove $((wx + $1)) $((wy + $2)) mousedown 1
    sleep 0.3
    local i
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((wx + $1 + ($3 - $1) * i / 10)) $((wy + $2 + ($4 - $2) * i / 10))
        sleep 0.1
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 2
}

# 1. The panel: its title bar and body over the top-left corner.
shot start
IFS=, read -r r g b <<< "$(pixel_at "$out/start.png" $((wx + 150)) $((wy + 25)))"
[ "$r" -gt 40 ] && [ $((r - b)) -lt 10 ] && [ $((b - r)) -lt 10 ] || fail "no grey title bar at the top left ($r,$g,$b)"
IFS=, read -r r g b <<< "$(pixel_at "$out/start.png" $((wx + 60)) $((wy + 640)))"
[ "$r" -gt 40 ] || fail "the panel does not reach 650 pixels down ($r,$g,$b)"

# 2. Shape entries: "num waves" to its maximum, then "wave size" up.
silhouette_before=$(silhouette start)
drag 150 326 190 326
drag 150 303 200 303
shot reshaped
silhouette_after=$(silhouette reshaped)
change=$((silhouette_after - silhouette_before))
echo "body silhouette: $silhouette_before -> $silhouette_after pixels"
[ "${change#-}" -gt 1000 ] || fail "the body did not change after the panel drags"

# 3. A drag that starts on the panel leaves the camera alone...
h0=$(horizon reshaped)
drag 60 470 700 250
shot panel-drag
h1=$(horizon panel-drag)
[ "$h0" = "$h1" ] || fail "a drag starting on the panel moved the camera (horizon $h0 -> $h1)"
# ...and one outside it tumbles the view.
drag 700 600 700 450
shot scene-drag
h2=$(horizon scene-drag)
echo "horizon: $h0, after a panel drag $h1, after a scene drag $h2"
[ "$h2" != "$h1" ] || fail "a drag outside the panel did not move the camera"

# 4. "Add color": scroll to the bottom, press it, scroll again: the buttons
# sit two rows higher because two entries were added below them.
scroll_to_bottom() {
    xdotool mousemove $((wx + 100)) $((wy + 300))
    local i
    for i in $(seq 30); do xdotool click 5; done
    sleep 1.5
}
scroll_to_bottom
shot bottom
read -r add_before _ <<< "$(button_rows bottom | tr '\n' ' ')"
[ -n "$add_before" ] || fail "no buttons found at the bottom of the panel"
xdotool mousemove $((wx + 108)) $((wy + add_before + 8)) click 1
sleep 1
scroll_to_bottom
shot added
read -r add_after _ <<< "$(button_rows added | tr '\n' ' ')"
echo "\"Add color\" row: $add_before -> $add_after"
moved=$((add_before - add_after))
[ "$moved" -ge 40 ] && [ "$moved" -le 52 ] || fail "expected the buttons two rows higher, moved $moved px"
echo "PASS"

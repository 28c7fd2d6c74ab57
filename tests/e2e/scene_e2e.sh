#!/usr/bin/env bash
# The real program under X: the first frames show the background gradient, the
# floor and the shaded anemone from the start view; a drag turns the view; f
# toggles full screen and back to 875 x 700; the tentacles sway and Space
# throws the ball through them; Escape quits with exit code 0 within a second.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
binary="$1"
out="${2:-$(mktemp -d)}"
mkdir -p "$out"
trap stop_program EXIT

require_display
start_program "$binary" "$out/scene.log"
eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
[ "$WIDTH" = 875 ] && [ "$HEIGHT" = 700 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 875x700"
wx=$X
wy=$Y

# Let setup finish and a few frames pass (shaders compile on the CPU here).
sleep 4
import -window root "$out/first.png"
brightness() {
    local rgb
    rgb=$(pixel_at "$1" "$2" "$3")
    IFS=, read -r r g b <<< "$rgb"
    echo $((r + g + b))
}
# Right of the model, clear of the panel: the backdrop darkens towards the top.
top=$(brightness "$out/first.png" $((wx + 800)) $((wy + 20)))
lower=$(brightness "$out/first.png" $((wx + 800)) $((wy + 330)))
[ "$top" -lt "$lower" ] || fail "backdrop not darker at the top ($top vs $lower)"
[ "$top" -gt 0 ] || fail "backdrop is black at the top"
# The floor slab: bronze, red over green over blue.
IFS=, read -r fr fg fb <<< "$(pixel_at "$out/first.png" $((wx + 800)) $((wy + 650)))"
[ "$fr" -gt "$fg" ] && [ "$fg" -gt "$fb" ] || fail "floor is $fr,$fg,$fb, expected bronze"
# The body in the middle: shaded, so not one flat colour.
convert "$out/first.png" -crop "120x160+$((wx + 380))+$((wy + 260))" "$out/body.png"
spread=$(convert "$out/body.png" -colorspace Gray -format '%[fx:int(255*standard_deviation)]' info:)
[ "$spread" -ge 4 ] || fail "body region is flat (standard deviation $spread)"

# The tentacles sway: their outline above the body changes within a second
# (outline, not colour: the moving lights change the colours anyway).
tentacle_mask() {
    convert "$out/$1.png" -crop "300x150+$((wx + 290))+$((wy + 90))" -depth 8 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 { print ($3 > $5) ? 1 : 0 }'
}
sleep 1
import -window root "$out/second.png"
swayed=$(paste <(tentacle_mask first) <(tentacle_mask second) | awk '$1 != $2 { n++ } END { print n + 0 }')
echo "tentacle outline changed in $swayed pixels over a second"
[ "$swayed" -gt 50 ] || fail "the tentacles did not move"

# Space throws the black ball through the tentacles.
black_in_tentacles() {
    convert "$out/$1.png" -crop "300x150+$((wx + 290))+$((wy + 90))" -depth 8 txt:- |
        awk -F'[ ,:()]+' 'NR > 1 && $3 + $4 + $5 < 12 { n++ } END { print n + 0 }'
}
press_key space
most=0
for shot in 1 2 3 4 5 6; do
    import -window root "$out/ball$shot.png"
    n=$(black_in_tentacles "ball$shot")
    [ "$n" -gt "$most" ] && most=$n
    sleep 0.15
done
echo "ball among the tentacles: up to $most black pixels"
[ "$most" -gt 150 ] || fail "the thrown ball never crossed the tentacles"

# A left drag outside the panel turns the view.
xdotool mousemove $((wx + 600)) $((wy + 200)) mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((wx + 600 + step * 15)) $((wy + 200))
    sleep 0.05
done
xdotool mouseup 1
sleep 2
import -window root "$out/turned.png"
difference=$(compare -metric AE -fuzz 5% "$out/first.png" "$out/turned.png" null: 2>&1 || true)
[ "${difference%% *}" -gt 1000 ] || fail "the drag did not change the view ($difference pixels differ)"

# f: full screen, then back to the windowed size.
press_key f
sleep 2
eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
screen_w=$(xdpyinfo 2> /dev/null | awk '/dimensions:/ { split($2, d, "x"); print d[1] }' || true)
[ "$WIDTH" != 875 ] || fail "f did not enter full screen (still ${WIDTH}x${HEIGHT})"
[ -z "$screen_w" ] || [ "$WIDTH" = "$screen_w" ] || fail "full screen is $WIDTH wide, screen $screen_w"
press_key f
sleep 2
eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
[ "$WIDTH" = 875 ] && [ "$HEIGHT" = 700 ] || fail "after f twice the window is ${WIDTH}x${HEIGHT}"

quit_with_escape
echo "PASS"

#!/usr/bin/env bash
# Every asset file under four faults: missing, empty, cut to half its size,
# and eight of its bytes inverted (offsets from a fixed-seed generator, so
# every run breaks the same bytes). Each case runs the program beside a copy
# of the assets holding that one fault, for about a second.
#
# Setup must report a fault it can see in exactly one line, and then shows no
# panel. Some faults it cannot see: a missing image is simply not listed in
# its directory, and inverted bytes may still compile or decode (in a
# comment, say). Then there is no report and the panel appears. Either
# way the frames keep coming, Escape quits with exit code 0 and no sanitizer
# report reaches standard error. Prints one line per case and fails at the end
# if any case failed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
binary="$1"
assets="$2"
out="${3:-$(mktemp -d)}"
trap stop_program EXIT
require_display

report_prefix="Could not load and compile resource:"
sanitizer_reports="ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:|SUMMARY: [A-Za-z]*Sanitizer"

# One layout for all cases: the program in app/ finds ../assets, and each case
# breaks one file of that copy and restores it afterwards.
rm -rf "$out"
mkdir -p "$out/app" "$out/cases"
cp "$binary" "$out/app/thalorin"
cp -rL "$assets" "$out/assets"

# invert_bytes FILE: inverts 8 distinct bytes (all of them in a shorter file)
# at offsets drawn by a Park-Miller generator seeded from the file's name.
invert_bytes() {
    local file="$1" size seed offsets=() offset byte
    size=$(stat -c %s "$file")
    seed=$(printf '%s' "$file" | cksum | cut -d ' ' -f 1)
    seed=$((seed % 2147483646 + 1))
    while [ "${#offsets[@]}" -lt 8 ] && [ "${#offsets[@]}" -lt "$size" ]; do
        seed=$((seed * 16807 % 2147483647))
        offset=$((seed % size))
        [[ " ${offsets[*]} " == *" $offset "* ]] || offsets+=("$offset")
    done
    for offset in "${offsets[@]}"; do
        byte=$(od -An -tu1 -j "$offset" -N 1 "$file" | tr -d ' ')
        printf '%b' "\\0$(printf '%03o' $((byte ^ 255)))" |
            dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
    done
}

apply_fault() {  # FAULT FILE, inside the assets copy
    case "$1" in
        missing) rm "$2" ;;
        empty) : > "$2" ;;
        truncated) truncate -s $(($(stat -c %s "$2") / 2)) "$2" ;;
        inverted) invert_bytes "$2" ;;
    esac
}

# What setup must do with the fault: "report" exactly one line, "none", or
# "either" where what is left may still compile or decode.
expected_outcome() {  # FAULT FILE
    case "$1,$2" in
        missing,shaders/*) echo report ;;
        missing,*) echo none ;;
        empty,*) echo report ;;
        truncated,*) echo report ;;
        inverted,*) echo either ;;
    esac
}

# is_backdrop PNG X Y: the dark blue of the background gradient's top rows,
# not the grey of the translucent panel over it.
is_backdrop() {
    local r b
    IFS=, read -r r _ b <<< "$(pixel_at "$1" "$2" "$3")"
    [ "$b" -ge $((r + 6)) ] && [ "$b" -lt 60 ]
}

# run_case FILE FAULT DIR: runs in a subshell (fail ends only the case) and
# prints what setup did.
run_case() {
    local file="$1" fault="$2" dir="$3"
    local log="$dir/stderr.log" shot="$dir/frame.png"
    trap stop_program EXIT
    (cd "$out/assets" && apply_fault "$fault" "$file")

    start_program "$out/app/thalorin" "$log"
    eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
    # Setup runs before the first frame: wait for one showing the backdrop
    # right of the panel, then the panel's corner tells whether setup finished.
    sleep 1
    local _
    for _ in $(seq 40); do
        kill -0 "$APP_PID" 2> /dev/null || fail "the program died: $(tail -n 40 "$log")"
        import -window root "$shot"
        is_backdrop "$shot" $((X + 800)) $((Y + 20)) && break
        sleep 0.25
    done
    is_backdrop "$shot" $((X + 800)) $((Y + 20)) ||
        fail "no frame shows the backdrop: $(pixel_at "$shot" $((X + 800)) $((Y + 20)))"
    local panel=shown
    is_backdrop "$shot" $((X + 30)) $((Y + 30)) && panel=absent

    quit_with_escape "the program"

    ! grep -Eq "$sanitizer_reports" "$log" ||
        fail "sanitizer report: $(grep -E -m 5 "$sanitizer_reports" "$log")"
    local reports
    reports=$(grep -c "^$report_prefix" "$log" || true)
    case "$(expected_outcome "$fault" "$file"),$reports" in
        report,1 | either,1 | either,0 | none,0) ;;
        *) fail "expected $(expected_outcome "$fault" "$file"), got $reports reports: $(head -n 5 "$log")" ;;
    esac
    if [ "$reports" = 1 ]; then
        [ "$panel" = absent ] || fail "the panel is shown although setup stopped"
        # A missing file is named by its path, relative to the asset folder.
        if [ "$fault" = missing ]; then
            grep -qx "$report_prefix$file" "$log" || fail "report does not name $file: $(head -n 1 "$log")"
        fi
        local text
        text=$(grep -m 1 "^$report_prefix" "$log" | cut -c $((${#report_prefix} + 1))-)
        echo "report: ${text//$out\/assets\//}" | cut -c -100
    else
        [ "$panel" = shown ] || fail "setup reported nothing but shows no panel"
        echo "loaded, panel shown"
    fi
}

mapfile -t files < <(cd "$assets" && find . -type f ! -name CMakeLists.txt -printf '%P\n' | sort)
[ "${#files[@]}" -gt 0 ] || fail "no asset files under $assets"
echo "${#files[@]} asset files, 4 faults each"

failures=0
for file in "${files[@]}"; do
    for fault in missing empty truncated inverted; do
        dir="$out/cases/${file//\//_}.$fault"
        mkdir -p "$dir"
        # A plain statement, not a condition, so that errexit holds inside.
        set +e
        (
            set -e
            run_case "$file" "$fault" "$dir"
        ) > "$dir/result" 2>&1
        code=$?
        set -e
        result=$(tr '\n' ' ' < "$dir/result")
        if [ "$code" = 0 ]; then
            printf 'ok    %-32s %-10s %s\n' "$file" "$fault" "$result"
        else
            printf 'FAIL  %-32s %-10s %s\n' "$file" "$fault" "${result#FAIL: }"
            failures=$((failures + 1))
        fi
        cp "$assets/$file" "$out/assets/$file"
    done
done
[ "$failures" = 0 ] || fail "$failures of $((${#files[@]} * 4)) cases failed"
echo "PASS"

#!/usr/bin/env bash
# `./dev run` as on a fresh machine: no display and no Wine prefix yet. The first run, which makes the
# prefix, must already write a picture of the eyes looking at the pointer; and a run whose eyes show
# no window must say so and fail, writing no picture.
# Usage: dev-run-headless.sh <the dev script> <folder of the built programs>
set -euo pipefail
dev=$1
programs=$2
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# ./dev run without its install and build steps, in this test's own prefix and folders.
dev_run() {
    local out=$1 programs=$2 log=$3
    env -u DISPLAY TAVRIN_WINEPREFIX="$work/prefix" TAVRIN_OUT="$out" TAVRIN_PROGRAMS_DIR="$programs" \
        "$dev" run-only >"$log" 2>&1
}

failures=0
check() {  # what, then a command that must succeed
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# --- The first run, with a prefix made on the way.
status=0
dev_run "$work/out" "$programs" "$work/first.log" || status=$?
sed 's/^/  | /' "$work/first.log"
check "the first run succeeds (status $status)" [ "$status" = 0 ]
picture=$work/out/eyes.png
check "it writes out/eyes.png into TAVRIN_OUT" [ -f "$picture" ]
wine_fonts() {
    local fonts="$work/prefix/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && [ -f "$fonts/tahoma.ttf" ] && [ -f "$fonts/tahomabd.ttf" ]
}
check "the prefix has Wine's own fonts: Marlett for the caption buttons, Tahoma for the About window" wine_fonts
if [ -f "$picture" ]; then
    # Brightness 0-100 of the 3x3 pixels around x,y of the picture.
    brightness() {
        convert "$picture" -crop "3x3+$(($1 - 1))+$(($2 - 1))" +repage -colorspace gray -format '%[fx:int(100*mean)]' info:
    }
    at_least() { [ "$(brightness "$2" "$3")" -ge "$1" ]; }
    at_most() { [ "$(brightness "$2" "$3")" -le "$1" ]; }

    check "the picture is 400x300" [ "$(convert "$picture" -format '%wx%h' info:)" = 400x300 ]
    check "the screen around the eyes is painted, not black" at_least 20 5 5
    check "and so is its far corner" at_least 20 395 295
    # On a first run the eyes open at 479,305 of the 1024x768 screen (130x90); the picture starts 149
    # to the left of them and 105 above, so the eyes' centres fall at about 183,152 and 244,152. The
    # pointer stops at 390,250 of the screen, up and to the left of both eyes: each pupil (about 12 px
    # across) sits in the upper left of its eye, measured on a correct run at 171,137 and 228,140.
    check "the left eye's white at its centre" at_least 85 183 152
    check "the right eye's white at its centre" at_least 85 244 152
    check "white in the lower right of the left eye (no pupil there)" at_least 85 195 167
    check "white in the lower right of the right eye (no pupil there)" at_least 85 259 163
    check "the left pupil in the upper left of its eye" at_most 40 171 137
    check "the right pupil in the upper left of its eye" at_most 40 228 140
fi

# --- A run whose "eyes" end at once without a window (a file that is no program), in the same prefix:
# the command must fail, say what did not appear and write no picture. This also finds a Wine session
# left running by the first run, which this one would refuse to join.
mkdir "$work/broken"
echo 'not a program' >"$work/broken/TavrinEyes.exe"
status=0
dev_run "$work/out2" "$work/broken" "$work/second.log" || status=$?
sed 's/^/  | /' "$work/second.log"
check "a run whose eyes show no window fails (status $status)" [ "$status" != 0 ]
check "it says the eyes ended before their window appeared" grep -q 'ended .* before their window appeared' "$work/second.log"
check "it writes no picture" [ ! -e "$work/out2/eyes.png" ]

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }

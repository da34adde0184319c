#!/usr/bin/env bash
# Makes the pictures of the README from the real programs under Wine on a virtual display with a
# compositor (so per-pixel alpha blends as on Windows) over a blue desktop:
#   skin-tavrin.png, skin-classic.png  the eyes with each skin
#   menu.png, about.png                the popup menu and the About window
#   eyes.gif                           the pupils following a pointer that circles the eyes
# Usage: docs/make-pictures.sh   (after ./dev build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
docs=$top/docs
programs=$top/build/win/TavrinEyes
driver=$top/build/win/tests/e2e_driver.exe
work=$(mktemp -d /tmp/tavrin-pictures-XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

pids=()
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

"$top/tests/e2e/make-prefix.sh" "$WINEPREFIX"
install_dir="$WINEPREFIX/drive_c/Program Files/Tavrin Eyes"
mkdir -p "$install_dir"
cp "$programs"/*.exe "$install_dir/"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
xcompmgr >/dev/null 2>&1 &
pids+=($!)
wineserver -p >/dev/null 2>&1 || true

# The test driver answers one line per command; it also paints the blue desktop.
mkfifo "$work/to-driver" "$work/from-driver"
wine "$driver" <"$work/to-driver" >"$work/from-driver" 2>/dev/null &
pids+=($!)
exec 7>"$work/to-driver" 8<"$work/from-driver"
ask() { echo "$*" >&7; local answer; read -r answer <&8; echo "${answer%$'\r'}"; }
ask backdrop 3a6ea5 >/dev/null
sleep 1

settings="Software\\Brellik's Software\\Tavrin Eyes\\2.0"
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
store() {  # store <skin>: a later run with the eyes at 447, 300, on top
    ask regset HKCU scres 1 "$(hex 1024X768)" "$settings" >/dev/null
    ask regset HKCU left 1 "$(hex 447)" "$settings" >/dev/null
    ask regset HKCU top 1 "$(hex 300)" "$settings" >/dev/null
    ask regset HKCU ontop 4 01000000 "$settings" >/dev/null
    ask regset HKCU skin 4 "0${1}000000" "$settings" >/dev/null
}
wait_window() {  # wait_window <class> <caption>
    local hwnd=0
    for _ in $(seq 150); do
        hwnd=$(ask find "$1" "$2")
        [ "$hwnd" != 0 ] && break
        sleep 0.1
    done
    echo "$hwnd"
}
start_eyes() {  # and let the pupils settle where the pointer is (Wine learns it when it moves)
    local x y
    read -r x y <<<"$(ask getcursor)"
    wine "C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe" >/dev/null 2>&1 &
    eyes=$!
    wait_window TavrinEyesForm Form6 >/dev/null
    sleep 1
    xdotool mousemove 0 0
    sleep 0.3
    xdotool mousemove "$x" "$y"
    sleep 0.5
}
stop_eyes() { kill "$eyes" 2>/dev/null || true; wait "$eyes" 2>/dev/null || true; sleep 0.5; }

# A screenshot of a region with an arrow pointer drawn where the pointer stands (the screen holds none).
shot() {  # shot <file> <x> <y> <w> <h> <pointer x> <pointer y>
    local px=$(($6 - $2)) py=$(($7 - $3))
    import -window root -depth 8 -crop "${4}x${5}+${2}+${3}" +repage "$1"
    convert "$1" -fill white -stroke black -strokewidth 1 \
        -draw "polygon $px,$py $px,$((py + 17)) $((px + 4)),$((py + 13)) $((px + 7)),$((py + 20)) $((px + 10)),$((py + 19)) $((px + 7)),$((py + 12)) $((px + 12)),$((py + 12))" "$1"
}

for skin in 1 2; do
    store "$skin"
    xdotool mousemove 420 260
    start_eyes
    sleep 0.6
    name=$([ "$skin" = 1 ] && echo tavrin || echo classic)
    shot "$docs/skin-$name.png" 382 230 260 170 420 260
    stop_eyes
done

# The menu, opened by a right-click on the left pupil (it stands under the pointer at the eye's centre).
store 1
start_eyes
xdotool mousemove 481 347
sleep 0.5
xdotool click 3
wait_window "#32768" - >/dev/null
sleep 0.5
shot "$docs/menu.png" 420 280 240 230 481 347
xdotool key Escape
sleep 0.5

# The About window.
xdotool click 3
wait_window "#32768" - >/dev/null
sleep 0.3
xdotool key Down Return
about=$(wait_window TavrinEyesForm About)
sleep 1
read -r left top right bottom <<<"$(ask rect "$about")"
import -window root -depth 8 -crop "$((right - left + 20))x$((bottom - top + 20))+$((left - 10))+$((top - 10))" +repage "$docs/about.png"
ask close "$about" >/dev/null
stop_eyes

# The pupils following a pointer that circles the eyes.
start_eyes
frames=$work/frames
mkdir -p "$frames"
for step in $(seq 0 35); do
    x=$(awk -v s="$step" 'BEGIN{printf "%d", 512 + 150*cos(s*10*3.14159/180)}')
    y=$(awk -v s="$step" 'BEGIN{printf "%d", 345 + 95*sin(s*10*3.14159/180)}')
    xdotool mousemove "$x" "$y"
    sleep 0.12
    shot "$frames/$(printf %03d "$step").png" 342 235 340 220 "$x" "$y"
done
convert -delay 10 -loop 0 "$frames"/*.png +dither -colors 64 -layers Optimize "$docs/eyes.gif"
stop_eyes
exec 7>&- 8<&-
echo "Pictures written to $docs"

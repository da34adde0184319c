#!/usr/bin/env bash
# Makes the pictures of the README from the real programs under Wine on a virtual display with a
# compositor (so per-pixel alpha blends as on Windows) over a blue desktop:
#   skin-tavrin.png, skin-classic.png  the eyes with each skin
#   menu.png, about.png                the popup menu and the About window
#   eyes.gif                           the pupils following a pointer that circles the eyes
# Usage: docs/make-pictures.sh   (after ./dev build)
#        docs/make-pictures.sh 192   the same pictures (but the GIF) at 200 %, named skin-tavrin-200.png
#                                    and so on: a screen of twice the size at 192 dpi
set -euo pipefail
dpi=${1:-96}
case $dpi in
96) k=1 suffix= ;;
192) k=2 suffix=-200 ;;
*) echo "usage: $0 [96|192]" >&2; exit 1 ;;
esac
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

Xvfb -displayfd 3 -screen 0 $((1024 * k))x$((768 * k))x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
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
ask regset HKCU LogPixels 4 "$(printf '%02x' "$dpi")000000" "Control Panel\\Desktop" >/dev/null
sleep 1

settings="Software\\Brellik's Software\\Tavrin Eyes\\2.0"
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
store() {  # store <skin>: a later run with the eyes at 447, 300 (times the scale), on top
    ask regset HKCU scres 1 "$(hex $((1024 * k))X$((768 * k)))" "$settings" >/dev/null
    ask regset HKCU left 1 "$(hex $((447 * k)))" "$settings" >/dev/null
    ask regset HKCU top 1 "$(hex $((300 * k)))" "$settings" >/dev/null
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
# Its arguments are in pixels of 100 %: region and pointer are taken times the scale.
shot() {  # shot <file> <x> <y> <w> <h> <pointer x> <pointer y>
    local px=$((($6 - $2) * k)) py=$((($7 - $3) * k))
    import -window root -depth 8 -crop "$(($4 * k))x$(($5 * k))+$(($2 * k))+$(($3 * k))" +repage "$1"
    convert "$1" -fill white -stroke black -strokewidth "$k" \
        -draw "polygon $px,$py $px,$((py + 17 * k)) $((px + 4 * k)),$((py + 13 * k)) $((px + 7 * k)),$((py + 20 * k)) $((px + 10 * k)),$((py + 19 * k)) $((px + 7 * k)),$((py + 12 * k)) $((px + 12 * k)),$((py + 12 * k))" "$1"
}

for skin in 1 2; do
    store "$skin"
    xdotool mousemove $((420 * k)) $((260 * k))
    start_eyes
    sleep 0.6
    name=$([ "$skin" = 1 ] && echo tavrin || echo classic)
    shot "$docs/skin-$name$suffix.png" 382 230 260 170 420 260
    stop_eyes
done

# The menu, opened by a right-click on the left pupil (it stands under the pointer at the eye's centre).
store 1
start_eyes
xdotool mousemove $((481 * k)) $((347 * k))
sleep 0.5
xdotool click 3
wait_window "#32768" - >/dev/null
sleep 0.5
shot "$docs/menu$suffix.png" 420 280 240 230 481 347
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
import -window root -depth 8 -crop "$((right - left + 20 * k))x$((bottom - top + 20 * k))+$((left - 10 * k))+$((top - 10 * k))" +repage "$docs/about$suffix.png"
ask close "$about" >/dev/null
stop_eyes

if [ "$k" != 1 ]; then
    exec 7>&- 8<&-
    echo "Pictures at $((100 * k)) % written to $docs"
    exit 0
fi

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

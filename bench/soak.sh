#!/usr/bin/env bash
# A soak run of the eyes: under Wine on a virtual display of its own, for the given minutes, the
# pointer circling the eyes, a pupil dragged (moving the eyes) and the popup menu opened on a pupil
# and closed again, in turn, over and over. About every 10 s it samples the eyes process: resident
# memory (VmRSS), handles, GDI and USER objects and windows (read by sampler.exe from inside the
# prefix, each count two ways where Wine answers one of them with 0), with the wineserver's
# resident memory beside them. At the end it judges the samples
# with soak-verdict.sh: growth per hour after the first minute, non-zero status on a leak.
#
#   bench/soak.sh <minutes> [samples file to keep]      (./dev build first)
#
# Exit status: 0 no leak, 1 a leak or the eyes died or stopped answering, 2 too few samples.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/session.sh"

minutes=${1:-}
[[ $minutes =~ ^[0-9]+$ ]] && [ "$minutes" -gt 0 ] || { echo "usage: $0 <minutes> [samples file]" >&2; exit 1; }
keep=${2:-}
sample_every=10

echo "Preparing a virtual display and a fresh Wine prefix..."
session_start
first_run
start_program eyes "$eyes_exe"
eyes_pid=$started
wait_for_eyes 30 || { echo "The eyes did not open" >&2; exit 1; }
read -r _ home_x home_y _ < <(sampler where | grep '^form1 ')

samples=$session_root/samples.tsv
columns=(handles handles_list gdi gdi_table user windows ws_kb private_kb)
printf 'seconds\trss_kb\tserver_rss_kb' >"$samples"
printf '\t%s' "${columns[@]}" >>"$samples"
echo >>"$samples"

fail() { echo "soak: $*" >&2; exit 1; }

eyes_alive() { [ "$(awk '{ print $3 }' "/proc/$eyes_pid/stat" 2>/dev/null)" != Z ] && [ -e "/proc/$eyes_pid" ]; }

# The value of one name=value field of the sampler's stats line, "NA" when missing or failed.
field() {
    local value
    value=$(tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p")
    [[ $value =~ ^[0-9]+$ ]] && echo "$value" || echo NA
}

take_sample() {
    local stats line column
    eyes_alive || fail "the eyes process ended after $((SECONDS - start)) s"
    stats=$(sampler stats) || fail "the sampler found no eyes window: $stats"
    line="$((SECONDS - start))\t$(rss_kb "$eyes_pid")\t$(rss_kb "$server_pid")"
    for column in "${columns[@]}"; do line+="\t$(field "$stats" "$column")"; done
    printf "$line\n" >>"$samples"
    last_sample=$SECONDS
}

# The eyes window's rectangle: sets eyes_x eyes_y eyes_w eyes_h.
locate_eyes() {
    read -r _ eyes_x eyes_y eyes_w eyes_h _ < <(sampler where | grep '^form1 ') || fail "the eyes window is gone"
}

# The pointer once around the eyes: an ellipse 170 x 120 px around their centre, 36 points.
circle_once() {
    locate_eyes
    local cx=$((eyes_x + eyes_w / 2)) cy=$((eyes_y + eyes_h / 2)) moves=()
    while read -r px py; do moves+=(mousemove "$px" "$py" sleep 0.03); done < <(awk -v cx=$cx -v cy=$cy '
        BEGIN { for (a = 0; a < 360; a += 10) { r = a * 3.14159265 / 180; printf "%d %d\n", cx + 170 * cos(r), cy + 120 * sin(r) } }')
    xdotool "${moves[@]}"
}

# Puts the pointer on the centre of a pupil (left or right), found among the eyes' 14 x 14 child
# windows. The pupil turns towards the pointer and may slide a little under it: the pointer follows
# until the pupil stands still, then twitches by a pixel so the eyes see it rest on the pupil.
point_at_pupil() {
    local side=$1 pupils px py tries
    for tries in 1 2 3 4 5 6; do
        pupils=$(sampler where | awk '$1 == "child" && $4 == 14 && $5 == 14 { print $2 + 7, $3 + 7 }' | sort -n)
        [ "$(wc -l <<<"$pupils")" = 2 ] || fail "the eyes do not have two pupils: $(sampler where)"
        if [ "$side" = left ]; then pupils=$(head -1 <<<"$pupils"); else pupils=$(tail -1 <<<"$pupils"); fi
        [ "$pupils" != "${px:-} ${py:-}" ] || break
        read -r px py <<<"$pupils"
        xdotool mousemove "$px" "$py"
        sleep 0.1
    done
    xdotool mousemove_relative 1 0 sleep 0.05 mousemove_relative -- -1 0
    sleep 0.05
}

# A left-drag on a pupil by 40 x 20 px, towards where the eyes first stood, so they never wander
# off. The eyes must follow the pointer; the pupil slides a pixel now and then under it while the
# window moves, so they may end a few pixels off.
drag_count=0
drag_pupil() {
    local dx=8 dy=4 before_x before_y steps=()
    point_at_pupil left
    locate_eyes
    before_x=$eyes_x before_y=$eyes_y
    [ "$eyes_x" -le "$home_x" ] || dx=-8
    [ "$eyes_y" -le "$home_y" ] || dy=-4
    for _ in 1 2 3 4 5; do steps+=(mousemove_relative -- "$dx" "$dy" sleep 0.05); done
    xdotool mousedown 1 sleep 0.1 "${steps[@]}" sleep 0.1 mouseup 1
    sleep 0.2
    locate_eyes
    [ $(((eyes_x - before_x) * dx)) -ge $((5 * dx * dx / 2)) ] && [ $(((eyes_y - before_y) * dy)) -ge $((5 * dy * dy / 2)) ] ||
        fail "a drag by $((5 * dx)),$((5 * dy)) moved the eyes from $before_x,$before_y to $eyes_x,$eyes_y"
    drag_count=$((drag_count + 1))
}

# Waits up to 2 s for the number of visible popup menus to become the given one.
wait_menus() {
    local want=$1 tries
    for tries in 1 2 3 4 5 6 7 8 9 10; do
        [ "$(sampler menu)" = "menu $want" ] && return 0
        sleep 0.2
    done
    return 1
}

# A right-click on a pupil opens the popup menu; Escape closes it, or else a click on the empty
# desktop far from the eyes.
menu_count=0
closed_by_click=0
open_and_close_menu() {
    point_at_pupil right
    xdotool click 3
    wait_menus 1 || fail "a right-click on a pupil opened no menu"
    xdotool key Escape
    if ! wait_menus 0; then
        xdotool mousemove 20 20 click 1
        wait_menus 0 || fail "the popup menu did not close on Escape nor on a click elsewhere"
        closed_by_click=$((closed_by_click + 1))
    fi
    menu_count=$((menu_count + 1))
}

start=$SECONDS
end=$((start + minutes * 60))
echo "Soaking the eyes for $minutes minute(s): circling, dragging, opening the menu; a sample every ${sample_every} s."
take_sample
while [ $SECONDS -lt $end ]; do
    for action in circle_once drag_pupil circle_once open_and_close_menu; do
        $action
        [ $((SECONDS - last_sample)) -lt $sample_every ] || take_sample
        [ $SECONDS -lt $end ] || break
    done
done
take_sample
eyes_alive || fail "the eyes process ended"

echo "Done: $drag_count drags, $menu_count menus opened and closed ($closed_by_click closed by a click" \
     "instead of Escape), $(($(wc -l <"$samples") - 1)) samples over $((SECONDS - start)) s."
[ -z "$keep" ] || cp "$samples" "$keep"
status=0
"$top/bench/soak-verdict.sh" "$samples" 60 || status=$?
exit $status

#!/usr/bin/env bash
# The cost of watching the cursor: the CPU time of the eyes against the floor program (two timers
# that only read the cursor), in one session under Wine on a virtual display of its own.
#
#   bench/cost-of-watching.sh [seconds] [rounds]     (defaults 20 and 3; ./dev build first)
#   BENCH_PROGRAMS_DIR=<folder> bench/cost-of-watching.sh ...   measures the eyes of another build
#
# In each round, for each program, started after the other has ended: a phase with the pointer still
# (the eyes have been still for 3 s, so their timers sleep) and a phase with the pointer circling the
# eyes on one fixed path. Each phase measures only its own seconds: the CPU time of the program's
# process (the Windows process, every thread, from /proc/<pid>/task/*/schedstat), of the wineserver
# and, for information, of the X server. Rounds alternate the two programs, the eyes first in odd
# rounds and the floor first in even ones, so that a change in the machine's load falls on both.
# Prints every phase's figures, each round's ratios eyes/floor, and their minimum, median and maximum;
# exits 1 when the median of the program alone misses its target: <= 0.1 still (the eyes' timers
# sleep; a check of the cursor every 100 ms is left), <= 3.5 moving (where the eyes have always been:
# each pupil move costs Wine a repaint and a new X shape for the colour-keyed window).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/session.sh"

seconds=${1:-20}
rounds=${2:-3}
[[ $seconds =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] && [[ $rounds =~ ^[0-9]+$ ]] && [ "$rounds" -gt 0 ] ||
    { echo "usage: $0 [seconds] [rounds]" >&2; exit 1; }
target_still=0.1
target_moving=3.5

echo "Preparing a virtual display and a fresh Wine prefix..."
session_start
first_run

# The eyes stand where their first run put them; the pointer's path circles them at a distance.
start_program eyes "$eyes_exe"
wait_for_eyes 30 || { echo "The eyes did not open" >&2; exit 1; }
read -r _ eyes_x eyes_y eyes_w eyes_h _ < <(sampler where | grep '^form1 ')
stop_program "$started"
centre_x=$((eyes_x + eyes_w / 2))
centre_y=$((eyes_y + eyes_h / 2))

# One circle: an ellipse 170 x 120 px around the eyes' centre, 60 points, 20 ms apart.
circle=()
for ((angle = 0; angle < 360; angle += 6)); do
    read -r px py < <(awk -v a=$angle -v cx=$centre_x -v cy=$centre_y \
        'BEGIN { r = a * 3.14159265 / 180; printf "%d %d\n", cx + 170 * cos(r), cy + 120 * sin(r) }')
    circle+=(mousemove "$px" "$py" sleep 0.02)
done
# One xdotool process for a whole phase: more circles than the phase can use, ended at its end.
path=()
for ((n = 0; n < seconds + 2; n++)); do path+=("${circle[@]}"); done
park_x=${circle[1]}
park_y=${circle[2]}

# Measures one phase of the given program: prints "program server xvfb wall" (CPU seconds, wall s).
measure() {
    local pid=$1 p0 s0 x0 t0 p1 s1 x1 t1
    p0=$(cpu_ns "$pid"); s0=$(cpu_ns "$server_pid"); x0=$(cpu_ns "$xvfb_pid"); t0=$(date +%s.%N)
    sleep "$seconds"
    p1=$(cpu_ns "$pid"); s1=$(cpu_ns "$server_pid"); x1=$(cpu_ns "$xvfb_pid"); t1=$(date +%s.%N)
    awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" \
        'BEGIN { printf "%.4f %.4f %.4f %.2f\n", p / 1e9, s / 1e9, x / 1e9, t1 - t0 }'
}

# Both phases of one program, started here and ended after: appends "<round> <name> <phase> <figures>"
# lines to the results.
results=$session_root/results
run_program() {
    local round=$1 name=$2 exe=$3 pid mover
    start_program "$name" "$exe"
    pid=$started
    [ "$name" != eyes ] || wait_for_eyes 30 || { echo "The eyes did not open" >&2; exit 1; }
    xdotool mousemove "$park_x" "$park_y"
    sleep 3  # start-up is over, the pupils have settled on the parked pointer
    echo "$round $name still $(measure "$pid")" >>"$results"
    xdotool "${path[@]}" >/dev/null 2>&1 &
    mover=$!
    started_pids+=("$mover")
    sleep 0.5  # the pointer is on its way
    echo "$round $name moving $(measure "$pid")" >>"$results"
    stop_program "$mover"
    stop_program "$pid"
}

for ((round = 1; round <= rounds; round++)); do
    if ((round % 2)); then order=(eyes floor); else order=(floor eyes); fi
    echo "Round $round of $rounds: the ${order[0]}, then the ${order[1]}; ${seconds} s still and ${seconds} s circling each..."
    for name in "${order[@]}"; do
        if [ "$name" = eyes ]; then run_program "$round" eyes "$eyes_exe"; else run_program "$round" floor "$floor_exe"; fi
    done
done

# The table of every phase, each round's ratios, and their minimum, median and maximum.
status=0
awk -v ts="$target_still" -v tm="$target_moving" -v rounds="$rounds" '
{
    name = $2 ", " $3 " (" $1 ")"; program = $4; server = $5
    printf "%-22s %9.3f %11.3f %15.3f %8.3f %7.2f %9.2f%%\n", name, program, server, program + server, $6, $7, 100 * program / $7
    p[$1, $2, $3] = program; s[$1, $2, $3] = server
}
function sort(values, n,   i, j, v) {
    for (i = 2; i <= n; i++) { v = values[i]; for (j = i - 1; j >= 1 && values[j] > v; j--) values[j + 1] = values[j]; values[j + 1] = v }
}
function ratios(phase, target,   r, alone, both, n, verdict) {
    n = 0
    for (r = 1; r <= rounds; r++) {
        if (p[r, "floor", phase] <= 0) { printf "round %d, %s: the floor used no measurable CPU\n", r, phase; failed = 1; continue }
        n++
        alone[n] = p[r, "eyes", phase] / p[r, "floor", phase]
        both[n] = (p[r, "eyes", phase] + s[r, "eyes", phase]) / (p[r, "floor", phase] + s[r, "floor", phase])
        printf "round %d, eyes/floor %-7s program alone %.3f, program+wineserver %.3f\n", r, phase ":", alone[n], both[n]
    }
    if (n == 0) return
    sort(alone, n); sort(both, n)
    verdict = alone[int((n + 1) / 2)] <= target ? "met" : "MISSED"
    if (verdict == "MISSED") failed = 1
    printf "eyes/floor, %-7s program alone min %.3f median %.3f max %.3f; program+wineserver min %.3f median %.3f max %.3f (median of the program alone, target <= %s: %s)\n", \
        phase ":", alone[1], alone[int((n + 1) / 2)], alone[n], both[1], both[int((n + 1) / 2)], both[n], target, verdict
}
BEGIN {
    print "CPU seconds in each phase (user+system), wall seconds, and the program'"'"'s share of one core:"
    printf "%-22s %9s %11s %15s %8s %7s %10s\n", "phase (round)", "program", "wineserver", "program+server", "Xvfb", "wall", "program"
}
END { ratios("still", ts); ratios("moving", tm); exit failed }' "$results" || status=$?
exit $status

#!/usr/bin/env bash
# Start-up time of the eyes: from starting TavrinEyes.exe to its window standing visible on the X
# display, over several later starts (the first run, which writes the settings, is not counted), in
# one session under Wine on a virtual display of its own.
#
#   bench/startup.sh [runs] [dpi]                   (defaults 10 and 96; ./dev build first)
#   BENCH_PROGRAMS_DIR=<folder> bench/startup.sh ...   measures the eyes of another build
#
# Prints each start's milliseconds, then the median and the fastest. Most of the time is Wine's own
# start of a process; what the eyes do themselves is the difference between two builds measured
# with the same runs on the same machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/bench/session.sh"

runs=${1:-10}
dpi=${2:-96}
[[ $runs =~ ^[0-9]+$ ]] && [ "$runs" -gt 0 ] && [[ $dpi =~ ^[0-9]+$ ]] && [ "$dpi" -ge 96 ] ||
    { echo "usage: $0 [runs] [dpi of 96 or more]" >&2; exit 1; }

echo "Preparing a virtual display and a fresh Wine prefix..."
session_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
first_run

eyes_visible() { xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; }

times=()
for ((run = 1; run <= runs; run++)); do
    t0=$(date +%s%N)
    start_program eyes "$eyes_exe"
    deadline=$((SECONDS + 30))
    until eyes_visible; do
        [ $SECONDS -lt $deadline ] || { echo "The eyes did not open (run $run)" >&2; exit 1; }
        sleep 0.005
    done
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000000)))
    echo "run $run: ${times[-1]} ms"
    stop_program "$started"
    while eyes_visible; do sleep 0.05; done
    sleep 0.5
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "dpi %d, %d runs: median %d ms, fastest %d ms\n", '"$dpi"', NR, median, t[1] }'

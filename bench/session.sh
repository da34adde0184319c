# One session for the benchmark and the soak run, sourced by both: a virtual display of its own, a
# fresh Wine prefix of its own with the programs installed, a persistent wineserver, and a clean-up
# that stops every process the session started, also on Ctrl-C.
#
# Needs: top (the repository), and the cross build in $top/build/win. BENCH_PROGRAMS_DIR names
# another folder holding TavrinEyes.exe and its siblings, to measure another build of them.

bench_dir=$top/build/win/bench
programs_dir=${BENCH_PROGRAMS_DIR:-$top/build/win/TavrinEyes}
install_dir='C:\Program Files\Tavrin Eyes'
eyes_exe="$install_dir\\TavrinEyes.exe"
floor_exe='C:\bench\floor.exe'
sampler_exe='C:\bench\sampler.exe'

session_root=
xvfb_pid=
started_pids=()   # Windows programs (their Linux pids) and helpers started by the session

session_cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    started_pids=()
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
    if [ -n "$session_root" ]; then
        rm -rf "$session_root"
        session_root=
    fi
}

# Clean-up on every way out: the end of the script, an error, Ctrl-C, kill. A failing command names
# itself (functions too: errtrace).
set -E
trap 'echo "bench: \"$BASH_COMMAND\" failed (status $?, line $LINENO)" >&2' ERR
trap session_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts the display, makes and fills the prefix, starts the server. Argument: the screen size.
session_start() {
    local screen=${1:-1024x768}
    for program in "$programs_dir/TavrinEyes.exe" "$bench_dir/floor.exe" "$bench_dir/sampler.exe"; do
        [ -f "$program" ] || { echo "Missing $program: run ./dev build first." >&2; exit 1; }
    done
    session_root=$(mktemp -d /tmp/tavrin-bench-XXXXXX)

    local display_file="$session_root/display"
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -wr 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    local waited=0
    while [ ! -s "$display_file" ]; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
    done
    export DISPLAY=:$(cat "$display_file")

    export WINEPREFIX=$session_root/prefix
    export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    "$top/tests/e2e/make-prefix.sh" "$WINEPREFIX"

    local target="$WINEPREFIX/drive_c/Program Files/Tavrin Eyes"
    mkdir -p "$target" "$WINEPREFIX/drive_c/bench"
    cp "$programs_dir"/*.exe "$target/"
    cp "$bench_dir/floor.exe" "$bench_dir/sampler.exe" "$WINEPREFIX/drive_c/bench/"

    wineserver -p >/dev/null 2>&1
    server_pid=$(find_server_pid)
    [ -n "$server_pid" ] || { echo "The wineserver of $WINEPREFIX was not found" >&2; exit 1; }
}

# The pid of this prefix's wineserver: the one whose environment names the prefix.
find_server_pid() {
    local proc comm
    for proc in /proc/[0-9]*; do
        read -r comm 2>/dev/null <"$proc/comm" || continue
        case "$comm" in wineserver*) ;; *) continue ;; esac
        if tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "${proc#/proc/}"
            return
        fi
    done
}

# Starts a Windows program in the background; its Linux pid (the Windows process) goes to $started.
start_program() {
    local name=$1
    shift
    wine "$@" >"$session_root/$name.log" 2>&1 &
    started=$!
    started_pids+=("$started")
}

# Ends a program started by start_program.
stop_program() {
    local pid=$1 kept=() other
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    for other in "${started_pids[@]}"; do [ "$other" = "$pid" ] || kept+=("$other"); done
    started_pids=("${kept[@]}")
}

# Runs the sampler with one command; its output goes to standard output (through a file, as wine's
# helpers keep pipes open). Status: the sampler's (0, or 2 when there is no eyes window). Any other
# status means wine could not run the sampler this time (seen on a loaded machine): it is run again,
# up to three times, and each failure is told on standard error.
sampler() {
    local out="$session_root/sampler.out" status attempt
    for attempt in 1 2 3; do
        status=0
        wine "$sampler_exe" "$1" >"$out" 2>"$out.err" </dev/null || status=$?
        [ "$status" -ne 0 ] && [ "$status" -ne 2 ] || break
        echo "bench: the sampler ($1) ended with status $status: $(head -c 300 "$out.err" | tr '\n' ' ')" >&2
        sleep 0.5
    done
    tr -d '\r' <"$out"
    return $status
}

# Waits until the eyes window stands visible. Status 1 after the given seconds.
wait_for_eyes() {
    local deadline=$((SECONDS + ${1:-20}))
    while [ $SECONDS -lt $deadline ]; do
        if sampler where 2>/dev/null | grep -q '^form1 .* 1$'; then return 0; fi
        sleep 0.2
    done
    return 1
}

# The eyes' first run in this prefix writes their settings; later runs start like a user's daily one.
first_run() {
    start_program eyes-first "$eyes_exe"
    local pid=$started
    wait_for_eyes 30 || { echo "The eyes did not open on their first run" >&2; exit 1; }
    sleep 1
    stop_program "$pid"
}

# CPU time (user + system) of a Linux process in clock ticks: fields 14 and 15 of /proc/<pid>/stat,
# counted after the command name, which may hold blanks.
cpu_ticks() {
    local stat
    stat=$(cat "/proc/$1/stat") || return 1
    stat=${stat##*) }
    set -- $stat
    echo $((${12} + ${13}))
}

clock_ticks=$(getconf CLK_TCK)

# CPU time a Linux process has run, all its threads, in nanoseconds (the first field of each thread's
# schedstat): finer than the clock ticks, which cannot tell a sleeping program's few milliseconds.
cpu_ns() {
    local total=0 task run _
    for task in /proc/"$1"/task/*/schedstat; do
        read -r run _ <"$task" 2>/dev/null || continue
        total=$((total + run))
    done
    echo "$total"
}

# Resident memory of a Linux process, kB.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

#!/usr/bin/env bash
# Fuzzes the eyes' start-up over arbitrary settings for the given number of seconds (default 60).
#   fuzz/run.sh [seconds]
# Builds startup_fuzz with Clang and libFuzzer in build/fuzz, copies the committed seed corpus into
# build/fuzz/corpus (the inputs found by earlier runs stay there; the committed corpus is only read)
# and fails on any finding: a broken invariant, a crash, a sanitizer report, a leak or a hang. A
# finding is written to build/fuzz/findings/; replay it with
#   STARTUP_FUZZ_TRACE=1 build/fuzz/fuzz/startup_fuzz build/fuzz/findings/<file>
set -euo pipefail
seconds=${1:-60}
case "$seconds" in '' | *[!0-9]*) echo "usage: fuzz/run.sh [seconds]" >&2; exit 2 ;; esac
cd "$(dirname "$0")/.."
top=$PWD
build=$top/build/fuzz

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "Clang and libFuzzer are missing: run ./dev build (it installs clang and libclang-rt-14-dev)" >&2
    exit 1
fi

mkdir -p "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --target startup_fuzz

corpus=$build/corpus
findings=$build/findings
mkdir -p "$corpus" "$findings"
cp "$top"/fuzz/corpus/* "$corpus"/
log=$build/fuzz.log

echo "Fuzzing the start-up for $seconds s from $(ls "$corpus" | wc -l) inputs ($(ls "$top"/fuzz/corpus | wc -l) seeds)"
# A small quarantine and short allocation stacks: about four times the executions per second. A
# finding replayed on its own gets the full reports.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16:malloc_context_size=5
start=$(date +%s.%N)
status=0
"$build"/fuzz/startup_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -dict="$top"/fuzz/settings.dict -artifact_prefix="$findings"/ "$corpus" >"$log" 2>&1 || status=$?
end=$(date +%s.%N)

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
printf 'Executions: %s in %.1f s (%s per second); corpus now %s inputs\n' "${executions:-?}" \
    "$(awk -v a="$start" -v b="$end" 'BEGIN{print b - a}')" "${rate:-?}" "$(ls "$corpus" | wc -l)"
if [ "$status" -ne 0 ]; then
    echo "FINDING (libFuzzer status $status); the log is $log:" >&2
    grep -E -A3 'broken invariant|ERROR:|runtime error|SUMMARY|Test unit written' "$log" >&2 || tail -40 "$log" >&2
    exit 1
fi
echo "No findings."

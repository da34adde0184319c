#!/usr/bin/env bash
# Tests of soak-verdict.sh on made-up sample series: each case writes a series, runs the verdict and
# checks its exit status and, where it matters, a line of its report.
set -euo pipefail
verdict=$(cd "$(dirname "$0")" && pwd)/soak-verdict.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# series <file> <samples> <awk expression per column: rss handles gdi>, evaluated with t = seconds
# and i = sample index (0-based), one sample every 10 s.
series() {
    local file=$1 count=$2 rss=$3 handles=$4 gdi=$5
    awk -v count="$count" 'BEGIN {
        printf "seconds\trss_kb\thandles\tgdi\n"
        for (i = 0; i < count; i++) { t = i * 10; printf "%d\t%s\t%s\t%s\n", t, '"$rss"', '"$handles"', '"$gdi"' }
    }' >"$file"
}

# expect <case name> <expected status> <file> [text the report must hold]
expect() {
    local name=$1 want=$2 file=$3 text=${4:-} status=0
    bash "$verdict" "$file" >"$work/out" 2>&1 || status=$?
    if [ "$status" != "$want" ]; then
        echo "FAIL $name: status $status, expected $want"; cat "$work/out"; failures=$((failures + 1)); return
    fi
    if [ -n "$text" ] && ! grep -qF -- "$text" "$work/out"; then
        echo "FAIL $name: the report lacks \"$text\""; cat "$work/out"; failures=$((failures + 1)); return
    fi
    echo "ok   $name"
}

# Memory.
series "$work/flat" 180 '50000 + (i % 3) * 40' 120 '300'
expect "flat memory with jitter, steady counts" 0 "$work/flat" "ok (limit 5120 kB/h)"

series "$work/leak" 180 '50000 + i * 30' 120 300   # 30 kB every 10 s: 10.8 MB/h
expect "memory growing 10.8 MB/h over half an hour" 1 "$work/leak" "LEAK: grows faster than 5120 kB/h"

series "$work/slow" 180 '50000 + i * 10' 120 300   # 3.6 MB/h: under the limit
expect "memory growing under the limit" 0 "$work/slow"

series "$work/warm" 180 '(t < 60 ? 40000 + t * 100 : 46000)' 120 300
expect "memory growing only during the warm-up" 0 "$work/warm"

series "$work/short-settle" 13 '(t < 60 ? 40000 : 40000 + (t - 60) * 3)' 120 300   # +180 kB in a minute
expect "short run: a steep but small rise is the heap settling" 0 "$work/short-settle"

series "$work/short-leak" 13 '(t < 60 ? 40000 : 40000 + (t - 60) * 40)' 120 300   # +2.4 MB in a minute
expect "short run: a fast leak is caught" 1 "$work/short-leak" "LEAK"

# Object counts.
series "$work/handles" 13 50000 '100 + i' 300
expect "a handle more at every sample" 1 "$work/handles" "LEAK: grows steadily"

series "$work/step" 40 50000 '(t < 200 ? 100 : 101)' 300
expect "one step up after the warm-up is not a leak" 0 "$work/step"

series "$work/swing" 40 50000 '100 + i % 2 * 3' 300
expect "counts coming and going" 0 "$work/swing"

series "$work/sawtooth" 40 50000 '100 + i % 4' 300   # rises 3 times in 4, but ends where it began
expect "a sawtooth that returns is not a leak" 0 "$work/sawtooth"

series "$work/gdi-zero" 13 50000 120 0
expect "GDI objects 0 throughout are not judged" 0 "$work/gdi-zero" "0 throughout: not counted here, not judged"

series "$work/gdi-leak" 13 50000 120 '300 + 2 * i'
expect "GDI objects growing" 1 "$work/gdi-leak" "LEAK"

series "$work/na" 13 50000 '"NA"' 300
expect "a count that cannot be read" 0 "$work/na" "could not be read"

series "$work/few" 7 50000 120 300   # samples at 0..60 s: only one after the warm-up
expect "too few samples after the warm-up" 2 "$work/few" "at least 3 are needed"

series "$work/nan-rss" 13 '(i == 8 ? "NA" : 50000)' 120 '(i == 8 ? "NA" : 300)'
expect "a sample lost now and then does not stop the memory verdict" 0 "$work/nan-rss" "ok (limit"

[ $failures -eq 0 ] && echo "All soak verdict cases passed." || { echo "$failures case(s) failed."; exit 1; }

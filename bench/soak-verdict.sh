#!/usr/bin/env bash
# Judges the samples of a soak run.
#
#   bench/soak-verdict.sh <samples.tsv> [warm-up seconds (60)] [memory limit kB/h (5120)]
#
# The file has a header line naming its columns, then one sample a line, tab-separated; the first
# column is the second of the run the sample was taken at. A value is "NA" when it could not be read.
# For each column it prints the first and last value and the growth per hour: the slope of a linear
# least-squares fit over the samples taken after the warm-up.
#   rss_kb       (the program's resident memory) fails when it grows faster than the limit and by more
#                than 512 kB over the fitted samples: a short run cannot tell a slow leak from the
#                heap settling, so it catches only fast leaks; a long run catches slow ones.
#   handles, handles_list, gdi, gdi_table, user, windows  (object counts) fail when they grow steadily: rising from sample
#                to sample at least 3 times, and the whole last third of the fitted samples above all
#                of the first third. A single step (a cache filled once) or counts coming and going
#                are no leak. A column that is 0 throughout is reported as not counted, not judged.
#   other columns are reported for information.
# Exit status: 0 all judged columns pass, 1 a leak, 2 unusable input (too few samples after warm-up).
set -euo pipefail

samples=${1:?usage: soak-verdict.sh <samples.tsv> [warm-up s] [memory limit kB/h]}
warmup=${2:-60}
limit=${3:-5120}

awk -F'\t' -v warmup="$warmup" -v limit="$limit" -v noise=512 '
NR == 1 { columns = NF; for (c = 1; c <= NF; c++) name[c] = $c; next }
NF == 0 { next }
{
    n++
    for (c = 1; c <= columns; c++) value[n, c] = $c
}
function judged_count(column) { return column ~ /^(handles|handles_list|gdi|gdi_table|user|windows)$/ }
END {
    if (n == 0) { print "soak: no samples"; exit 2 }
    # The samples the fit uses: those after the warm-up.
    for (i = 1; i <= n; i++) if (value[i, 1] + 0 >= warmup) fit[++m] = i
    if (m < 3) { printf "soak: only %d samples after the %d s warm-up; at least 3 are needed\n", m, warmup; exit 2 }
    printf "%-14s %12s %12s %14s  %s\n", "measure", "start", "end", "growth/hour", "verdict"
    failed = 0
    for (c = 2; c <= columns; c++) {
        missing = 0; nonzero = 0
        for (i = 1; i <= n; i++) {
            if (value[i, c] == "NA") missing++
            else if (value[i, c] + 0 != 0) nonzero = 1
        }
        if (missing == n) { printf "%-14s %12s %12s %14s  %s\n", name[c], "NA", "NA", "-", "could not be read"; continue }
        # Least squares over the fitted samples that hold a value: the slope per second.
        k = 0; sx = 0; sy = 0; sxx = 0; sxy = 0; rises = 0; falls = 0; previous = ""
        for (j = 1; j <= m; j++) {
            i = fit[j]
            if (value[i, c] == "NA") continue
            x = value[i, 1]; y = value[i, c] + 0
            k++; sx += x; sy += y; sxx += x * x; sxy += x * y
            fv[k] = y
            if (previous != "") { if (y > previous) rises++; else if (y < previous) falls++ }
            previous = y
        }
        first_fit = fv[1]; last_fit = fv[k]
        # The first and last thirds of the fitted values: a leak lifts the whole last third above
        # everything in the first.
        third = int(k / 3); if (third < 1) third = 1
        max_first = fv[1]; for (j = 2; j <= third; j++) if (fv[j] > max_first) max_first = fv[j]
        min_last = fv[k]; for (j = k - third + 1; j < k; j++) if (fv[j] < min_last) min_last = fv[j]
        slope = (k >= 2 && k * sxx - sx * sx != 0) ? (k * sxy - sx * sy) / (k * sxx - sx * sx) : 0
        per_hour = slope * 3600
        start = value[1, c]; end = value[n, c]
        verdict = "information"
        if (name[c] == "rss_kb") {
            if (per_hour > limit && last_fit - first_fit > noise) { verdict = "LEAK: grows faster than " limit " kB/h"; failed = 1 }
            else verdict = "ok (limit " limit " kB/h)"
        } else if (judged_count(name[c])) {
            if (!nonzero) verdict = "0 throughout: not counted here, not judged"
            else if (missing > 0) verdict = "unreadable in " missing " samples: not judged"
            else if (k >= 3 && rises >= 3 && min_last > max_first) { verdict = "LEAK: grows steadily"; failed = 1 }
            else verdict = "ok"
        }
        printf "%-14s %12s %12s %14.1f  %s\n", name[c], start, end, per_hour, verdict
    }
    exit failed
}' "$samples"

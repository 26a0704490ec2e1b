#!/usr/bin/env bash
# Prints the list reader's throughput next to that of `wc -l` on the same
# generated files, all measured in this run with a warm cache (best of RUNS).
# "whole run" times one process from start to exit, as `wc -l` is timed;
# "in process" is bench_traffic's own rate for repeated reads in one process.
# Builds nothing: give the build folder that holds bench/traffic/bench_traffic,
# and optionally a folder that already holds airports.txt and aircraft.txt
# (as bench_traffic --write-files writes them).
#   throughput.sh [BUILD] [FILES]
set -euo pipefail
export LC_ALL=C

build=${1:-build/testing}
given=${2:-}
runs=${RUNS:-5}
bench="$build/bench/traffic/bench_traffic"
if [[ ! -x $bench ]]; then
    echo "no $bench; build the bench_traffic target first" >&2
    exit 1
fi

if [[ -n $given ]]; then
    folder=$given
else
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    "$bench" --write-files "$folder"
fi
cat "$folder"/*.txt >/dev/null

# Best wall-clock seconds of a whole command over the runs.
best_seconds() {
    local best="" start end
    for ((run = 0; run < runs; run++)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null
        end=$EPOCHREALTIME
        best=$(awk -v b="$best" -v t="$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')" \
            'BEGIN { print (b == "" || t < b) ? t : b }')
    done
    echo "$best"
}

# Best in-process rate of one Google Benchmark, in bytes per second.
in_process_rate() {
    BENCH_FILES=$folder "$bench" --benchmark_filter="^$1/" --benchmark_repetitions="$runs" \
        --benchmark_format=csv 2>/dev/null |
        awk -F, -v name="\"$1/real_time\"" '$1 == name && $6 > best { best = $6 } END { print best }'
}

mb() { awk -v bytes="$1" -v seconds="$2" 'BEGIN { printf "%.0f", bytes / seconds / 1e6 }'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

printf '%-13s %6s %11s | %12s %6s | %12s %6s\n' '' '' 'wc -l' 'reader' '' 'reader' ''
printf '%-13s %6s %11s | %12s %6s | %12s %6s\n' file MB 'whole run' 'in process' 'vs wc' 'whole run' 'vs wc'
for pair in airports:ReadAirportList aircraft:ReadAircraftList; do
    kind=${pair%%:*}
    file="$folder/$kind.txt"
    bytes=$(stat -c %s "$file")
    wc_rate=$(mb "$bytes" "$(best_seconds wc -l "$file")")
    inside=$(awk -v r="$(in_process_rate "${pair#*:}")" 'BEGIN { printf "%.0f", r / 1e6 }')
    whole=$(mb "$bytes" "$(best_seconds "$bench" --read "$kind" "$file")")
    printf '%-13s %6.1f %6s MB/s | %7s MB/s %6s | %7s MB/s %6s\n' "$kind.txt" \
        "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" "$wc_rate" \
        "$inside" "$(ratio "$inside" "$wc_rate")" "$whole" "$(ratio "$whole" "$wc_rate")"
done

#!/usr/bin/env bash
# Prints the list reader's throughput next to that of `wc -l` on the same
# generated files, all measured in this run with a warm cache (best of RUNS).
# Builds nothing: give the build folder that holds bench/traffic/bench_traffic.
set -euo pipefail
export LC_ALL=C

build=${1:-build/testing}
runs=${RUNS:-5}
bench="$build/bench/traffic/bench_traffic"
if [[ ! -x $bench ]]; then
    echo "no $bench; build the bench_traffic target first" >&2
    exit 1
fi

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$bench" --write-files "$folder"
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
    "$bench" --benchmark_filter="^$1/" --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null |
        awk -F, -v name="\"$1/real_time\"" '$1 == name && $6 > best { best = $6 } END { print best }'
}

mb() { awk -v bytes="$1" -v seconds="$2" 'BEGIN { printf "%.0f", bytes / seconds / 1e6 }'; }

printf '%-13s %9s %14s %14s %14s %10s\n' file MB 'reader MB/s' 'reader MB/s' 'wc -l MB/s' 'reader/wc'
printf '%-13s %9s %14s %14s %14s %10s\n' '' '' '(in process)' '(whole run)' '(whole run)' '(whole run)'
for pair in airports:ReadAirportList aircraft:ReadAircraftList; do
    kind=${pair%%:*}
    file="$folder/$kind.txt"
    bytes=$(stat -c %s "$file")
    inside=$(in_process_rate "${pair#*:}")
    reader=$(best_seconds "$bench" --read "$kind" "$file")
    wc=$(best_seconds wc -l "$file")
    printf '%-13s %9.1f %14.0f %14s %14s %10.2f\n' "$kind.txt" "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" \
        "$(awk -v r="$inside" 'BEGIN { print r / 1e6 }')" "$(mb "$bytes" "$reader")" "$(mb "$bytes" "$wc")" \
        "$(awk -v r="$reader" -v w="$wc" 'BEGIN { print w / r }')"
done

#!/usr/bin/env bash
# The performance report in one command: builds the release program (release
# preset) and the benchmarks (bench preset, build/bench), writes one airports
# file of 1,000,000 records and one aircraft file, and prints, all measured in
# this run on those files:
#   - the list reader against `wc -l` (bench/traffic/throughput.sh);
#   - loading the airports into both pick lists and showing them: time and
#     memory; one search keystroke over them, median and worst of 100
#     (bench/lists/bench_lists, offscreen);
#   - Check Flight Plans on a file of 100,000 plan lines against 25,000
#     airports and 2,000 aircraft: the check alone in lines per second, and
#     from the file chosen to the check window painted: time and memory
#     (bench/check/bench_check, offscreen);
#   - the start of zephlan until its welcome window is mapped and painted,
#     against a minimal Qt Widgets window, offscreen and under Xvfb, median of
#     20. The first painted frame is seen by bench/startup/first_frame, a
#     library preloaded into the program that notes the moment the first frame
#     goes to the window system and ends the program; under X that moment
#     comes after the window was mapped and exposed.
# Each figure is set beside its goal.
#
# `report.sh --smoke BUILD` runs the same programs of an existing build folder
# (the testing or asan preset's) once each on files of 2,000 airports: it
# builds nothing, and its figures say only that every program ran to its end
# (the check then runs on 2,000 plan lines).
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
starts=20
if [[ ${1:-} == --smoke ]]; then
    build=${2:?report.sh --smoke BUILD}
    zephlan=$build/app/zephlan
    export BENCH_RECORDS=2000 RUNS=1
    starts=1
    # The start is timed with a library preloaded ahead of the sanitizers' own.
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
else
    build=build/bench
    zephlan=build/release/app/zephlan
    source scripts/setup.sh
    zephlan_install_missing
    {
        cmake --preset release && zephlan_build release
        cmake --preset bench && zephlan_build bench
    } >/dev/null
fi

bench=$build/bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
"$bench/traffic/bench_traffic" --write-files "$work/files"
cat "$work/files"/*.txt >/dev/null

verdict() { awk -v v="$1" -v goal="$2" -v op="$3" 'BEGIN {
    met = op == "<" ? v < goal : v >= goal
    if (met) print "goal met"
    else if (op == "<") printf "goal missed by %.2fx\n", v / goal
    else printf "goal missed: %.0f%% of it\n", 100 * v / goal }'; }

echo "== List reader against wc -l (MB/s, best of ${RUNS:-5}) =="
bench/traffic/throughput.sh "$build" "$work/files" | tee "$work/throughput"
ratio=$(awk '$1 == "airports.txt" { print $8 }' "$work/throughput")
echo "reader in process / wc -l on airports.txt: $ratio (goal at least 0.5: $(verdict "$ratio" 0.5 '>='))"
echo

echo "== $(grep -c . "$work/files/airports.txt") airports into both pick lists, offscreen =="
BENCH_AIRPORTS="$work/files/airports.txt" QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= \
    "$bench/lists/bench_lists" --benchmark_format=csv 2>"$work/lists.err" >"$work/lists.csv" ||
    { cat "$work/lists.err" >&2; echo "bench_lists failed" >&2; exit 1; }
if grep -q '^[^,]*,.*,"\?true"\?,' "$work/lists.csv"; then
    echo "bench_lists could not run a benchmark:" >&2
    grep ',"\?true"\?,' "$work/lists.csv" >&2
    exit 1
fi
# One value of a row whose name matches, from the column named in the header.
column() { awk -F, -v row="$1" -v name="$2" 'NR == 1 { gsub(/"/, ""); for (i = 1; i <= NF; i++) at[$i] = i; next }
    $1 ~ row { gsub(/"/, "", $(at[name])); print $(at[name]); exit }' "$work/lists.csv"; }
load_ms=$(column '^"openAirportList' real_time)
load_cpu=$(column '^"openAirportList' cpu_time)
peak=$(column '^"openAirportList' peak_rss_MB)
before=$(column '^"openAirportList' rss_before_MB)
after=$(column '^"openAirportList' rss_after_MB)
printf 'load and show: %.0f ms, %.0f ms on the CPU (mean of 3; goal under 300 ms: %s)\n' "$load_ms" "$load_cpu" \
    "$(verdict "$load_ms" 300 '<')"
printf 'memory: peak %.0f MB resident for the whole process (goal under 150 MB: %s); %.0f MB before, %.0f MB kept after\n' \
    "$peak" "$(verdict "$peak" 150 '<')" "$before" "$after"
# Wall time is what the user waits; CPU time beside it tells the program's own
# work from the moments another process had the processor.
for search in prefix_at_start last_entry no_match; do
    median=$(column "^\"searchKeystroke/$search/.*_median\"" real_time)
    max=$(column "^\"searchKeystroke/$search/.*_max\"" real_time)
    max_cpu=$(column "^\"searchKeystroke/$search/.*_max\"" cpu_time)
    printf 'keystroke %-16s median %.3f ms, worst %.3f ms of 100 (%.3f ms on the CPU) (goal under 1 ms: median %s, worst %s)\n' \
        "$search" "$median" "$max" "$max_cpu" "$(verdict "$median" 1 '<')" "$(verdict "$max" 1 '<')"
done
echo

# Each benchmark in a process of its own, so that one's memory does not count for the other.
check_run() {
    QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= "$bench/check/bench_check" --benchmark_filter="$1" \
        --benchmark_format=csv 2>"$work/check.err" >"$work/check-$1.csv" ||
        { cat "$work/check.err" >&2; echo "bench_check failed" >&2; exit 1; }
    if grep -q ',"\?true"\?,' "$work/check-$1.csv"; then
        echo "bench_check could not run $1:" >&2
        cat "$work/check-$1.csv" >&2
        exit 1
    fi
}
check_run checkPlans
check_run checkAndShow
lines=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^"?lines"?$/) c = i; next } { print $c; exit }' \
    "$work/check-checkPlans.csv")
echo "== Check Flight Plans: $(printf "%.0f" "$lines") plan lines against 25,000 airports and 2,000 aircraft, offscreen =="
per_second=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^"?lines_per_second"?$/) c = i; next } { print $c; exit }' \
    "$work/check-checkPlans.csv")
check_ms=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^"?real_time"?$/) c = i; next } { print $c; exit }' \
    "$work/check-checkPlans.csv")
printf 'the check alone: %.0f lines per second (%.0f ms a file, mean of 5)\n' "$per_second" "$check_ms"
shown_ms=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^"?real_time"?$/) c = i; next } { print $c; exit }' \
    "$work/check-checkAndShow.csv")
shown_peak=$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i ~ /^"?peak_rss_MB"?$/) c = i; next } { print $c; exit }' \
    "$work/check-checkAndShow.csv")
printf 'read, checked and shown: %.0f ms (mean of 3; goal under 1000 ms: %s)\n' "$shown_ms" "$(verdict "$shown_ms" 1000 '<')"
printf 'memory: peak %.0f MB resident for the whole process, lists included (goal under 150 MB: %s)\n' "$shown_peak" \
    "$(verdict "$shown_peak" 150 '<')"
echo

# Milliseconds from the start of a program until its first painted frame, the median of the starts.
first_frame_ms() {
    local times=() start
    for ((run = 0; run < starts; run++)); do
        rm -f "$work/frame"
        start=$EPOCHREALTIME
        FIRST_FRAME_FILE="$work/frame" LD_PRELOAD="$(realpath "$bench/startup/libfirst_frame.so")" QT_QPA_PLATFORMTHEME= \
            timeout 30 "$@" >/dev/null 2>&1 || true
        [[ -s $work/frame ]] || { echo "no frame from $*" >&2; return 1; }
        times+=("$(awk -v s="$start" -v f="$(cat "$work/frame")" 'BEGIN { print (f - s) * 1000 }')")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{ t[NR] = $1 } END { print (t[int((NR + 1) / 2)] + t[int(NR / 2) + 1]) / 2 }'
}

start_report() {
    local own minimal
    own=$(first_frame_ms "$zephlan")
    minimal=$(first_frame_ms "$bench/startup/minimal_window")
    ratio=$(awk -v a="$own" -v b="$minimal" 'BEGIN { printf "%.2f", a / b }')
    printf '%-9s zephlan %6.1f ms, minimal window %6.1f ms: %sx (goal within 1.3x: %s)\n' "$1" "$own" "$minimal" \
        "$ratio" "$(verdict "$ratio" 1.3 '<')"
}

echo "== Start until the first window is mapped and painted (median of $starts) =="
QT_QPA_PLATFORM=offscreen start_report offscreen
source app/tests/x11_harness.sh
x11_start_server
x11_at_exit 'rm -rf "$work"'
QT_QPA_PLATFORM=xcb start_report Xvfb

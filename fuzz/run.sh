#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer and the sanitizers,
# in build/fuzz) and runs each of them for SECONDS, as many at once as there are
# processors, from its seed
# corpus in fuzz/corpus/<name> and what earlier runs found (build/fuzz/fuzz/corpus).
# Prints the executions each reached; a finding stops its run and is kept in
# build/fuzz/fuzz/findings. Exits non-zero when any target found something.
#   fuzz/run.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS}
source scripts/setup.sh
zephlan_install_missing
cmake --preset fuzz >/dev/null
zephlan_build fuzz

build=build/fuzz/fuzz
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
names=(trafficfieldreader trafficlist flightnumber windows1252)
run_one() {
    "$build/fuzz_$1" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$1-" "$build/corpus/$1" "fuzz/corpus/$1" >"$logs/$1" 2>&1
}
export -f run_one
export seconds build logs
status=0
printf '%s\n' "${names[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one {}' || status=$?

printf '%-20s %15s %12s  %s\n' target executions 'per second' result
for name in "${names[@]}"; do
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$logs/$name")
    result=passed
    if grep -q -E '^==[0-9]+==ERROR|deadly signal|runtime error' "$logs/$name"; then
        result="FINDING (see $build/findings)"
        tail -n 40 "$logs/$name" >&2
    fi
    printf '%-20s %15s %12s  %s\n' "$name" "${runs:-?}" "$(( ${runs:-0} / seconds ))" "$result"
done
exit "$status"

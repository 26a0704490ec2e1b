#!/usr/bin/env bash
# Fuzzes for longer than the suite does: builds the fuzz preset with each
# target's run set to SECONDS and runs them through CTest, as many at once as
# there are processors, each from its seed corpus and what earlier runs found.
# A finding is kept in build/fuzz/fuzz/findings and fails its test. Prints the
# executions each target reached. The suite's 30 s are put back on the way out.
#   fuzz/run.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS}
source scripts/setup.sh
zephlan_install_missing
trap 'cmake --preset fuzz -DZEPHLAN_FUZZ_SECONDS=30 >/dev/null' EXIT
cmake --preset fuzz -DZEPHLAN_FUZZ_SECONDS="$seconds" >/dev/null
zephlan_build fuzz

status=0
ctest --preset fuzz --parallel "$(nproc)" --verbose >build/fuzz/fuzz-run.log 2>&1 || status=$?
awk -v s="$seconds" '
    /: Test command: / { n = $1; match($0, /fuzz_[a-z0-9]+/); name[n] = substr($0, RSTART, RLENGTH) }
    /stat::number_of_executed_units/ { printf "%-26s %15s executions %10d per second\n", name[$1], $NF, $NF / s }
' build/fuzz/fuzz-run.log
grep -E 'Test +#[0-9]+: fuzz_' build/fuzz/fuzz-run.log || true
exit "$status"

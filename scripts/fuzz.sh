#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while on a scratch copy of its seed corpus
# (outside the repo), then prints executions and findings per target.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target name filter]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
filter=${2:-}
cd "$root"

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DWEXTOR_FUZZ=ON -DWEXTOR_WERROR=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j2 >/dev/null

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wextor-fuzz.XXXXXX")
echo "scratch corpora and findings in $scratch"
total_findings=0
printf '%-20s %14s %9s %9s\n' target executions exec/s findings
for exe in build/fuzz/fuzz_*; do
    [ -x "$exe" ] || continue
    name=$(basename "$exe")
    [[ -z "$filter" || "$name" == *"$filter"* ]] || continue
    seeds="tests/fuzz/corpus/${name#fuzz_}"
    work="$scratch/$name"
    mkdir -p "$work/corpus" "$work/findings"
    [ -d "$seeds" ] && cp "$seeds"/* "$work/corpus/" 2>/dev/null || true
    # A finding ends the run of that target early; its input is kept under findings/
    "$exe" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" \
           "$work/corpus" >"$work/log" 2>&1 || true
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$' || echo 0)
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$work/log" | grep -o '[0-9]*$' || echo 0)
    findings=$(find "$work/findings" -type f | wc -l)
    total_findings=$((total_findings + findings))
    printf '%-20s %14s %9s %9s\n' "$name" "${execs:-0}" "${rate:-0}" "$findings"
    if [ "$findings" -gt 0 ]; then
        find "$work/findings" -type f | sed 's/^/    /'
        grep -m3 -E 'ERROR|SUMMARY|deadly' "$work/log" | sed 's/^/    /' || true
    fi
done
echo "findings: $total_findings"
[ "$total_findings" -eq 0 ]

#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang and runs each in
# turn for SECONDS (default 20), starting from seeds made from
# tests/fixtures and the reproducers kept in tests/fuzz/regressions.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS ...]
#
# Prints per harness the inputs run and the findings; exits 1 when any
# harness found a crash, a leak or a hang (the input is kept in
# build-fuzz/findings/HARNESS/). The corpus grown by each run stays in
# build-fuzz/corpus/HARNESS for the next one.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${TELVIO_FUZZ_DIR:-$top/build-fuzz}
jobs=$(nproc 2>/dev/null || echo 2)
seconds=${1:-20}
shift || true
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(answermatch pageparsers simcommandline simoptions simmodem clifrom profileloader)
fi

bash "$top/scripts/setup.sh" fuzz-deps
cmake -S "$top" -B "$build" -DTELVIO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1"
cmake --build "$build" -j"$jobs" --target fuzz-harnesses

bin=$build/tests/fuzz
rm -rf "$build/seeds"
"$bin/fuzz-seeds" "$build/seeds"

failed=0
report=()
for h in "${harnesses[@]}"; do
  corpus=$build/corpus/$h
  findings=$build/findings/$h
  log=$build/logs/$h.log
  regressions=$top/tests/fuzz/regressions/$h
  mkdir -p "$corpus" "$findings" "$build/logs" "$regressions"
  echo "== fuzz-$h for ${seconds}s"
  touch "$build/logs/$h.start"
  rc=0
  # The fuzzer shares the machine: it runs niced. Answers and command
  # lines are short; 2 KiB inputs leave room for long dumps.
  nice -n 10 "$bin/fuzz-$h" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$regressions" "$build/seeds/$h" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -1)
  found=$(find "$findings" -type f -newer "$build/logs/$h.start" | wc -l)
  if ((rc != 0)); then
    failed=1
    grep -E "ERROR|runtime error|SUMMARY|Test unit written" "$log" | head -20 || true
  fi
  report+=("$(printf '%-16s runs %-12s new corpus inputs %-6s findings %s%s' \
    "$h" "${runs:-?}" "${added:-?}" "$found" "$( ((rc != 0)) && echo " (exit $rc, see $log)")")")
done

echo "== fuzzing ${seconds}s per harness"
printf '%s\n' "${report[@]}"
exit $failed

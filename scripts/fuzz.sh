#!/usr/bin/env bash
# Builds every libFuzzer harness in fuzz/ with clang (build-fuzz/) and runs each for the given
# number of seconds (60 unless told) over its seed corpus in fuzz/corpus/<name>/:
#   fuzz.sh [seconds]
# Prints one line per harness: "fuzz <name>: execs=<n> execs_per_s=<r> crashes=<k>". An input
# that crashes is kept under fuzz/crashes/ and the script fails. Needs clang and libFuzzer:
#   bash scripts/install-deps.sh --fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/build.sh -B build-fuzz -DGC_FUZZ=ON -DGC_BUILD_TESTS=OFF \
  -DCMAKE_CXX_COMPILER=clang++ fuzzers >/dev/null

mkdir -p fuzz/crashes
failed=0
for seeds in fuzz/corpus/*/; do
  name=$(basename "$seeds")
  # New inputs the run finds go to a scratch corpus, so the checked-in seeds stay small.
  scratch=build-fuzz/corpus/$name
  log=build-fuzz/fuzz-$name.log
  mkdir -p "$scratch"
  before=$(find fuzz/crashes -name "$name-*" | wc -l)
  status=0
  "build-fuzz/fuzz/fuzz-$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="fuzz/crashes/$name-" "$scratch" "$seeds" >"$log" 2>&1 || status=$?
  crashes=$(($(find fuzz/crashes -name "$name-*" | wc -l) - before))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  echo "fuzz $name: execs=${execs:-0} execs_per_s=${rate:-0} crashes=$crashes"
  if [ "$status" -ne 0 ] || [ "$crashes" -gt 0 ]; then
    echo "fuzz $name failed (exit $status); its log: $log" >&2
    tail -n 40 "$log" >&2
    failed=1
  fi
done
exit "$failed"

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs the suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), and every fuzz harness for 20 s
# over its corpus (scripts/fuzz.sh: clang and libFuzzer, build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"

# Leak checks are off: Qt keeps one-time allocations to the end. Any other report fails.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
# -O1 with line tables halves the sanitized compile and keeps file:line in every report.
bash scripts/build.sh -B build-asan -DGC_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1"
ctest --test-dir build-asan --output-on-failure --timeout 900 -j"$(nproc)"
unset ASAN_OPTIONS UBSAN_OPTIONS

bash scripts/install-deps.sh --fuzz
bash scripts/fuzz.sh 20

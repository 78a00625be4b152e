#!/usr/bin/env bash
# Builds the suite with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# Leak checks are off: Qt keeps one-time allocations to the end. Any other report fails.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
# -O1 with line tables halves the sanitized compile and keeps file:line in every report.
bash scripts/build.sh -B build-asan -DGC_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1"
ctest --test-dir build-asan --output-on-failure --timeout 900 -j"$(nproc)"

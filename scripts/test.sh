#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The sanitizer build and the fuzz smoke
# are scripts/test-sanitized.sh and scripts/fuzz.sh; .ci/run runs all three.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300 -j"$(nproc)"

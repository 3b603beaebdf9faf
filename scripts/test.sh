#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the Debian package is built,
# installed, run and purged; then every test again under the address and
# undefined-behaviour sanitizers, and the fuzzing of the readers of outside files (30 s a
# target).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
bash scripts/test-package.sh
bash scripts/test-asan.sh
bash scripts/fuzz.sh

#!/usr/bin/env bash
# Configures build/ and builds the given targets, or everything (program, tests,
# benchmarks) when none is given: `bash scripts/build.sh ravelt spedix` builds only the
# two programs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ $# -gt 0 ]; then
  cmake --build build -j "$(nproc)" --target "$@"
else
  cmake --build build -j "$(nproc)"
fi

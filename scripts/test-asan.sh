#!/usr/bin/env bash
# Builds the program and every test with the address and undefined-behaviour sanitizers
# (g++, -DRAVELT_SANITIZE=ON) in build-asan and runs all the tests there: a bad memory
# access, a leak or an undefined operation (overflow, bad shift, misaligned or null
# access) stops the test that met it, and the script fails. Leak detection stays on for
# every test, the window tests included: run on the offscreen platform they report no
# leak of Qt's or fontconfig's. The one library leak silenced is in scripts/lsan.supp,
# with its reason: the message bus's, in a program that opens a real X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELT_SANITIZE=ON "${launcher[@]}"
cmake --build build-asan -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

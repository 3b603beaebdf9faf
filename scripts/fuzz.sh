#!/usr/bin/env bash
# Fuzzes the readers of the files the program takes from outside.
#
#   bash scripts/fuzz.sh [SECONDS]
#
# Installs clang and its libFuzzer runtime when missing, builds the targets of fuzz/ in
# build-fuzz (clang, libFuzzer, address and undefined-behaviour sanitizers) and runs each
# for SECONDS (30 by default) on a copy of its seed corpus fuzz/tests/data/<target>/,
# so the repository is never written. An input that crashes a target, leaks, runs
# longer than RAVELT_FUZZ_TIMEOUT seconds (10) or takes more than 2 GB is a finding:
# the script goes on with the other targets, keeps the findings in build-fuzz/findings/
# and exits non-zero. RAVELT_FUZZ_OPTIONS adds libFuzzer flags (say "-max_len=200000").
# The last lines give the executions each target reached.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
timeout="${RAVELT_FUZZ_TIMEOUT:-10}"
read -r -a extra <<< "${RAVELT_FUZZ_OPTIONS:-}"

bash scripts/install-deps.sh --fuzz

launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DRAVELT_FUZZ=ON "${launcher[@]}"
cmake --build build-fuzz -j "$(nproc)" --target fuzz_targets

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp"
findings="$PWD/build-fuzz/findings"
rm -rf "$findings"
# The targets' scratch files stay in the run's own folder.
export TMPDIR="$work/tmp"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
summary=()
while read -r target; do
  [ -n "$target" ] || continue
  seeds="fuzz/tests/data/$target"
  corpus="$work/$target/corpus"
  mkdir -p "$corpus" "$work/$target/artifacts"
  # The seeds only: the inputs that once crashed a target wait in crashes/ for a fix.
  find "$seeds" -maxdepth 1 -type f -exec cp {} "$corpus/" \;
  options=(-max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$work/$target/artifacts/")
  if [ -f "fuzz/dict/$target.dict" ]; then
    options+=(-dict="fuzz/dict/$target.dict")
  fi
  log="$work/$target/log"
  echo "== $target: ${seconds} s"
  status=0
  "build-fuzz/fuzz/$target" "${options[@]}" "${extra[@]}" "$corpus" < /dev/null > "$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  corpus_size="$(find "$corpus" -type f | wc -l)"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    mkdir -p "$findings/$target"
    cp "$work/$target/artifacts/"* "$findings/$target/" 2> /dev/null || true
    cp "$log" "$findings/$target/log"
    echo "FINDING in $target (exit $status); the input and the log are in $findings/$target:"
    grep -E -A 40 "^==[0-9]+==ERROR|fuzz check failed|runtime error|ALARM|out-of-memory|deadly signal" "$log" | head -60 || tail -40 "$log"
    for a in "$work/$target/artifacts/"*; do
      [ -f "$a" ] || continue
      echo "input $(basename "$a"), $(wc -c < "$a") bytes, base64:"
      head -c 4096 "$a" | base64 -w 76
    done
  fi
  summary+=("$(printf '%-22s %12s executions  corpus %5s  %s' "$target" "${runs:-?}" "$corpus_size" \
    "$([ "$status" -eq 0 ] && echo ok || echo FINDING)")")
done < build-fuzz/fuzz/targets.txt

echo "== fuzzing, ${seconds} s a target"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]}"
  exit 1
fi

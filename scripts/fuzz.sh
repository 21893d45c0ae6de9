#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan in
# build-fuzz/ and runs each for SECONDS (default 60). Fails on any finding;
# a finding's input is left in build-fuzz/findings/<target>/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'
  exit 0
fi
seconds=${1:-60}
case "$seconds" in
  ''|*[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQGB_FUZZ=ON \
  -DQGB_SANITIZE=ON -DQGB_BUILD_TESTS=OFF -DQGB_BUILD_BENCH=OFF >/dev/null
targets=(layout config text build)
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
regressions=tests/fuzz-regressions
for target in "${targets[@]}"; do
  case $target in
    layout|build) seeds=(examples "$regressions/layout") ;;
    config) seeds=("$regressions/config") ;;
    text) seeds=("$regressions/text" examples) ;;
  esac
  corpus="$dir/corpus/$target" findings="$dir/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$target for ${seconds}s"
  "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "${seeds[@]}"
done
echo "fuzz.sh: no findings"

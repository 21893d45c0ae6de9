#!/usr/bin/env bash
# Regenerates the golden outputs of the build from the sample designs under
# examples/: the classic languages (tests/golden/classic) and the Qt output
# (tests/golden/qt). Prints the changes as a unified diff and replaces the
# golden files. Review the diff before committing.
#   scripts/update-golden.sh [build-dir]     (default: build)
if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
  exit 0
fi
case "${1:-}" in
  -*) echo "error: unknown option \"$1\" (see $0 --help)" >&2; exit 2 ;;
esac
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target test_classic test_qtgen -j"$(nproc)" >/dev/null
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

# update <kind> <test program> <gtest filter>
update() {
  local kind=$1 program=$2 filter=$3
  mkdir -p "$staging/$kind" "tests/golden/$kind"
  QGB_UPDATE_GOLDEN="$staging/$kind" "$build/tests/$program" --gtest_filter="$filter" >/dev/null
  if diff -ruN "tests/golden/$kind" "$staging/$kind"; then
    echo "golden outputs unchanged: tests/golden/$kind"
  else
    rm -rf "tests/golden/$kind"
    cp -R "$staging/$kind" "tests/golden/$kind"
    echo "golden outputs updated: tests/golden/$kind"
  fi
}

update classic test_classic 'GoldenTest.*'
update qt test_qtgen 'QtGoldenTest.*'

#!/usr/bin/env bash
# Regenerates the golden outputs of the classic build (tests/golden/classic)
# from the sample designs under examples/, prints the changes as a unified
# diff, and replaces the golden files. Review the diff before committing.
#   scripts/update-golden.sh [build-dir]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target test_classic -j"$(nproc)" >/dev/null
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
QGB_UPDATE_GOLDEN="$staging" "$build/tests/test_classic" --gtest_filter='GoldenTest.*' >/dev/null
mkdir -p tests/golden/classic
if diff -ruN tests/golden/classic "$staging"; then
  echo "golden outputs unchanged"
else
  rm -rf tests/golden/classic
  cp -R "$staging" tests/golden/classic
  echo "golden outputs updated: tests/golden/classic"
fi

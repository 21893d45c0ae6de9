#!/usr/bin/env bash
# From a fresh machine to a built design: installs what is missing, builds the
# project, copies the bundled example into build/example-run and builds that
# copy with qgb the way a Quorvin user would ("Go Build" in the tool dialog).
# The generated files appear beside the copy; the source tree is not written.
#   scripts/quickstart.sh
if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
  exit 0
fi
if [ $# -gt 0 ]; then
  echo "error: unknown argument \"$1\" (see $0 --help)" >&2
  exit 2
fi
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j"$(nproc)"
rm -rf build/example-run
cp -r examples/sample build/example-run
build/qgb build build/example-run/sample.lay.json

#!/usr/bin/env bash
# From a fresh machine to a built design: installs what is missing, builds the
# project, copies the bundled example into build/example-run and builds that
# copy with qgb the way a Quorvin user would ("Go Build" in the tool dialog).
# The generated files appear beside the copy; the source tree is not written.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j"$(nproc)"
rm -rf build/example-run
cp -r examples/sample build/example-run
build/qgb build build/example-run/sample.lay.json

#!/usr/bin/env bash
# Renders the tool dialog's 35 button pictures into one PNG sheet for review.
#   scripts/render-tool-images.sh [OUTPUT.png]     (default: build/tool-images.png)
if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
  exit 0
fi
case "${1:-x.png}" in
  -*) echo "error: unknown option \"$1\" (see $0 --help)" >&2; exit 2 ;;
  *.png) ;;
  *) echo "error: $1: the sheet is a PNG file, name it FILE.png" >&2; exit 2 ;;
esac
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/tool-images.png}"
mkdir -p "$(dirname "$out")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -Wall -Wextra -Wpedantic -Werror -I addon -I sdk -isystem /usr/include/stb \
    scripts/render_tool_images.cpp addon/shell/ToolImages.cpp -o "$work/render_tool_images"
"$work/render_tool_images" "$out"

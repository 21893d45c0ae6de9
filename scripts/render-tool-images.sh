#!/usr/bin/env bash
# Renders the tool dialog's 35 button pictures into one PNG sheet for review.
#   scripts/render-tool-images.sh [OUTPUT.png]     (default: build/tool-images.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/tool-images.png}"
mkdir -p "$(dirname "$out")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -Wall -Wextra -Wpedantic -Werror -I addon -I sdk -isystem /usr/include/stb \
    scripts/render_tool_images.cpp addon/shell/ToolImages.cpp -o "$work/render_tool_images"
"$work/render_tool_images" "$out"

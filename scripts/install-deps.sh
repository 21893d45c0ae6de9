#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing).
#   scripts/install-deps.sh
if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
  exit 0
fi
if [ $# -gt 0 ]; then
  echo "error: unknown argument \"$1\" (see $0 --help)" >&2
  exit 2
fi
set -euo pipefail
packages=(build-essential cmake pkg-config git
          nlohmann-json3-dev rapidjson-dev libcli11-dev libstb-dev libgtest-dev libgmock-dev libbenchmark-dev
          gfortran qtbase5-dev qtbase5-dev-tools libcairo2-dev zlib1g-dev fonts-dejavu-core
          clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

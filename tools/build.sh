#!/usr/bin/env bash
# Configures and builds Zandolin in ./build (or the folder given).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
shift || true
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
ninja -C "$build"

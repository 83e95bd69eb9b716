#!/usr/bin/env bash
# Configures and builds Zandolin in ./build (or the folder given), passing any further arguments to CMake,
# for example -DBUILD_TESTING=OFF or -DZANDOLIN_BENCH=ON.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
shift || true
echo "Configuring $build"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
echo "Building $build"
ninja -C "$build"

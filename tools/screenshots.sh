#!/bin/sh
# Builds the tests and renders every window to build/screenshots/*.png (Qt's offscreen platform, so no
# display is needed), then prints the pictures' paths.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
out="$build/screenshots"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -C "$build" zandolin_tests >/dev/null 2>&1 || ninja -C "$build" zandolin_tests
mkdir -p "$out"
ZANDOLIN_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
    "$build/tests/zandolin_tests" --gtest_filter='Screenshots.*' --gtest_brief=1 2>/dev/null |
    grep '\.png$' || { echo "no screenshots were made" >&2; exit 1; }

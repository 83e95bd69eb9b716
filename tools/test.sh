#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the GUI tests on Qt's offscreen platform; the
# music-player tests against private MPDs that the tests start and stop).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$root/build"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)" --timeout 600

#!/usr/bin/env bash
# Installs what playing needs, builds the program (not the tests) in ./build-run, and starts the quiz. It
# plays from your MPD when one answers and has stored playlists; otherwise from a private MPD with generated
# demo songs (kept in ~/.local/share/zandolin/demo-mpd and stopped when the quiz ends).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-run"
"$root/tools/install-deps.sh" play
"$root/tools/build.sh" "$build" -DBUILD_TESTING=OFF -DZANDOLIN_BENCH=OFF

private=""
if ! mpc -q status >/dev/null 2>&1 || [ -z "$(mpc lsplaylists 2>/dev/null)" ]; then
  private=${XDG_DATA_HOME:-$HOME/.local/share}/zandolin/demo-mpd
  mkdir -p "$private"
  echo "No MPD with playlists answers; starting a private one with demo songs in $private"
  "$root/player/mpd-private.sh" start "$private"
  export MPD_HOST="$private/socket"
  unset MPD_PORT
  trap '"$root/player/mpd-private.sh" stop "$private"' EXIT
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under a virtual X server (xvfb-run)."
  xvfb-run -a "$build/zandolin"
else
  "$build/zandolin"
fi

#!/usr/bin/env bash
# Installs what playing needs, builds the program (not the tests) in ./build-run, and starts the quiz. It
# plays from your MPD when one answers and has stored playlists; otherwise from a private MPD with generated
# demo songs (kept in ~/.local/share/zandolin/demo-mpd and stopped when the quiz ends). Without a display it
# runs the quiz on a virtual X server of its own, until Ctrl+C.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-run"
"$root/tools/install-deps.sh" play
"$root/tools/build.sh" "$build" -DBUILD_TESTING=OFF -DZANDOLIN_BENCH=OFF

private=""
xvfb=""
xdir=""
cleanup() {
  # A second Ctrl+C must not cut the clean-up short (the ignored signal also reaches mpd-private.sh).
  trap '' INT
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  if [ -n "$xdir" ]; then rm -rf "$xdir"; fi
  if [ -n "$private" ]; then "$root/player/mpd-private.sh" stop "$private"; fi
}
trap cleanup EXIT

if ! mpc -q status >/dev/null 2>&1 || [ -z "$(mpc lsplaylists 2>/dev/null)" ]; then
  private=${XDG_DATA_HOME:-$HOME/.local/share}/zandolin/demo-mpd
  mkdir -p "$private"
  echo "No MPD with playlists answers; starting a private one with demo songs in $private"
  "$root/player/mpd-private.sh" start "$private"
  export MPD_HOST="$private/socket"
  unset MPD_PORT
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  xdir=$(mktemp -d "${TMPDIR:-/tmp}/zandolin-x.XXXXXX")
  # A cookie keeps other local users off the display. Xvfb takes it from any entry of its file; the
  # entry for the display it picks is added once that is known.
  cookie=$(mcookie)
  export XAUTHORITY="$xdir/Xauthority"
  : >"$XAUTHORITY"
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
  mkfifo "$xdir/display"
  # In a session of its own the X server never sees the terminal's Ctrl+C (it would quit on it, and the
  # quiz would die of the lost connection); it is stopped after the quiz.
  setsid Xvfb -displayfd 3 -nolisten tcp -auth "$XAUTHORITY" -screen 0 1280x1024x24 \
    3>"$xdir/display" 2>"$xdir/log" &
  xvfb=$!
  if ! read -r display <"$xdir/display"; then
    echo "The virtual X server (Xvfb) did not start:" >&2
    cat "$xdir/log" >&2
    exit 1
  fi
  xauth -q -f "$XAUTHORITY" add ":$display" . "$cookie"
  export DISPLAY=":$display"
  echo "No display found: the quiz runs on a virtual X server (Xvfb), so nothing shows on this screen." \
       "Press Ctrl+C to stop it."
  # Ctrl+C ends the quiz; the script goes on to its clean-up and reports success.
  trap 'echo; exit 0' INT
fi
"$build/zandolin"

#!/usr/bin/env bash
# Installs what playing needs, builds the program (not the tests) in ./build-run, and starts the quiz. It
# plays from your MPD when one answers and has stored playlists; otherwise from a private MPD with generated
# demo songs (kept in ~/.local/share/zandolin/demo-mpd, shared by runs at the same time and stopped when the
# last of their quizzes ends). Without a display it runs the quiz on a virtual X server of its own, until
# Ctrl+C. Ctrl+C asks the quiz to quit as File > Quit does, and the clean-up waits until it has.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-run"

# Runs at once take turns to install and build: apt-get refuses while another holds its lock, and ninja does
# not lock its folder, so two builds in one spoil each other's output (a half-written library fails the
# other's link). The lock is on this script, which exists anyway, so a run that cannot install leaves
# nothing behind.
(
  if ! flock -n 9; then
    echo "Another run is installing or building $build; waiting for it"
    flock 9
  fi
  "$root/tools/install-deps.sh" play
  "$root/tools/build.sh" "$build" -DBUILD_TESTING=OFF -DZANDOLIN_BENCH=OFF
) 9<"$root/tools/run.sh"

private=""
xvfb=""
xdir=""

# Runs at once share the demo MPD: each holds it with a file in DIR/runs named for its PID, holding the
# process's start time (so that a reused PID does not count), and the last one out stops it. A flock on
# DIR/runs.lock keeps one run's start from crossing another's stop; MPD must not inherit it.
start_time() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  read -r -a stat <<<"$stat"
  printf '%s\n' "${stat[19]}"
}
hold_demo_mpd() {
  (
    flock 8
    mkdir -p "$private/runs"
    start_time $$ >"$private/runs/$$"
    "$root/player/mpd-private.sh" start "$private" 8>&-
  ) 8>>"$private/runs.lock"
}
release_demo_mpd() {
  (
    flock 8
    rm -f "$private/runs/$$"
    local holder
    for holder in "$private"/runs/*; do
      [ -e "$holder" ] || continue
      if [ "$(start_time "${holder##*/}")" = "$(cat "$holder" 2>/dev/null)" ]; then
        echo "The demo MPD keeps running for another run of this script (PID ${holder##*/})"
        exit 0
      fi
      rm -f "$holder"
    done
    "$root/player/mpd-private.sh" stop "$private" 8>&-
  ) 8>>"$private/runs.lock"
}

cleanup() {
  # A second Ctrl+C (or a SIGTERM) must not cut the clean-up short (ignored, it also spares mpd-private.sh).
  trap '' INT TERM HUP
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  if [ -n "$xdir" ]; then rm -rf "$xdir"; fi
  if [ -n "$private" ]; then release_demo_mpd; fi
}
trap cleanup EXIT

if ! mpc -q status >/dev/null 2>&1 || [ -z "$(mpc lsplaylists 2>/dev/null)" ]; then
  private=${XDG_DATA_HOME:-$HOME/.local/share}/zandolin/demo-mpd
  mkdir -p "$private"
  echo "No MPD with playlists answers; starting a private one with demo songs in $private"
  hold_demo_mpd
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
fi

# Without XDG_RUNTIME_DIR (as over SSH, or as root in a container) Qt warns and picks a folder of its own.
# The quiz gets the per-user folder that the scripts already use then, not one for this run: their files
# stay where they were, and quizzes run at once see the same folder. It is left in place for them.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime=/tmp/zandolin-$UID
  [ -d "$runtime" ] || mkdir -m 700 "$runtime" 2>/dev/null || true
  # Another user's folder, or a link, is not used (Qt then warns as before).
  if [ -d "$runtime" ] && [ ! -L "$runtime" ] && [ -O "$runtime" ] && chmod 700 "$runtime"; then
    export XDG_RUNTIME_DIR=$runtime
  fi
fi

# Ctrl+C, or a SIGTERM or SIGHUP to this script, asks the quiz to quit (it puts MPD's queue back on its way
# out); the clean-up waits until it has, and the script reports success. The quiz runs in a session of its
# own, so that the terminal's Ctrl+C reaches it once, from here.
quiz=""
stopping=""
stop_quiz() {
  stopping=yes
  if [ -n "$quiz" ]; then kill -TERM "$quiz" 2>/dev/null || true; fi
}
trap 'echo || true; stop_quiz' INT
trap stop_quiz TERM HUP
setsid "$build/zandolin" &
quiz=$!
if [ -n "$stopping" ]; then stop_quiz; fi
# A trapped signal ends the wait early: wait again until the quiz has exited.
while :; do
  status=0
  wait "$quiz" || status=$?
  kill -0 "$quiz" 2>/dev/null || break
done
if [ -n "$stopping" ]; then exit 0; fi
exit "$status"

#!/bin/bash
# Runs a private MPD for trying out and testing Zandolin, with everything it
# needs kept in one directory.
#
#   mpd-private.sh start DIR    start it (making the demo library if needed)
#   mpd-private.sh stop DIR     stop it and wait until it has exited
#   mpd-private.sh env DIR      print MPD_HOST=DIR/socket
#   mpd-private.sh status DIR   exit 0 when it answers
#
# DIR holds mpd.conf, db, pid, log, the unix socket "socket", the lock that
# makes starts and stops of one DIR take turns, and, unless overridden, music/
# and playlists/.  Environment for "start":
#   ZANDOLIN_MUSIC_DIR     music directory to use instead of DIR/music; no
#                          demo library is made then
#   ZANDOLIN_PLAYLIST_DIR  playlist directory instead of DIR/playlists
#   ZANDOLIN_MPD_OUTPUT    null, pulse or alsa; by default null when there is
#                          no sound device, else pulse when a PulseAudio (or
#                          PipeWire) socket exists, else alsa
#   ZANDOLIN_MPD_STATE     1: keep a state file, DIR/mpd-state, so that a
#                          restart restores the queue as a usual MPD does
#
# By default no state file is configured, so a restarted MPD starts empty.
set -euo pipefail

here=$(dirname "$(readlink -f "$0")")
me=${0##*/}

usage() {
    echo "usage: $me start|stop|env|status DIR" >&2
    exit 2
}

die() {
    echo "$me: $*" >&2
    exit 1
}

[ $# -eq 2 ] || usage
command=$1
if [ "$command" = start ]; then
    mkdir -p -- "$2" || die "cannot create $2"
fi
dir=$(realpath -m -- "$2")
case $dir in
*[\"\\]* | *$'\n'*) die "directory names with quotes, backslashes or newlines are not supported" ;;
esac
conf=$dir/mpd.conf
socket=$dir/socket
pidfile=$dir/pid

# Two starts at once would each run an MPD. The lock is held on descriptor 9,
# which MPD must not inherit: it would keep the lock for as long as it runs.
lock() {
    exec 9>>"$dir/lock"
    flock 9
}

answers() {
    MPD_HOST=$socket MPD_TIMEOUT=2 mpc -q version >/dev/null 2>&1
}

audio_output() {
    local type=${ZANDOLIN_MPD_OUTPUT:-}
    if [ -z "$type" ]; then
        if [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
            type=pulse
        elif [ -d /dev/snd ]; then
            type=alsa
        else
            type=null
        fi
    fi
    case $type in
    null | pulse | alsa) ;;
    *) die "ZANDOLIN_MPD_OUTPUT must be null, pulse or alsa" ;;
    esac
    printf 'audio_output {\n    type "%s"\n    name "Zandolin %s"\n}\n' "$type" "$type"
}

start() {
    # A unix socket path must fit in sockaddr_un (108 bytes with the NUL).
    [ ${#socket} -le 107 ] || die "$socket is too long for a unix socket"
    if answers; then
        MPD_HOST=$socket mpc -q -w update >/dev/null
        return 0
    fi

    local music=${ZANDOLIN_MUSIC_DIR:-$dir/music}
    local playlists=${ZANDOLIN_PLAYLIST_DIR:-$dir/playlists}
    if [ -z "${ZANDOLIN_MUSIC_DIR:-}" ]; then
        "$here/make-demo-library.sh" "$music" "$playlists"
    fi
    mkdir -p "$music" "$playlists"
    music=$(realpath -- "$music")
    playlists=$(realpath -- "$playlists")
    case $music$playlists in
    *[\"\\]* | *$'\n'*) die "directory names with quotes, backslashes or newlines are not supported" ;;
    esac

    local output tmp state=
    output=$(audio_output)
    case ${ZANDOLIN_MPD_STATE:-} in
    '') ;;
    1) state="state_file          \"$dir/mpd-state\"" ;;
    *) die "ZANDOLIN_MPD_STATE must be 1 or unset" ;;
    esac
    # A name of this start's own: two starts at once must not write into one file.
    tmp=$(mktemp "$dir/.mpd.conf.XXXXXX")
    cat >"$tmp" <<CONF
# Written by $me; rewritten on every start.
music_directory     "$music"
playlist_directory  "$playlists"
db_file             "$dir/db"
pid_file            "$pidfile"
log_file            "$dir/log"
bind_to_address     "$socket"
auto_update         "no"
zeroconf_enabled    "no"
$state
$output
decoder {
    plugin "wildmidi"
    enabled "no"
}
CONF
    mv -f "$tmp" "$conf"

    # A socket left behind by a killed MPD would make bind() fail.
    rm -f "$socket"
    mpd "$conf" 9>&- >>"$dir/log" 2>&1 || die "mpd did not start; see $dir/log"
    local tries=0
    until answers; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || die "mpd does not answer on $socket; see $dir/log"
        sleep 0.1
    done
    MPD_HOST=$socket mpc -q -w update >/dev/null
}

# True while process $1 runs (a zombie waiting to be reaped has exited).
running() {
    local state
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) || return 1
    [ "${state%% *}" != Z ]
}

stop() {
    local pid
    pid=$(cat "$pidfile" 2>/dev/null) || pid=
    case $pid in
    '' | *[!0-9]*)
        # No pid file: nothing of ours runs, unless it still answers.
        answers && die "an MPD answers on $socket but $pidfile is missing"
        return 0
        ;;
    esac
    # The pid file outlives a crashed MPD; make sure the process is ours.
    if ! tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | grep -qxF -- "$conf"; then
        rm -f "$pidfile"
        return 0
    fi
    mpd --kill "$conf" >/dev/null 2>&1 || kill "$pid" 2>/dev/null || true
    local tries=0
    while running "$pid"; do
        tries=$((tries + 1))
        if [ $tries -eq 100 ]; then
            echo "$me: mpd ($pid) ignores SIGTERM, killing it" >&2
            kill -KILL "$pid" 2>/dev/null || true
        fi
        [ $tries -le 150 ] || die "mpd ($pid) does not exit"
        sleep 0.1
    done
    rm -f "$pidfile" "$socket"
}

case $command in
start)
    lock
    start
    ;;
stop)
    if [ -d "$dir" ]; then lock; fi
    stop
    ;;
env) printf 'MPD_HOST=%s\n' "$socket" ;;
status) answers ;;
*) usage ;;
esac

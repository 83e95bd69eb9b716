# shellcheck shell=bash
# Shared functions of the Zandolin player scripts.  Sourced, not run; it lives
# next to the scripts, with zandolin-lists.sh (read on first need).
#
# Playlist numbers: 1 is the whole library, 2.. are MPD's stored playlists in
# byte order of their names (LC_ALL=C), names that are blank left out.  Once
# 172 has replied, numbers mean the names of that reply (kept in the runtime
# folder), whatever is added to or renamed in MPD afterwards.
#
# A playlist's tracks are what MPD reports for it, minus entries whose file is
# not in MPD's database (missing files, streams, paths outside the music
# directory).  168 lists them and keeps its listing; 169 plays the file of the
# row that 168 last listed, so a question plays the title its row shows.  The
# library is ordered by file path (byte order).
#
# Every mpc call waits at most MPD_TIMEOUT seconds (3 unless set) for MPD.
# A script that fails because MPD does not answer exits 69 (zandolin_no_answer)
# and no other failure does, so callers need not read the message: every
# "|| exit" and "|| return" after zandolin_mpc passes its code on unchanged.
#
# 169 runs for every question, so this file holds only what it needs: its
# functions set variables rather than print, read the kept files with read and
# mapfile, and start no process but mpc.  What the slower steps need (asking
# MPD for lists, writing files, moving the user's queue) is in
# zandolin-lists.sh.

if ! command -v mpc >/dev/null 2>&1; then
    echo "mpc is not installed" >&2
    exit 1
fi

export MPD_TIMEOUT=${MPD_TIMEOUT:-3}

zandolin_tab=$'\t'
# The MPD that the kept files belong to: listings of another one never apply.
zandolin_server="mpd ${MPD_HOST-} ${MPD_PORT-}"
# Put in front of mpc's own error messages (not of "MPD does not answer").
zandolin_about=
# A file for mpc's messages, cheaper than a pipe; without one they are piped.
zandolin_errors=
zandolin_home=${BASH_SOURCE[0]%/*}
[ "$zandolin_home" != "${BASH_SOURCE[0]}" ] || zandolin_home=.

# Sets variable $1 to the non-negative decimal integer $2 without leading
# zeros.  Fails for anything else.  Numbers too long to be a real position
# become 999999999.
zandolin_number() {
    case $2 in
    '' | *[!0-9]*) return 1 ;;
    esac
    local n=${2#"${2%%[!0]*}"}
    [ ${#n} -le 9 ] || n=999999999
    printf -v "$1" '%s' "${n:-0}"
}

# Where mpc looks for MPD, as a user would name it (without a password).
zandolin_where() {
    local host=${MPD_HOST-}
    case $host in
    @*) ;;             # an abstract socket
    *@*) host=${host#*@} ;; # password@host
    esac
    case $host in
    '') if [ -n "${MPD_PORT-}" ]; then
        printf 'localhost port %s' "$MPD_PORT"
    else
        printf 'its default socket or localhost port 6600'
    fi ;;
    /* | @*) printf 'socket %s' "$host" ;;
    *) printf '%s port %s' "$host" "${MPD_PORT:-6600}" ;;
    esac
}

# True when mpc's message $1 says that MPD could not be reached or did not
# answer in time (rather than that it refused a request).  An MPD that hangs
# times out the first few connections; once its socket's backlog is full,
# connecting fails at once with "Invalid argument".
zandolin_unreachable() {
    case ${1#MPD error: } in
    "$1") return 1 ;;
    Timeout | "Connection refused" | "No such file or directory" | \
        "Invalid argument" | "Resource temporarily unavailable" | \
        "Connection reset by peer" | "Broken pipe" | "Permission denied" | \
        "Network is unreachable" | "No route to host" | "Host is down" | \
        "Failed to resolve host name") return 0 ;;
    esac
    return 1
}

# Runs mpc, its output passing through; sets zandolin_err to its messages and
# returns its exit code.
zandolin_run_mpc() {
    local rc
    if [ -z "$zandolin_errors" ]; then
        { zandolin_err=$(exec mpc "$@" 2>&1 >&3 3>&-); rc=$?; } 3>&1
        return "$rc"
    fi
    mpc "$@" 2>"$zandolin_errors"
    rc=$?
    zandolin_err=
    [ ! -s "$zandolin_errors" ] || IFS= read -r -d '' zandolin_err <"$zandolin_errors"
    zandolin_err=${zandolin_err%$'\n'}
    return "$rc"
}

# Says on stderr where MPD was looked for, in one line without advice (the
# program knows what the user was doing, so it says what to do); returns 69
# (EX_UNAVAILABLE of sysexits.h), the exit code by which the caller knows
# that MPD does not answer without reading the message.
zandolin_no_answer() {
    { printf 'MPD does not answer at ' && zandolin_where && printf '\n'; } >&2
    return 69
}

# Runs mpc; its output passes through.  When it fails, stderr gets one line a
# user can act on and it returns 69 when MPD does not answer (see
# zandolin_no_answer), else 1 with mpc's own message after $zandolin_about: so
# 69 means only that, whatever mpc's own exit code.
zandolin_mpc() {
    local err
    if zandolin_run_mpc "$@"; then
        [ -z "$zandolin_err" ] || printf '%s\n' "$zandolin_err" >&2
        return 0
    fi
    err=$zandolin_err
    if zandolin_unreachable "$err"; then
        zandolin_no_answer
        return
    fi
    [ -z "$zandolin_about" ] || err=${err#MPD error: }
    printf '%s%s\n' "$zandolin_about" "${err:-mpc failed}" >&2
    return 1
}

# Runs mpc as zandolin_run_mpc does, but sets zandolin_out to its output
# rather than letting it through.  With a file for mpc's messages, its output
# goes through a file beside it too: cheaper than a subshell.
zandolin_mpc_out() {
    local rc
    if [ -z "$zandolin_errors" ]; then
        zandolin_out=$(zandolin_run_mpc "$@"; rc=$?; printf '\037%s' "$zandolin_err"; exit "$rc")
        rc=$?
        zandolin_err=${zandolin_out##*$'\037'}
        zandolin_out=${zandolin_out%$'\037'*}
        return "$rc"
    fi
    zandolin_run_mpc "$@" >"$zandolin_errors.out"
    rc=$?
    zandolin_out=
    [ ! -s "$zandolin_errors.out" ] || IFS= read -r -d '' zandolin_out <"$zandolin_errors.out"
    return "$rc"
}

# MPD's status $1 says that the song plays: "[playing]" and no error.
zandolin_plays() {
    [[ $1 == *$'\n[playing]'* && $1 != *$'\nERROR: '* ]]
}

# Checks that the song plays, by the output of the mpc call just made (its
# exit code $1, zandolin_out and zandolin_err) and by one more status a moment
# later.  Returns 0 when it plays, else as zandolin_judge_failure.
zandolin_check_plays() {
    local rc=$1 failed=$zandolin_err status=$zandolin_out
    if [ "$rc" -eq 0 ] && zandolin_plays "$status"; then
        zandolin_mpc_out status
        rc=$? failed=$zandolin_err status=$zandolin_out
        [ "$rc" -ne 0 ] || ! zandolin_plays "$status" || return 0
    fi
    zandolin_lists && zandolin_judge_failure "$status" "$failed" "$rc"
}

# Returns exit code $1 of a song's start as its caller takes it: a failure
# that is neither MPD's silence (69) nor MPD's own (78) is the song's (65).
zandolin_song_status() {
    case $1 in 0 | 69 | 78) return "$1" ;; esac
    return 65
}

# Checks that the song just started plays.  A seek to 0 waits until MPD's
# player has taken it, usually once the decoder has opened the file, and so
# fails for a song MPD cannot play; but a seek that comes while the decoder
# is still starting is put off and returns at once, hence the second look.
zandolin_check_started() {
    zandolin_mpc_out seek 0
    zandolin_check_plays "$?"
}

# Creates folder $1 (mode 700) when missing; fails unless it is a real folder
# of ours.
zandolin_own_dir() {
    [ -d "$1" ] || mkdir -m 700 -- "$1" 2>/dev/null
    [ -d "$1" ] && [ ! -L "$1" ] && [ -O "$1" ]
}

# Sets zandolin_run to the folder where what the window shows is kept (gone
# at logout); fails without one.
zandolin_runtime_dir() {
    local base=${XDG_RUNTIME_DIR-}
    [ -z "${zandolin_run-}" ] || return 0
    if [ -z "$base" ]; then
        base=/tmp/zandolin-$UID
        zandolin_own_dir "$base" || return
    fi
    zandolin_own_dir "$base/zandolin" && zandolin_run=$base/zandolin
}

# Sets zandolin_state to the folder where the user's queue waits while
# Zandolin has replaced it; fails without one.
zandolin_state_dir() {
    local base=${XDG_STATE_HOME:-${HOME:-~}/.local/state}
    [ -d "$base" ] || mkdir -p -- "$base" 2>/dev/null
    zandolin_state=$base/zandolin
    zandolin_own_dir "$zandolin_state"
}

# Reads the functions of the slower steps, once.
zandolin_lists() {
    [ -n "${zandolin_lists_read-}" ] && return
    # shellcheck source=SCRIPTDIR/zandolin-lists.sh
    . "$zandolin_home/zandolin-lists.sh" && zandolin_lists_read=1
}

# Sets array zandolin_rows to line $3 of runtime file $1 (none when the file
# is shorter), counting the lines after the first, which must be $2.  Fails
# when no such file is kept.
zandolin_kept_row() {
    local first
    zandolin_rows=()
    zandolin_runtime_dir || return
    { IFS= read -r first && [ "$first" = "$2" ] &&
        { [ "$3" -lt 1 ] || mapfile -t -s $(($3 - 1)) -n 1 zandolin_rows; }; } 2>/dev/null <"$zandolin_run/$1"
}

# Sets zandolin_name to the name of stored playlist number $1: from the names
# that 172 last replied when they are kept, else as MPD lists them now.  Empty
# for the library and unknown numbers.
zandolin_playlist_name() {
    local names
    zandolin_name=
    [ "$1" -ge 2 ] || return 0
    if ! zandolin_kept_row playlists "$zandolin_server" $(($1 - 1)); then
        zandolin_lists && names=$(zandolin_playlists) || return
        mapfile -t -s $(($1 - 2)) -n 1 zandolin_rows <<<"$names"
    fi
    zandolin_name=${zandolin_rows[0]-}
}

# Sets zandolin_file to the file of track $2 of playlist $1 as 168 last listed
# it (its listing is kept as runtime file songs-$1 under the first line
# "SERVER<tab>NAME"), else as MPD lists it now.  Empty when there is no such
# track.
zandolin_track_file() {
    local entries
    zandolin_file=
    if ! zandolin_kept_row "songs-$1" "$zandolin_server$zandolin_tab$zandolin_name" "$2"; then
        zandolin_lists && entries=$(zandolin_entries "$1" "$zandolin_name") || return
        zandolin_rows=()
        [ "$2" -lt 1 ] || mapfile -t -s $(($2 - 1)) -n 1 zandolin_rows <<<"$entries"
    fi
    # shellcheck disable=SC2034 # the result, for 169
    [ -z "${zandolin_rows[0]-}" ] || zandolin_file=${zandolin_rows[0]#*"$zandolin_tab"}
}

# The user's queue, while Zandolin has replaced it, waits in the state folder
# as file queue-ID (ID names the server: its host without a password, and its
# port): a line "STATE SONG SECONDS" (playing, paused or stopped; the current
# song's position, 0 for none; its elapsed whole seconds), then the queue's
# files one a line.  Next to it, queue-ID.quiz records the songs that 169 put
# in the queue, each appended as a line of its own after a blank one.
# Appending needs no temporary file, and a line cut short is never taken for a
# record.

# Sets zandolin_saved to the path of this server's saved queue; fails without
# a state folder.
zandolin_queue_file() {
    local LC_ALL=C host=${MPD_HOST-} id
    case $host in
    @*) ;;             # an abstract socket
    *@*) host=${host#*@} ;; # password@host
    esac
    id=${host:-default}${MPD_PORT:+-$MPD_PORT}
    id=${id//[!A-Za-z0-9._-]/_}
    zandolin_state_dir || return
    zandolin_saved=$zandolin_state/queue-${id:0:200}
}

# Records file $2 as the song put in the queue in place of saved queue $1.
zandolin_record_song() {
    { printf '\n%s\n' "$2" >>"$1.quiz"; } 2>/dev/null
}

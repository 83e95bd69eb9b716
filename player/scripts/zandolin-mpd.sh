# shellcheck shell=bash
# Shared functions of the Zandolin player scripts.  Sourced, not run; it lives
# next to the scripts.
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
# A track's title is its title tag; without one (or a blank one) it is the
# file's name without the directory, extension kept ("tune-07.ogg").
#
# Every mpc call waits at most MPD_TIMEOUT seconds (3 unless set) for MPD.

if ! command -v mpc >/dev/null 2>&1; then
    echo "mpc is not installed" >&2
    exit 1
fi

export MPD_TIMEOUT=${MPD_TIMEOUT:-3}

zandolin_tab=$'\t'
# The MPD that the kept files belong to: listings of another one never apply.
zandolin_server="mpd ${MPD_HOST-} ${MPD_PORT-}"
# What the user does once MPD answers again; 172 says otherwise.
zandolin_retry="double-click the playlist again"
# Put in front of mpc's own error messages (not of "MPD does not answer").
zandolin_about=

# Prints the non-negative decimal integer $1 without leading zeros.  Fails for
# anything else.  Numbers too long to be a real position become 999999999.
zandolin_number() {
    case $1 in
    '' | *[!0-9]*) return 1 ;;
    esac
    local n=${1#"${1%%[!0]*}"}
    [ ${#n} -le 9 ] || n=999999999
    printf '%s' "${n:-0}"
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

# Runs mpc; its output passes through.  When it fails, stderr gets one line a
# user can act on: where MPD was looked for when it does not answer, else
# mpc's own message after $zandolin_about.
zandolin_mpc() {
    local err rc
    { err=$(mpc "$@" 2>&1 >&3 3>&-); rc=$?; } 3>&1
    if [ "$rc" -eq 0 ]; then
        [ -z "$err" ] || printf '%s\n' "$err" >&2
        return 0
    fi
    if zandolin_unreachable "$err"; then
        printf 'MPD does not answer at %s: start MPD or set MPD_HOST, then %s.\n' \
            "$(zandolin_where)" "$zandolin_retry" >&2
    else
        [ -z "$zandolin_about" ] || err=${err#MPD error: }
        printf '%s%s\n' "$zandolin_about" "${err:-mpc failed}" >&2
    fi
    return "$rc"
}

# Creates folder $1 (mode 700) when missing and prints it; fails unless it is
# a real folder of ours.
zandolin_own_dir() {
    [ -d "$1" ] || mkdir -m 700 -- "$1" 2>/dev/null
    [ -d "$1" ] && [ ! -L "$1" ] && [ -O "$1" ] || return 1
    printf '%s' "$1"
}

# The folder where what the window shows is kept (gone at logout).
zandolin_runtime_dir() {
    local base=${XDG_RUNTIME_DIR-}
    if [ -z "$base" ]; then
        base=$(zandolin_own_dir "/tmp/zandolin-$UID") || return
    fi
    zandolin_own_dir "$base/zandolin"
}

# The folder where the user's queue waits while Zandolin has replaced it.
zandolin_state_dir() {
    local base=${XDG_STATE_HOME:-${HOME:-~}/.local/state}
    [ -d "$base" ] || mkdir -p -- "$base" 2>/dev/null
    zandolin_own_dir "$base/zandolin"
}

# Replaces file $1 with standard input atomically: a whole new file or the old
# one, never a part.  With $2 "durable" the data is on disk before the rename.
zandolin_write() {
    local tmp
    tmp=$(mktemp -- "$1.XXXXXX") || return
    if cat >"$tmp" && { [ "${2-}" != durable ] || sync -- "$tmp"; } &&
        mv -f -- "$tmp" "$1"; then
        return 0
    fi
    rm -f -- "$tmp"
    return 1
}

# Keeps standard input as runtime file $1 after the first line $2; without a
# runtime folder nothing is kept.  A file that cannot be renewed is removed,
# so that no older one stands in for it.
zandolin_keep() {
    local dir
    dir=$(zandolin_runtime_dir) || return 0
    { printf '%s\n' "$2" && cat; } | zandolin_write "$dir/$1" ||
        rm -f -- "$dir/$1"
}

# True when runtime file $1 was kept for this server with first line $2.
zandolin_kept() {
    local dir first
    dir=$(zandolin_runtime_dir) || return
    { IFS= read -r first && [ "$first" = "$2" ]; } 2>/dev/null <"$dir/$1"
}

# Prints MPD's stored playlists' names, one a line, in playlist-number order
# (the first line is playlist 2).
zandolin_playlists() {
    local names
    names=$(zandolin_mpc lsplaylists) || return
    printf '%s\n' "$names" | LC_ALL=C awk 'NF' | LC_ALL=C sort
}

# Prints the name of stored playlist number $1: from the names that 172 last
# replied when they are kept, else as MPD lists them now.  Prints nothing for
# the library and unknown numbers.
zandolin_playlist_name() {
    local names
    [ "$1" -ge 2 ] || return 0
    if zandolin_kept playlists "$zandolin_server"; then
        sed -n "$1{p;q}" "$(zandolin_runtime_dir)/playlists"
        return
    fi
    names=$(zandolin_playlists) || return
    printf '%s\n' "$names" | sed -n "$(($1 - 1)){p;q}"
}

# Turns mpc output in the format of zandolin_entries into "TITLE<tab>FILE"
# lines: drops entries MPD knows no file for (they have no modification time),
# fills in missing titles and cleans titles so that none contains "##%", the
# start of the reply separator "##%#,".
zandolin_clean() {
    LC_ALL=C awk -F '\t' '
        $1 == "" { next }
        {
            title = $2
            file = substr($0, length($1) + length($2) + 3)
            if (title !~ /[^ \t]/) {
                title = file
                sub(/.*\//, "", title)
            }
            gsub(/[\t\r\n]/, " ", title)
            while (index(title, "##%") > 0)
                sub(/##%/, "#%", title)
            print title "\t" file
        }'
}

# Prints playlist number $1, called $2, as "TITLE<tab>FILE" lines in track
# order.  Prints nothing for an unknown playlist; fails when MPD cannot be
# asked or no longer has the playlist.
zandolin_entries() {
    local format listing
    format="[%mtime%]${zandolin_tab}[%title%]${zandolin_tab}%file%"
    if [ "$1" -eq 1 ]; then
        listing=$(zandolin_mpc -f "$format" listall) || return
        printf '%s\n' "$listing" | zandolin_clean |
            LC_ALL=C sort -t "$zandolin_tab" -k 2
    elif [ -n "$2" ]; then
        listing=$(zandolin_about="${0##*/}: playlist \"$2\": " zandolin_mpc -f "$format" playlist -- "$2") ||
            return
        printf '%s\n' "$listing" | zandolin_clean
    fi
}

# First line of the kept listing of playlist $1, called $2.
zandolin_listing_header() {
    printf '%s%s%s' "$zandolin_server" "$zandolin_tab" "$2"
}

# Prints the file of track $3 as 168 last listed playlist $1, called $2 (an
# empty line when it listed no such track).  Fails when no listing is kept.
zandolin_kept_file() {
    zandolin_kept "songs-$1" "$(zandolin_listing_header "$1" "$2")" || return
    [ "$3" -ge 1 ] || return 0
    sed -n "$(($3 + 1)){p;q}" "$(zandolin_runtime_dir)/songs-$1" | cut -f 2-
}

# The user's queue, while Zandolin has replaced it, waits in the state folder
# as file queue-ID (ID names the server): a line "STATE SONG SECONDS" (playing,
# paused or stopped; the current song's position, 0 for none; its elapsed
# whole seconds), then the queue's files one a line.  Next to it, queue-ID.quiz
# names the song that 169 put in the queue last.

# Prints the path of this server's saved queue; fails without a state folder.
zandolin_queue_file() {
    local dir id
    dir=$(zandolin_state_dir) || return
    id=$(printf '%s' "$zandolin_server" | cksum) || return
    printf '%s/queue-%s' "$dir" "${id%% *}"
}

# True when the queue $2 (files, one a line) is what Zandolin left in place of
# the saved queue $1: the quiz's song, or empty (played out in consume mode).
zandolin_queue_is_ours() {
    [ -f "$1" ] && { [ -z "$2" ] || [ "$2" = "$(cat -- "$1.quiz" 2>/dev/null)" ]; }
}

# Saves MPD's queue as file $1 unless it is Zandolin's own; says why not.
zandolin_save_queue() {
    local queue status now state
    queue=$(zandolin_mpc -f '%file%' playlist) || return
    ! zandolin_queue_is_ours "$1" "$queue" || return 0
    status=$(zandolin_mpc status) && now=$(zandolin_mpc status '%songpos% %currenttime%') || return
    case $'\n'$status in
    *$'\n[playing]'*) state=playing ;;
    *$'\n[paused]'*) state=paused ;;
    *) state=stopped ;;
    esac
    {
        printf '%s %s %s\n' "$state" "${now%% *}" "$(awk -F: '
            { s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }' <<<"${now#* }")"
        [ -z "$queue" ] || printf '%s\n' "$queue"
    } | zandolin_write "$1" durable && return
    echo "${0##*/}: MPD's queue is left alone: it cannot be saved as $1" >&2
    return 1
}

# Adds the files listed in $1 (one a line) to the queue in order, leaving out
# those that MPD refuses (gone from its database); prints their line numbers.
zandolin_add_all() {
    local rest=$1 line=0 queued=0 length
    while [ -n "$rest" ]; do
        printf '%s\n' "$rest" | mpc -q add 2>/dev/null && return 0
        # mpc stops at the first refusal: skip that line and go on after it.
        length=$(mpc status '%length%') && length=$(zandolin_number "$length") || return
        line=$((line + length - queued + 1))
        printf '%s\n' "$line"
        rest=$(printf '%s\n' "$rest" | tail -n "+$((length - queued + 2))")
        queued=$length
    done
}

# Puts back the queue saved as file $1, paused at its song and position, and
# removes the file.  A queue that the user has changed since wins: the saved
# one is dropped then.  Quiet; fails when MPD does not answer.
zandolin_restore_queue() {
    local queue state song seconds files refused r earlier
    [ -f "$1" ] || return 0
    queue=$(mpc -f '%file%' playlist) || return
    if zandolin_queue_is_ours "$1" "$queue"; then
        { read -r state song seconds && files=$(cat); } <"$1" || return
        song=$(zandolin_number "$song") || song=0
        seconds=$(zandolin_number "$seconds") || seconds=0
        mpc -q clear && refused=$(zandolin_add_all "$files") || return
        # Songs left out before the current one move it up; it may be gone.
        earlier=0
        for r in $refused; do
            [ "$r" -ne "$song" ] || song=0
            [ "$r" -ge "$song" ] || earlier=$((earlier + 1))
        done
        [ "$song" -eq 0 ] || song=$((song - earlier))
        if [ "$song" -ge 1 ]; then
            mpc -q play "$song" && mpc -q pause || return
            [ "$seconds" -eq 0 ] || mpc -q seek \
                "$(printf '%d:%02d:%02d' $((seconds / 3600)) $((seconds / 60 % 60)) $((seconds % 60)))" ||
                return
        fi
    fi
    rm -f -- "$1" "$1.quiz"
}

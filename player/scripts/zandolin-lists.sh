# shellcheck shell=bash
# shellcheck disable=SC2154 # zandolin-mpd.sh sets the zandolin_ variables
# The functions of the player scripts' slower steps: asking MPD for lists,
# keeping them in files, and moving the user's queue aside and back.  Read by
# zandolin_lists in zandolin-mpd.sh, whose functions these use.
#
# A track's title is its title tag; without one (or a blank one) it is the
# file's name without the directory, extension kept ("tune-07.ogg").

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
    zandolin_runtime_dir || return 0
    { printf '%s\n' "$2" && cat; } | zandolin_write "$zandolin_run/$1" ||
        rm -f -- "$zandolin_run/$1"
}

# Prints MPD's stored playlists' names, one a line, in playlist-number order
# (the first line is playlist 2).
zandolin_playlists() {
    local names
    names=$(zandolin_mpc lsplaylists) || return
    printf '%s\n' "$names" | LC_ALL=C awk 'NF' | LC_ALL=C sort
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

# Sets zandolin_reason to the error in MPD's status $1, if any: its one line.
zandolin_status_error() {
    zandolin_reason=
    [[ $1 != *$'\nERROR: '* ]] || zandolin_reason=${1##*$'\n'ERROR: }
    zandolin_reason=${zandolin_reason%%$'\n'*}
}

# Says that MPD cannot play any song, in MPD's words when its status $1 or the
# status after one more try gives them, and returns 78 (EX_CONFIG of
# sysexits.h), by which the caller knows that no other song would play either.
# MPD pauses a song whose audio output does not open (all outputs disabled
# too), and a later command clears the error: asking it to play once more
# brings the reason back at once.
zandolin_output_fails() {
    local status=$1 try
    zandolin_status_error "$status"
    for try in 1 2 3 4 5 6 7 8 9 10; do
        [ -z "$zandolin_reason" ] || break
        if [ "$try" -eq 1 ]; then
            status=$(zandolin_mpc play 2>/dev/null) || break
        else
            sleep 0.05
            status=$(zandolin_mpc status 2>/dev/null) || break
        fi
        zandolin_status_error "$status"
    done
    printf '%s%s%s\n' "MPD cannot play any song: " \
        "${zandolin_reason:-its audio output pauses every song}." \
        " Check the audio_output section of MPD's configuration (mpd.conf) and the sound device or server it names, then try again." >&2
    return 78
}

# Judges a song that does not play, by MPD's status $1 after its start (with
# $2 the messages of the mpc call that failed, $3 its exit code, 0 when none
# failed).  Returns 69 when MPD does not answer, 78 when MPD cannot play any
# song (zandolin_output_fails), else 65 (EX_DATAERR): this song cannot be
# played, said on stderr after $zandolin_about.
zandolin_judge_failure() {
    local status=$1 failed=$2 rc=$3
    if [ "$rc" -ne 0 ] && zandolin_unreachable "$failed"; then
        zandolin_no_answer
        return
    fi
    # The status, when the call that failed has not given it.
    if [ "$rc" -ne 0 ]; then
        status=$(zandolin_about='' zandolin_mpc status 2>/dev/null)
        [ "$?" -ne 69 ] || { zandolin_no_answer; return; }
    fi
    # MPD's error, else what the failed call said (MPD's error too, when it
    # came first).
    zandolin_status_error "$status"
    if [ -z "$zandolin_reason" ] && [[ $failed == *'MPD error: '* ]]; then
        zandolin_reason=${failed##*MPD error: }
        zandolin_reason=${zandolin_reason%%$'\n'*}
        status+=$'\nERROR: '$zandolin_reason
    fi
    # A song that cannot be decoded leaves MPD stopped; only MPD's own failure
    # pauses it.
    case $zandolin_reason in
    'Failed to decode '*) ;;
    *) if [[ $status == *$'\n[paused]'* || $zandolin_reason == *'audio output'* ||
        $zandolin_reason == 'Failed to open "'*'" ('*')'* ]]; then
        zandolin_output_fails "$status"
        return
    fi ;;
    esac
    printf '%s%s\n' "$zandolin_about" "${zandolin_reason:-MPD does not play it}" >&2
    return 65
}

# Prints the track numbers of playlist number $1, called $2, whose file is $3,
# joined by ",": from 168's kept listing, else as MPD lists the playlist now.
zandolin_tracks_of_file() {
    local kept=
    zandolin_runtime_dir && kept=$zandolin_run/songs-$1
    {
        if [ -n "$kept" ] && IFS= read -r first 2>/dev/null <"$kept" &&
            [ "$first" = "$zandolin_server$zandolin_tab$2" ]; then
            tail -n +2 -- "$kept"
        else
            zandolin_entries "$1" "$2" 2>/dev/null
        fi
    } | ZANDOLIN_FILE=$3 LC_ALL=C awk -F '\t' '
        substr($0, length($1) + 2) == ENVIRON["ZANDOLIN_FILE"] { printf "%s%d", n++ ? "," : "", NR }'
}

# Saved queues were once named by the cksum of "mpd HOST PORT": takes over
# this server's queue left so by an older Zandolin.
zandolin_adopt_old_queue() {
    local old sum
    for old in "$zandolin_state"/queue-[0-9]*; do
        case ${old##*/queue-} in *[!0-9]*) continue ;; esac
        sum=$(printf '%s' "$zandolin_server" | cksum) || return
        [ "${old##*/queue-}" = "${sum%% *}" ] || continue
        [ ! -e "$zandolin_saved" ] && mv -f -- "$old" "$zandolin_saved" || return
        [ ! -e "$old.quiz" ] || mv -f -- "$old.quiz" "$zandolin_saved.quiz"
        return
    done
}

# True when the queue $2 (files, one a line) is what Zandolin left in place of
# the saved queue $1: empty (played out in consume mode), or one song that 169
# recorded, not only the last: an MPD restarted since restores the queue of
# its state file, which may be older.
zandolin_queue_is_ours() {
    local records record
    [ -f "$1" ] || return
    [ -n "$2" ] || return 0
    [[ $2 != *$'\n'* ]] || return
    { mapfile records <"$1.quiz"; } 2>/dev/null || return
    for record in "${records[@]}"; do
        [ "$record" != "$2"$'\n' ] || return 0
    done
    return 1
}

# Saves MPD's queue as file $1; says why not when it cannot.
zandolin_save_queue() {
    local queue status now state
    queue=$(zandolin_mpc -f '%file%' playlist) || return
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

# Prints the files of saved queue $1 after its line $2 (line 1 is the state),
# numbered as lines of the queue: "NUMBER<tab>FILE".  With $3 set, standard
# input lists MPD's files, and of a database path that MPD does not have only
# "NUMBER" is printed; other entries (a stream's URL, an absolute path) are
# left to MPD.
zandolin_queue_entries() {
    ZANDOLIN_QUEUE=$1 LC_ALL=C awk -v from="$2" -v listed="$3" '
        listed { have[$0] }
        END {
            queue = ENVIRON["ZANDOLIN_QUEUE"]
            for (n = 0; (got = getline file < queue) > 0; n++) {
                if (n <= from)
                    continue
                if (!listed || file in have || file ~ /^\// || index(file, "://"))
                    print n "\t" file
                else
                    print n
            }
            if (got < 0)
                exit 1
        }'
}

# Adds the files of saved queue $1 to the queue in order, leaving out those
# that MPD refuses (gone from its database), and prints their numbers in the
# queue.  mpc stops at the first file refused; then MPD lists its files once,
# and the files it does not have are left out together, so that the time does
# not grow with their number.
zandolin_add_all() {
    local length known listed=1 entries entry lines kept=() at=0 queued
    tail -n +2 -- "$1" | mpc -q add 2>/dev/null && return 0
    length=$(mpc status '%length%') && zandolin_number length "$length" || return
    printf '%s\n' $((length + 1))
    # MPD refuses to list a library beyond its max_output_buffer_size: then
    # each refusal is found on its own.
    if ! known=$(mpc -f '%file%' listall 2>&1); then
        ! zandolin_unreachable "${known##*$'\n'}" || { printf '%s\n' "${known##*$'\n'}" >&2; return 1; }
        known='' listed=''
    fi
    entries=$(zandolin_queue_entries "$1" $((length + 1)) "$listed" <<<"$known") || return
    [ -n "$entries" ] || return 0
    mapfile -t lines <<<"$entries"
    for entry in "${lines[@]}"; do
        case $entry in
        *"$zandolin_tab"*) kept+=("$entry") ;;
        *) printf '%s\n' "$entry" ;;
        esac
    done
    queued=$length
    while [ "$at" -lt "${#kept[@]}" ]; do
        printf '%s\n' "${kept[@]:at}" | cut -f 2- | mpc -q add 2>/dev/null && return 0
        length=$(mpc status '%length%') && zandolin_number length "$length" || return
        at=$((at + length - queued))
        [ "$at" -lt "${#kept[@]}" ] || break
        printf '%s\n' "${kept[at]%%"$zandolin_tab"*}"
        at=$((at + 1)) queued=$length
    done
}

# Puts back the queue saved as file $1, paused at its song and position, and
# removes the file.  A queue that the user has changed since wins: the saved
# one is dropped then.  Quiet; fails when MPD does not answer.
zandolin_restore_queue() {
    local queue state song seconds refused r earlier
    [ -f "$1" ] || return 0
    queue=$(mpc -f '%file%' playlist) || return
    if zandolin_queue_is_ours "$1" "$queue"; then
        read -r state song seconds <"$1" || return
        zandolin_number song "$song" || song=0
        zandolin_number seconds "$seconds" || seconds=0
        mpc -q clear && refused=$(zandolin_add_all "$1") || return
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

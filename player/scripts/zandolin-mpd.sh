# shellcheck shell=bash
# Shared functions of the Zandolin player scripts (168 .. 172).  Sourced, not
# run; it lives next to the scripts.
#
# Playlist numbers: 1 is the whole library, 2.. are MPD's stored playlists in
# byte order of their names (LC_ALL=C), names that are blank left out.
#
# A playlist's tracks are what MPD reports for it, minus entries whose file is
# not in MPD's database (missing files, streams, paths outside the music
# directory).  168 lists and 169 plays exactly these, so their numbering always
# agrees.  The library is ordered by file path (byte order).
#
# A track's title is its title tag; without one (or a blank one) it is the
# file's name without the directory, extension kept ("tune-07.ogg").

if ! command -v mpc >/dev/null 2>&1; then
    echo "mpc is not installed" >&2
    exit 1
fi

zandolin_tab=$'\t'

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

# Prints the stored playlists' names, one a line, in playlist-number order
# (the first line is playlist 2).
zandolin_playlists() {
    local names
    names=$(mpc lsplaylists) || return
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

# Prints playlist number $1 as "TITLE<tab>FILE" lines in track order.  Prints
# nothing for an unknown number; fails only when MPD cannot be asked.
zandolin_entries() {
    local number=$1 format listing names name
    format="[%mtime%]${zandolin_tab}[%title%]${zandolin_tab}%file%"
    if [ "$number" -eq 1 ]; then
        listing=$(mpc -f "$format" listall) || return
        printf '%s\n' "$listing" | zandolin_clean |
            LC_ALL=C sort -t "$zandolin_tab" -k 2
    elif [ "$number" -ge 2 ]; then
        names=$(zandolin_playlists) || return
        name=$(printf '%s\n' "$names" | sed -n "$((number - 1))p")
        [ -n "$name" ] || return 0
        listing=$(mpc -f "$format" playlist -- "$name") || return
        printf '%s\n' "$listing" | zandolin_clean
    fi
}

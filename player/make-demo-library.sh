#!/bin/bash
# Generates a small demo music library for Zandolin: 40 short synthesised
# tunes (Ogg Vorbis, 12-15 s, tagged with TITLE/ARTIST/ALBUM/TRACKNUMBER) and a
# few m3u playlists referring to them by paths relative to the music directory.
#
#   make-demo-library.sh MUSICDIR PLAYLISTDIR
#
# Running it again is cheap: the tunes are only made when the stamp file in
# MUSICDIR is missing or from an older version of this script, and a playlist
# file is only written when it does not exist yet.  Two runs at once into the
# same folders both succeed: every file is written under a name of this run's
# own and then renamed into place.
set -euo pipefail

stamp_version=1

if [ $# -ne 2 ]; then
    echo "usage: ${0##*/} MUSICDIR PLAYLISTDIR" >&2
    exit 2
fi
music=$1
playlists=$2
stamp="$music/.zandolin-demo-stamp"

command -v sox >/dev/null || {
    echo "${0##*/}: sox is not installed (apt-get install sox libsox-fmt-all)" >&2
    exit 1
}
mkdir -p "$music" "$playlists"
# This run's files in the making, on the music folder's file system so that
# renaming them into place is atomic.
work=$(mktemp -d "$music/.making.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Number, title, artist.  Titles are all different; some have non-ASCII
# letters and one has a comma, which the player scripts must pass through.
titles=(
    "Für Elise" "Ça plane" "Ωmega Waltz" "Salt, Pepper and Time"
    "Morning Over Småland" "Crème Brûlée Blues" "Señorita Sunrise"
    "Über den Wolken" "Naïve Little March" "Déjà Vu Polka"
    "Harbour Lights" "Copper Kettle" "Midnight Tram" "Paper Lanterns"
    "The Quiet Orchard" "Saffron Road" "Glass Elevator" "Northern Signal"
    "Thistle and Thorn" "Blue Hour" "Clockwork Finch" "Lantern Swing"
    "Marble Staircase" "Velvet Engine" "Rain on Tin" "Kite Festival"
    "Lighthouse Keeper" "Orange Grove Reel" "Slow River" "Patchwork Sky"
    "Ember Dance" "Tiny Parade" "Moss and Stone" "Violet Alarm"
    "Second Breakfast" "Snowline" "Pocket Symphony" "Driftwood"
    "Zebra Crossing" "Łódź Nocturne"
)
artists=("The Tin Quartet" "Mira Sol" "Nordlicht Ensemble" "Ana & the Pilots")
artist_dirs=(tin-quartet mira-sol nordlicht pilots)
waves=(sine square triangle sawtooth pluck)
# Major, minor and pentatonic scales as semitone steps from the root.
scales=("0 2 4 5 7 9 11 12" "0 2 3 5 7 8 10 12" "0 2 4 7 9 12 14 16")

# Relative path (inside MUSICDIR) of tune number $1 (1-based).
tune_path() {
    local i=$(($1 - 1))
    printf '%s/tune-%02d.ogg' "${artist_dirs[i % 4]}" "$1"
}

# Writes tune number $1.  The melody is a pseudo-random walk over a scale;
# root, scale, waveform, tempo and the walk itself depend on the number, so
# every tune sounds different from the others.
make_tune() {
    local n=$1 i=$(($1 - 1))
    local path
    path="$music/$(tune_path "$n")"
    local wave=${waves[i % 5]}
    local -a scale
    read -r -a scale <<<"${scales[(i / 5) % 3]}"
    local root=$((i * 7 % 24 - 15)) # semitones from A4
    local beat_ms=$((300 + (i * 37) % 200))
    local total_ms=$((12000 + (i * 211) % 3000))
    local seed=$((i * 7919 + 17)) step=$((i % ${#scale[@]}))
    local -a args=()
    local t=0 len_ms len
    while [ $t -lt $total_ms ]; do
        seed=$(((seed * 1103515245 + 12345) % 2147483648))
        step=$((step + (seed / 65536) % 5 - 2))
        [ $step -lt 0 ] && step=$((-step))
        [ $step -ge ${#scale[@]} ] && step=$((2 * (${#scale[@]} - 1) - step))
        len_ms=$beat_ms
        [ $(((seed / 4096) % 4)) -eq 0 ] && len_ms=$((beat_ms * 2))
        [ $((t + len_ms)) -gt $total_ms ] && len_ms=$((total_ms - t))
        len=$(printf '%d.%03d' $((len_ms / 1000)) $((len_ms % 1000)))
        [ ${#args[@]} -gt 0 ] && args+=(:)
        args+=(synth "$len" "$wave" "%$((root + scale[step]))" vol 0.5 fade 0.01 "$len" 0.05)
        t=$((t + len_ms))
    done
    mkdir -p "${path%/*}"
    sox -n -r 22050 -c 1 \
        --comment "TITLE=${titles[i]}" \
        --add-comment "ARTIST=${artists[i % 4]}" \
        --add-comment "ALBUM=Zandolin Demo" \
        --add-comment "TRACKNUMBER=$n" \
        "$work/${path##*/}" "${args[@]}"
    mv -f "$work/${path##*/}" "$path"
}

if [ "$(cat "$stamp" 2>/dev/null)" != "$stamp_version" ]; then
    # The tunes are independent, so make them a few at a time.
    jobs_max=$(nproc 2>/dev/null || echo 2)
    pids=()
    for n in $(seq 1 ${#titles[@]}); do
        make_tune "$n" &
        pids+=($!)
        if [ ${#pids[@]} -ge "$jobs_max" ]; then
            wait "${pids[0]}"
            pids=("${pids[@]:1}")
        fi
    done
    for pid in "${pids[@]}"; do
        wait "$pid"
    done
    echo "$stamp_version" >"$work/stamp"
    mv -f "$work/stamp" "$stamp"
fi

# Writes playlist $1 from the tune numbers that follow, unless it exists.
write_playlist() {
    local file="$playlists/$1.m3u"
    shift
    [ -e "$file" ] && return 0
    local tmp
    tmp=$(mktemp "$playlists/.making.XXXXXX")
    {
        for n in "$@"; do
            tune_path "$n"
            echo
        done
    } >"$tmp"
    # mktemp makes the file private; a playlist is as readable as any new file.
    chmod "$(printf '%o' $((0666 & ~$(umask))))" "$tmp"
    mv -f "$tmp" "$file"
}

# Track order deliberately differs from file order.
write_playlist "Classics" 7 1 12 3 9 4 11 2 5 10 6 8
write_playlist "Mixed Bag" 40 13 22 4 31 17 2 26 35 9 19 38 14 28 33
write_playlist "Everything Odd" 1 3 5 7 9 11 13 15 17 19
write_playlist "Short Set" 40 21 4 25 2 23 27 22 26

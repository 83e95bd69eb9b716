#!/bin/bash
# End-to-end test of the player scripts against a private MPD with the demo
# library plus a few awkward extras (untagged file, separator-like title,
# playlist with missing files, odd playlist names).  No sound is made: the
# MPD uses the null output.  Prints "N passed, M failed" last.
set -uo pipefail

here=$(dirname "$(readlink -f "$0")")
scripts=$here/scripts
private=$here/mpd-private.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/zandolin-test.XXXXXX")
mpd_dir=$work/mpd
music=$mpd_dir/music
lists=$mpd_dir/playlists

cleanup() {
    "$private" stop "$mpd_dir" || echo "warning: could not stop the test MPD" >&2
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

passed=0
failed=0
group() { printf '== %s\n' "$*"; }
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    printf 'FAIL: %s\n' "$1"
    [ $# -lt 2 ] || printf '%s\n' "${@:2}" | sed 's/^/      /'
}
expect_eq() { # description expected actual
    if [ "$2" == "$3" ]; then pass; else fail "$1" "expected: [$2]" "actual:   [$3]"; fi
}

# Runs a script and keeps its stdout (exactly, trailing newlines included),
# stderr and exit code in out, err and rc.
run() {
    local name=$1
    shift
    out=$("$scripts/$name" "$@" 2>"$work/stderr"; rc=$?; printf x; exit $rc)
    rc=$?
    out=${out%x}
    err=$(cat "$work/stderr")
}

# Splits a 168 reply into one title a line.
titles_of() {
    [ -n "$1" ] || return 0
    local rest=$1
    while [ "${rest#*"##%#,"}" != "$rest" ]; do
        printf '%s\n' "${rest%%"##%#,"*}"
        rest=${rest#*"##%#,"}
    done
    printf '%s\n' "${rest%"##%#"}"
}

# Number of the playlist called $1 in a 172 reply ($2).
number_of() {
    printf '%s\n' "$2" | tr ',' '\n' | grep -nxF -- "$1" | cut -d: -f1
}

# playing, paused or stopped ("mpc status %state%" cannot tell stopped).
state() {
    local s
    s=$(mpc status | sed -n 's/^\[\([a-z]*\)\].*/\1/p')
    printf '%s' "${s:-stopped}"
}
elapsed_s() { mpc status '%currenttime%' | awk -F: '{ print $1 * 60 + $2 }'; }

# --- fixtures --------------------------------------------------------------
"$here/make-demo-library.sh" "$music" "$lists" || exit 1
mkdir -p "$music/extra"
sox -n -r 8000 -c 1 "$music/extra/untagged.ogg" synth 3 sine 500
sox -n -r 8000 -c 1 --comment "TITLE=Tricky##%#,Title##%" \
    "$music/extra/sharp.ogg" synth 3 sine 600
printf '%s\n' pilots/tune-04.ogg nope/missing.ogg extra/untagged.ogg \
    /no/such/dir/file.ogg tin-quartet/tune-01.ogg >"$lists/Holes, Gaps.m3u"
printf '%s\n' extra/sharp.ogg extra/untagged.ogg >"$lists/Tricky.m3u"
printf '%s\n' pilots/tune-08.ogg nordlicht/tune-03.ogg >"$lists/-Dash.m3u"
printf '%s\n' mira-sol/tune-02.ogg >"$lists/Ünicode.m3u"
printf '%s\n' mira-sol/tune-02.ogg >"$lists/ .m3u"

group "private MPD"
ZANDOLIN_MPD_OUTPUT=null "$private" start "$mpd_dir" >"$work/start.out" 2>&1
expect_eq "start succeeds quietly" "0:" "$?:$(cat "$work/start.out")"
"$private" status "$mpd_dir"
expect_eq "status answers after start" 0 $?
export "$("$private" env "$mpd_dir")"
expect_eq "env names the socket" "$mpd_dir/socket" "$MPD_HOST"
[ "$(mpc stats 2>/dev/null | awk '/^Songs:/ { print $2 }')" = 42 ] || {
    fail "database holds the 40 demo tunes and 2 extras"
    exit 1
}
pass
# A playlist written while MPD runs must show up without a restart.
printf '%s\n' nordlicht/tune-07.ogg >"$lists/zeta.m3u"

group "172: playlist names"
run 172
expect_eq "172 exit code and stderr" "0:" "$rc:$err"
expect_eq "172 reply: Library first, then byte order, comma cleaned, blank name dropped" \
    "Library,-Dash,Classics,Everything Odd,Holes; Gaps,Mixed Bag,Short Set,Tricky,zeta,Ünicode" \
    "$out"
names=$out
classics=$(number_of Classics "$names")
short=$(number_of "Short Set" "$names")
holes=$(number_of "Holes; Gaps" "$names")
tricky=$(number_of Tricky "$names")
dash=$(number_of -Dash "$names")

group "168: titles"
run 168 "$classics"
expect_eq "168 Classics reply (12 titles, track order, no trailing newline)" \
    "Señorita Sunrise##%#,Für Elise##%#,Copper Kettle##%#,Ωmega Waltz##%#,Naïve Little March##%#,Salt, Pepper and Time##%#,Harbour Lights##%#,Ça plane##%#,Morning Over Småland##%#,Déjà Vu Polka##%#,Crème Brûlée Blues##%#,Über den Wolken##%#" \
    "$out"
expect_eq "168 exit code and stderr" "0:" "$rc:$err"
run 168 "$short"
expect_eq "168 Short Set reply (9 titles)" \
    "Łódź Nocturne##%#,Clockwork Finch##%#,Salt, Pepper and Time##%#,Rain on Tin##%#,Ça plane##%#,Marble Staircase##%#,Lighthouse Keeper##%#,Lantern Swing##%#,Kite Festival##%#" \
    "$out"
run 168 "0$short"
expect_eq "168 with a leading zero" 9 "$(titles_of "$out" | wc -l)"
run 168 "$tricky"
expect_eq "168 cleans separator-like titles, untagged file shows its name" \
    "Tricky#%#,Title#%##%#,untagged.ogg##%#" "$out"
run 168 "$holes"
expect_eq "168 leaves out entries MPD has no file for" \
    "Salt, Pepper and Time##%#,untagged.ogg##%#,Für Elise##%#" "$out"
run 168 1
library=$out
expect_eq "168 1 lists the whole library" 42 "$(titles_of "$library" | wc -l)"
expect_eq "library titles are all different and none is empty" 42 \
    "$(titles_of "$library" | grep -c .)"
expect_eq "168 1 lists titles the same way twice" "$library" "$(
    run 168 1
    printf '%s' "$out"
)"
for n in 0 99 999999999999; do
    run 168 "$n"
    expect_eq "168 $n: unknown playlist, empty reply" "0::" "$rc:$out:$err"
done
# A wrong argument is a usage error, not "unknown playlist".
expect_usage_error() {
    run "$@"
    if [ "$rc" -ne 0 ] && [ -z "$out" ] && [ -n "$err" ]; then pass; else
        fail "$* must fail with a message" "rc=$rc out=[$out] err=[$err]"
    fi
}
expect_usage_error 168
expect_usage_error 168 x
expect_usage_error 168 -1
expect_usage_error 168 ""
expect_usage_error 168 " 1"
expect_usage_error 168 1.5
expect_usage_error 168 1 2

group "169: play track M of playlist Z, as 168 numbers them"
# Plays $2 of playlist $1 and checks that exactly 168's M-th title plays, as
# the only song in the queue; $3 is the file expected to play.
check_play() {
    local title playing
    title=$(
        run 168 "$1"
        titles_of "$out" | sed -n "$2p"
    )
    run 169 "$1" "$2"
    expect_eq "169 $1 $2 exit code, output" "0::" "$rc:$out:$err"
    playing=$(mpc -f '[%title%]' current)
    [ -n "$playing" ] || playing=$(basename "$(mpc -f '%file%' current)")
    expect_eq "169 $1 $2 plays title $2 of 168 $1" "$title" "$playing"
    expect_eq "169 $1 $2 plays the right file" "$3" "$(mpc -f '%file%' current)"
    expect_eq "169 $1 $2 leaves one song queued, playing" "1 playing" \
        "$(mpc playlist | wc -l) $(state)"
}
check_play "$classics" 1 "$(sed -n 1p "$lists/Classics.m3u")"
check_play "$classics" 6 "$(sed -n 6p "$lists/Classics.m3u")"
check_play "$classics" 12 "$(sed -n 12p "$lists/Classics.m3u")"
check_play "$short" 9 "$(sed -n 9p "$lists/Short Set.m3u")"
check_play "$dash" 2 nordlicht/tune-03.ogg
check_play "$holes" 2 extra/untagged.ogg
check_play "$holes" 3 tin-quartet/tune-01.ogg
check_play 1 2 extra/untagged.ogg
check_play 1 3 mira-sol/tune-02.ogg
check_play 1 42 tin-quartet/tune-37.ogg
expect_usage_error 169 "$holes" 4
expect_usage_error 169 "$classics" 13
expect_usage_error 169 "$classics" 0
expect_usage_error 169 99 1
expect_usage_error 169 0 1
expect_usage_error 169 "$classics"
expect_usage_error 169 x 1
expect_eq "a failed 169 leaves the playing song alone" \
    "tin-quartet/tune-37.ogg playing" "$(mpc -f '%file%' current) $(state)"

group "170/171: pause and resume"
run 170
expect_eq "170 exit code, output" "0::" "$rc:$out:$err"
expect_eq "170 pauses" paused "$(state)"
before=$(elapsed_s)
sleep 1.5
expect_eq "paused song does not advance" "$before" "$(elapsed_s)"
run 171
expect_eq "171 exit code, output" "0::" "$rc:$out:$err"
expect_eq "171 resumes the same song" "playing tin-quartet/tune-37.ogg" \
    "$(state) $(mpc -f '%file%' current)"
sleep 2.2
after=$(elapsed_s)
if [ "$after" -gt "$before" ]; then pass; else
    fail "171 resumes from where 170 paused" "paused at ${before}s, now ${after}s"
fi
mpc -q stop
run 170
expect_eq "170 on a stopped player succeeds quietly" "0::" "$rc:$out:$err"
mpc -q clear
run 170
expect_eq "170 on an empty queue succeeds quietly" "0::" "$rc:$out:$err"
run 171
expect_eq "171 on an empty queue succeeds quietly" "0::" "$rc:$out:$err"

group "173/174: stop playback"
for n in 173 174; do
    "$scripts/169" "$classics" 2
    run "$n"
    expect_eq "$n exit code, output" "0::" "$rc:$out:$err"
    expect_eq "$n stops playback" stopped "$(state)"
done

group "scripts run through a symlink"
mkdir -p "$work/bin"
ln -s "$scripts/168" "$work/bin/168"
out=$("$work/bin/168" "$short" 2>&1)
expect_eq "symlinked 168 finds its helper" 9 "$(titles_of "$out" | wc -l)"

group "no server"
# Failing scripts must pass on mpc's own message; 173/174 must stay silent.
without_server() {
    for n in 173 174; do
        run "$n"
        expect_eq "$n without a server ($MPD_HOST) exits 0 silently" "0::" \
            "$rc:$out:$err"
    done
    for args in 172 "168 1" "168 $classics" "169 $classics 1" 170 171; do
        # shellcheck disable=SC2086 # script name and arguments
        run $args
        if [ "$rc" -ne 0 ] && [ -z "$out" ] && [[ $err == "MPD error: "* ]]; then pass; else
            fail "$args without a server ($MPD_HOST) fails with mpc's message" \
                "rc=$rc out=[$out] err=[$err]"
        fi
    done
}
MPD_HOST=$work/no-such-socket without_server
MPD_HOST=127.0.0.1 MPD_PORT=1 without_server

group "private MPD stop"
"$private" stop "$mpd_dir"
expect_eq "stop succeeds" 0 $?
"$private" status "$mpd_dir"
expect_eq "status fails after stop" 1 $?

printf '%d passed, %d failed\n' "$passed" "$failed"
[ "$failed" -eq 0 ]

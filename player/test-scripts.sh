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

# The scripts keep files in the runtime and state folders: use our own, and
# the scripts' own default time-out.
export XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset MPD_TIMEOUT

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
    local name=$1 errors=$work/stderr.$BASHPID
    shift
    out=$("$scripts/$name" "$@" 2>"$errors"; rc=$?; printf x; exit $rc)
    rc=$?
    out=${out%x}
    err=$(cat "$errors")
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
# The queue's files, the state, the current song's position and elapsed time.
queue_is() {
    printf '%s | %s | %s' "$(mpc -f '%file%' playlist | paste -sd ' ')" "$(state)" \
        "$(mpc status '%songpos% %currenttime%')"
}
# The one line that a script says when MPD does not answer at $1 (the program
# adds what to do).
no_answer() { printf 'MPD does not answer at %s' "$1"; }

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
# A wrong argument is a usage error (exit 2), not "unknown playlist".
expect_failure() { # exit code, script, arguments
    run "${@:2}"
    if [ "$rc" -eq "$1" ] && [ -z "$out" ] && [ -n "$err" ]; then pass; else
        fail "${*:2} must fail with $1 and a message" "rc=$rc out=[$out] err=[$err]"
    fi
}
expect_usage_error() { expect_failure 2 "$@"; }
expect_usage_error 168
expect_usage_error 168 x
expect_usage_error 168 -1
expect_usage_error 168 ""
expect_usage_error 168 " 1"
expect_usage_error 168 1.5
expect_usage_error 168 1 2

group "169: play track M of playlist Z, as 168 numbers them"
# Plays $2 of playlist $1 and checks that exactly 168's M-th title plays, as
# the only song in the queue; $3 is the file expected to play, $4 the title
# when it is not the one 168 lists now.
check_play() {
    local title=${4-} playing
    [ $# -eq 4 ] || title=$(
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
# No such track: 1, which the caller must not take for an unplayable song
# (65) or a silent MPD (69).
expect_failure 1 169 "$holes" 4
expect_failure 1 169 "$classics" 13
expect_failure 1 169 "$classics" 0
expect_failure 1 169 99 1
expect_failure 1 169 0 1
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

group "numbers and rows mean what the window showed"
# The window shows 172's names and 168's rows; then another client adds a
# playlist and renames one, both sorting before Classics now, and reverses
# Classics.  The numbers and rows shown still play their own songs.
run 172
[ "$out" = "$names" ] || fail "172 replies as before"
run 168 "$classics"
shown=$out
mapfile -t classics_files <"$lists/Classics.m3u"
cp "$lists/Classics.m3u" "$work/"
printf '%s\n' pilots/tune-04.ogg >"$lists/Aardvark.m3u"
mv "$lists/Short Set.m3u" "$lists/A Short Set.m3u"
tac "$work/Classics.m3u" >"$lists/Classics.m3u"
for track in 1 6 12; do
    check_play "$classics" "$track" "${classics_files[track - 1]}" \
        "$(titles_of "$shown" | sed -n "${track}p")"
done
run 168 "$classics"
expect_eq "168 lists the playlist of the number shown, as it is now" \
    "$(titles_of "$shown" | tac)" "$(titles_of "$out")"
check_play "$classics" 1 "${classics_files[11]}"
run 168 "$short"
expect_eq "168 of a playlist renamed since says so" \
    "1:168: playlist \"Short Set\": No such playlist" "$rc:$err"
expect_eq "without a runtime folder the numbers are MPD's own, as before" 9 "$(
    XDG_RUNTIME_DIR=$work/none run 168 "$classics"
    titles_of "$out" | wc -l
)"
expect_eq "the kept names and listings are the user's own" 700 \
    "$(stat -c %a "$XDG_RUNTIME_DIR/zandolin")"
rm "$lists/Aardvark.m3u"
mv "$lists/A Short Set.m3u" "$lists/Short Set.m3u"
mv "$work/Classics.m3u" "$lists/"

group "the user's queue is put back, paused"
mapfile -t mixed < <(sed -n 1,5p "$lists/Mixed Bag.m3u")
mkdir -p "$music/queue"
for i in 1 2 3 4 5; do ln "$music/$(sed -n "${i}p" "$lists/Classics.m3u")" "$music/queue/q$i.ogg"; done
mpc -q -w update
# Makes a queue of the files $4.. with song $1 current at second $2, then
# "pause"s, "play"s or "stop"s.
make_queue() {
    mpc -q clear
    [ $# -eq 3 ] || printf '%s\n' "${@:4}" | mpc -q add
    [ "$1" -eq 0 ] || { mpc -q play "$1" && mpc -q seek "0:0$2"; }
    mpc -q "$3"
}
# The program's run: start, open, a round of questions, then $1 happens.
round="PATH=$scripts:\$PATH; 174; 173; 172; 174; 168 $classics; 169 $classics 2;"
round+=" 170; 169 $classics 7; 170"
check_queue_kept() { # description, queue made, what happens, queue expected
    eval "$2" >/dev/null 2>&1
    eval "$round; $3" >/dev/null 2>&1
    expect_eq "$1" "$4" "$(queue_is)"
}
quit="173; 173"
check_queue_kept "five songs, the third paused at 0:05, are back after a round" \
    "make_queue 3 5 pause ${mixed[*]}" "$quit" "${mixed[*]} | paused | 3 0:05"
check_queue_kept "a playing queue comes back paused where 174 paused it" \
    "make_queue 2 4 play ${mixed[*]:1}" "$quit" "${mixed[*]:1} | paused | 2 0:04"
check_queue_kept "an empty queue comes back empty" "make_queue 0 0 stop" "$quit" " | stopped | 0 0:00"
check_queue_kept "after a crash the next start puts the queue back" \
    "make_queue 3 5 pause ${mixed[*]}" "PATH=$scripts:\$PATH; 174; 173" \
    "${mixed[*]} | paused | 3 0:05"
check_queue_kept "a queue the user made meanwhile wins over the saved one" \
    "make_queue 3 5 pause ${mixed[*]}" "make_queue 1 0 pause ${mixed[4]}; $quit" \
    "${mixed[4]} | paused | 1 0:00"
check_queue_kept "a queue changed during a round is replaced; the one from before comes back" \
    "make_queue 3 5 pause ${mixed[*]}" \
    "make_queue 1 0 pause ${mixed[4]}; 169 $classics 3; 170; $quit" "${mixed[*]} | paused | 3 0:05"
# Any song of the round counts, not only the last: a restarted MPD restores
# the queue of its state file, which may be older.
played=("$(sed -n 2p "$lists/Classics.m3u")" "$(sed -n 7p "$lists/Classics.m3u")")
check_queue_kept "a queue of an earlier question's song is the quiz's" \
    "make_queue 3 5 pause ${mixed[*]}" "make_queue 1 0 pause ${played[0]}; $quit" \
    "${mixed[*]} | paused | 3 0:05"
check_queue_kept "a queue of two songs of the round is the user's" \
    "make_queue 3 5 pause ${mixed[*]}" "make_queue 2 0 pause ${played[*]}; $quit" \
    "${played[*]} | paused | 2 0:00"
# Leaves a saved queue for the MPD that MPD_HOST and MPD_PORT name, so that
# 173 asks it; prints the file's path.
queue_waits() {
    local id=${MPD_HOST#*@}${MPD_PORT:+-$MPD_PORT}
    id=$XDG_STATE_HOME/zandolin/queue-${id//[!A-Za-z0-9._-]/_}
    printf 'stopped 0 0\n' >"$id" && printf '%s' "$id"
}
saved_queue() {
    local f
    for f in "$XDG_STATE_HOME"/zandolin/queue-*; do [[ $f == *.quiz ]] || printf '%s' "$f"; done
}
# A record cut short (disk full, a crash) does not count.
check_queue_kept "a record cut short is left out" "make_queue 3 5 pause ${mixed[*]}" \
    "printf '\n%s' nope >>\"\$(saved_queue).quiz\"; $quit" "${mixed[*]} | paused | 3 0:05"
# Older versions named the saved queue by the cksum of "mpd HOST PORT" and
# recorded only the last song.
as_older_version() {
    local new old
    new=$(saved_queue)
    old=$XDG_STATE_HOME/zandolin/queue-$(printf 'mpd %s ' "$MPD_HOST" | cksum | cut -d ' ' -f 1)
    mv "$new" "$old" && mpc -f '%file%' current >"$old.quiz" && rm "$new.quiz"
}
check_queue_kept "a queue that an older version saved comes back" \
    "make_queue 3 5 pause ${mixed[*]}" "as_older_version; $quit" "${mixed[*]} | paused | 3 0:05"
check_queue_kept "songs gone from MPD's database are left out" \
    "make_queue 3 5 pause queue/q1.ogg queue/q2.ogg queue/q3.ogg queue/q4.ogg queue/q5.ogg" \
    "rm $music/queue/q1.ogg $music/queue/q4.ogg; mpc -w update; $quit" \
    "queue/q2.ogg queue/q3.ogg queue/q5.ogg | paused | 2 0:05"

group "the user's queue after MPD stalls or restarts"
mpd_pid() { cat "$mpd_dir/pid"; }
# MPD stalls at Next Song: 169 gives up before MPD has taken the new song, so
# the queue still holds the last question's.
make_queue 3 5 pause "${mixed[@]}"
eval "$round" >/dev/null 2>&1
kill -STOP "$(mpd_pid)"
MPD_TIMEOUT=1 run 169 "$classics" 3
kill -CONT "$(mpd_pid)"
expect_eq "169 with MPD stalled exits 69 and says where MPD was looked for" \
    "69:$(no_answer "socket $MPD_HOST")" "$rc:$err"
run 173
expect_eq "after MPD stalled at Next Song the user's queue comes back" \
    "0: ${mixed[*]} | paused | 3 0:05" "$rc:$err $(queue_is)"
# A song that 169 cannot record must not stay queued: an empty queue is the
# quiz's too.
make_queue 3 5 pause "${mixed[@]}"
eval "$round" >/dev/null 2>&1
quiz=$(saved_queue).quiz
mv "$quiz" "$work/quiz" && mkdir "$quiz"
run 169 "$classics" 3
expect_eq "169 that cannot record its song exits 1 and leaves the queue empty" \
    "1:169: MPD's queue is left alone: $quiz cannot be written:0" "$rc:$err:$(mpc playlist | wc -l)"
rmdir "$quiz" && mv "$work/quiz" "$quiz"
run 173
expect_eq "the user's queue comes back after a song not recorded" \
    "0: ${mixed[*]} | paused | 3 0:05" "$rc:$err $(queue_is)"
# MPD with a state file, killed after the second question, comes back with
# the first question's song.
restart() { # ZANDOLIN_MPD_STATE for the new start
    "$private" stop "$mpd_dir" &&
        ZANDOLIN_MPD_STATE=$1 ZANDOLIN_MPD_OUTPUT=null "$private" start "$mpd_dir" >/dev/null 2>&1
}
restart 1
make_queue 3 5 pause "${mixed[@]}"
run 169 "$classics" 2
restart 1
expect_eq "with ZANDOLIN_MPD_STATE=1 a restarted MPD restores its queue" \
    "${played[0]}" "$(mpc -f '%file%' playlist)"
run 169 "$classics" 7
kill -KILL "$(mpd_pid)"
while "$private" status "$mpd_dir"; do sleep 0.05; done
restart 1
run 173
expect_eq "after MPD restarts with an earlier question's song the user's queue comes back" \
    "0: ${mixed[*]} | paused | 3 0:05" "$rc:$err $(queue_is)"
restart ""

group "a long saved queue comes back in time"
# 10,000 songs, every fifth of them gone from MPD's database; the current
# song, the 5,001st, comes after 1,000 of those.
saved=$(queue_waits)
{
    printf 'paused 5001 7\n'
    mpc -f '%file%' listall | awk '/tune-/ { f[n++] = $0 }
        END { for (i = 1; i <= 10000; i++) print i % 5 ? f[i % n] : "gone/song-" i ".ogg" }'
} >"$saved"
awk 'NR > 1 && !/^gone\//' "$saved" >"$work/long"
current=$(sed -n 5002p "$saved")
make_queue 0 0 stop
started=$(date +%s%N)
run 173
ms=$((($(date +%s%N) - started) / 1000000))
printf '   173 put back 8,000 songs of 10,000 in %d ms\n' "$ms"
expect_eq "173 puts back the 8,000 songs that MPD has, in order" "0: same" \
    "$rc:$err $(mpc -f '%file%' playlist | cmp -s - "$work/long" && echo same)"
expect_eq "the current song is the same, paused at its position" \
    "$current | paused | 4001 0:07" "$(mpc -f '%file%' current) | $(state) | $(mpc status '%songpos% %currenttime%')"
if [ "$ms" -lt 5000 ]; then pass; else fail "173 puts back a long queue within 5 s" "it took $ms ms"; fi
mpc -q clear

group "scripts run through a symlink"
mkdir -p "$work/bin"
ln -s "$scripts/168" "$work/bin/168"
out=$("$work/bin/168" "$short" 2>&1)
expect_eq "symlinked 168 finds its helper" 9 "$(titles_of "$out" | wc -l)"

group "169/171: MPD cannot play any song, exit 78"
# With its only output disabled MPD pauses each song, as when the output does
# not open; its reason comes once MPD is asked to play again.
mpc -q disable 1 >/dev/null
run 169 "$classics" 1
expect_eq "169 says that MPD cannot play any song, in MPD's words" \
    "78::MPD cannot play any song: All audio outputs are disabled. Check the audio_output" \
    "$rc:$out:${err%% section*}"
run 171
expect_eq "171 says the same" 78:All "$rc:${err:26:3}"
mpc -q enable 1 >/dev/null
run 169 "$classics" 1
expect_eq "169 plays once MPD is mended" "0:playing" "$rc:$(state)"

group "169: a song MPD cannot play is named, exit 65"
run 168 "$tricky"
rm "$music/extra/sharp.ogg" # MPD's database still has it: "play" fails
: >"$music/extra/untagged.ogg" # the decoder fails: "seek" fails
head -c 200 "$music/mira-sol/tune-02.ogg" >"$work/cut.ogg" # cut off in its headers
mv "$work/cut.ogg" "$music/mira-sol/tune-02.ogg"
# Track $2 of playlist $1, file $3, is named as one MPD cannot play.
expect_unplayable() {
    run 169 "$1" "$2"
    if [ "$rc" -eq 65 ] && [[ $err == "169: cannot play $3: "* ]] && [ "$(wc -l <<<"$err")" -eq 1 ]; then
        pass
    else
        fail "169 $1 $2 names $3, which MPD cannot play" "rc=$rc err=[$err]"
    fi
}
expect_unplayable "$tricky" 1 extra/sharp.ogg
expect_unplayable "$tricky" 2 extra/untagged.ogg
expect_unplayable 1 3 mira-sol/tune-02.ogg
# It names the tracks that are the same file, so that they are left out too.
printf '%s\n' extra/untagged.ogg pilots/tune-04.ogg extra/untagged.ogg >"$lists/Twice.m3u"
run 172
twice=$(number_of Twice "$out")
run 168 "$twice"
expect_unplayable "$twice" 3 extra/untagged.ogg
expect_eq "169 names the tracks of the same file" "1,3" "$out"
# A song that has stopped and whose file is gone since: 171 starts it again,
# and says that it cannot.
run 169 "$twice" 2
cp "$music/pilots/tune-04.ogg" "$work/tune-04.ogg"
mpc -q stop
rm "$music/pilots/tune-04.ogg"
run 171
expect_eq "171 names a song that cannot be played since" \
    "65:171: cannot play the current song: Failed to decode" "$rc:${err%% /*}"
mv "$work/tune-04.ogg" "$music/pilots/tune-04.ogg"
rm "$lists/Twice.m3u"
mpc -q -w update # now "add" refuses the deleted file
expect_unplayable "$tricky" 1 extra/sharp.ogg
# An MPD that stops answering once the song is queued is no fault of the song.
# Its answer comes too late, but it may carry the request out all the same.
mkdir "$work/silent"
cat >"$work/silent/mpc" <<EOF
#!/bin/bash
case " \$* " in *" \$SILENT_AT "*)
    [ -z "\${CARRIED_OUT-}" ] || $(command -v mpc) "\$@" >/dev/null 2>&1
    echo "MPD error: Timeout" >&2; exit 1 ;;
esac
exec $(command -v mpc) "\$@"
EOF
chmod +x "$work/silent/mpc"
for at in add play seek; do
    PATH=$work/silent:$PATH SILENT_AT=$at run 169 "$classics" 1
    expect_eq "169 with MPD silent at $at exits 69 with its message" \
        "69:$(no_answer "socket $MPD_HOST")" "$rc:$err"
done
run 169 "$classics" 2
PATH=$work/silent:$PATH SILENT_AT=add CARRIED_OUT=1 run 169 "$classics" 1
expect_eq "169 records a song whose add timed out, which MPD may carry out" \
    "69 $(sed -n 1p "$lists/Classics.m3u")" "$rc $(tail -n 1 "$(saved_queue).quiz")"
# A seek and a status that MPD refuses are the song's failure, not another.
cat >"$work/silent/mpc" <<EOF
#!/bin/bash
case " \$* " in *" seek "* | *" status "*) echo "MPD error: Not playing" >&2; exit 1 ;; esac
exec $(command -v mpc) "\$@"
EOF
PATH=$work/silent:$PATH run 169 "$classics" 1
expect_eq "169 whose seek and status fail names the song" \
    "65:169: cannot play $(sed -n 1p "$lists/Classics.m3u"): Not playing" "$rc:$err"

group "173 and 174: silent unless MPD does not answer"
run 174
expect_eq "174 with MPD answering exits 0 silently" "0::" "$rc:$out:$err"
saved=$(queue_waits)
run 173
expect_eq "173 with MPD answering exits 0 silently and puts the queue back" "0:::no" \
    "$rc:$out:$err:$([ -e "$saved" ] && echo yes || echo no)"
# MPD refusing is no reason to hold up a quit.
mkdir "$work/refusing"
cat >"$work/refusing/mpc" <<'EOF'
#!/bin/sh
echo "MPD error: you don't have permission for \"pause\"" >&2
exit 1
EOF
chmod +x "$work/refusing/mpc"
queue_waits >/dev/null
for n in 173 174; do
    PATH=$work/refusing:$PATH run "$n"
    expect_eq "$n with MPD refusing exits 0 silently" "0::" "$rc:$out:$err"
done

group "no server"
# Failing scripts say where MPD was looked for and exit 69; 173 asks MPD only
# when a saved queue waits.
without_server() { # where MPD was looked for
    run 173
    expect_eq "173 without a server ($1) and no saved queue exits 0 silently" "0::" "$rc:$out:$err"
    saved=$(queue_waits)
    for n in 173 174; do
        run "$n"
        expect_eq "$n without a server ($1) exits 69 with its message" \
            "69::$(no_answer "$1")" "$rc:$out:$err"
    done
    rm -f -- "$saved"
    for args in 172 "168 1" "168 $classics" "169 $classics 1" 170 171; do
        # shellcheck disable=SC2086 # script name and arguments
        run $args
        expect_eq "$args without a server ($1) says so" "69::$(no_answer "$1")" "$rc:$out:$err"
    done
}
MPD_HOST=$work/no-such-socket without_server "socket $work/no-such-socket"
MPD_HOST=secret@127.0.0.1 MPD_PORT=1 without_server "127.0.0.1 port 1"

group "an MPD that never answers"
# Every script gives up within the default time-out (3 s) plus its own work;
# they run side by side so that the test waits it out only once.
steps=(172 "168 $classics" "169 $classics 1" 170 171 173 174)
queue_waits >/dev/null # for 173 to put back
kill -STOP "$(cat "$mpd_dir/pid")"
for i in "${!steps[@]}"; do
    (
        started=$(date +%s%N)
        # shellcheck disable=SC2086 # script name and arguments
        run ${steps[i]}
        printf '%s\n%s\n%s\n' "$rc" "$((($(date +%s%N) - started) / 1000000))" "$err" >"$work/hung.$i"
    ) &
done
wait
kill -CONT "$(cat "$mpd_dir/pid")"
for i in "${!steps[@]}"; do
    { read -r rc && read -r ms && err=$(cat); } <"$work/hung.$i"
    expect_eq "${steps[i]} gives up on a silent MPD with exit 69 and its message" \
        "69:$(no_answer "socket $MPD_HOST")" "$rc:$err"
    if [ "$ms" -lt 5000 ]; then pass; else fail "${steps[i]} gives up within 5 s" "it took $ms ms"; fi
done

group "two makes and starts at once"
# Two runs into one folder must not rename each other's files away, nor
# start two MPDs.
both=$work/both
mpds() { pgrep -f "^mpd $both/mpd/mpd.conf" | wc -l; }
"$here/make-demo-library.sh" "$both/music" "$both/lists" >/dev/null 2>&1 &
first=$!
"$here/make-demo-library.sh" "$both/music" "$both/lists" >/dev/null 2>&1
second=$?
wait $first
expect_eq "two make-demo-library.sh at once both succeed" "0 0" "$? $second"
ZANDOLIN_MPD_OUTPUT=null "$private" start "$both/mpd" >/dev/null 2>&1 &
first=$!
ZANDOLIN_MPD_OUTPUT=null "$private" start "$both/mpd" >/dev/null 2>&1
second=$?
wait $first
expect_eq "two starts of one DIR at once both succeed, with one MPD" "0 0 1" "$? $second $(mpds)"
"$private" stop "$both/mpd"
expect_eq "stop leaves no MPD of that DIR" 0 "$(mpds)"
for pid in $(pgrep -f "^mpd $both/mpd/mpd.conf"); do kill "$pid"; done

group "private MPD stop"
"$private" stop "$mpd_dir"
expect_eq "stop succeeds" 0 $?
"$private" status "$mpd_dir"
expect_eq "status fails after stop" 1 $?

printf '%d passed, %d failed\n' "$passed" "$failed"
[ "$failed" -eq 0 ]

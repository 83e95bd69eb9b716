# The anchor of Next Song: the bare mpc calls that script 169 makes to play one file ($1) and see it
# playing (clear, add, play, the seek that waits for the decoder, a second look at the status), run by sh
# without 169's own work.
set -e
mpc -q clear
mpc -q add "$1"
mpc -q play
mpc seek 0 >/dev/null
mpc status >/dev/null

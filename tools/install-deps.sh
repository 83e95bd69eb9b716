#!/usr/bin/env bash
# Installs the Debian packages that Zandolin needs, when missing. The set named by the argument:
#   play  building and running the program (the default; tools/run.sh)
#   test  that, and the tests, benchmarks, the Clang build and the sanitizers (tools/test.sh)
# Uses apt-get directly as root, through sudo otherwise; without either, or when sudo refuses, it prints the
# command to run as root.
set -euo pipefail
set_name=${1:-play}

play=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-liberation2 fonts-dejavu-core
  libenchant-2-dev hunspell-en-us
  mpd mpc sox libsox-fmt-all
)
# Without a display tools/run.sh starts the quiz on Xvfb, with an xauth cookie.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  play+=(xvfb xauth)
fi
test=(
  clang clang-format libclang-rt-14-dev
  libgtest-dev libbenchmark-dev python3
  appstream desktop-file-utils valgrind
)
case $set_name in
  play) packages=("${play[@]}") ;;
  test) packages=("${play[@]}" "${test[@]}") ;;
  *) echo "usage: ${0##*/} [play|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

update=(apt-get update)
install=(apt-get install -y --no-install-recommends "${missing[@]}")
ask_for_root() {
  echo "Zandolin needs missing Debian packages; install them as root, then run this script again:" \
       "${update[*]} && ${install[*]}" >&2
  exit 1
}
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null || ! command -v apt-get >/dev/null; then
    ask_for_root
  fi
  as_root=(sudo)
  # sudo is asked first, for the same command (env), so that nothing says installing has begun when it
  # refuses: a user not in the sudoers file, a password not given or no terminal to ask it on. A password
  # is asked here, and sudo remembers it for the apt-get calls.
  sudo env true || ask_for_root
fi

echo "Installing: ${missing[*]}"
# Through env, as sudo would drop an exported variable. sudo exits 1 when it refuses after all; apt-get
# fails with 100.
status=0
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${update[@]}" || status=$?
if [ $status -eq 0 ]; then
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}" || status=$?
fi
if [ $status -eq 1 ] && [ ${#as_root[@]} -gt 0 ]; then ask_for_root; fi
exit $status

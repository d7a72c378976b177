#!/usr/bin/env bash
# Proves the Debian package on a clean Debian 12. A debootstrap tree, made
# once and copied afresh for every run, gets the package through apt, which
# fetches its dependencies; as an ordinary user the three programs start
# there (the window on a virtual display, orvane-cli against orvane-sim) and
# every manual page renders; after the package and the dependencies it pulled
# in are purged, the tree holds the same files as before.
# Slow the first time (a base system is downloaded), so it is run by hand,
# not by scripts/test.sh. Needs root, debootstrap and a Debian mirror.
# Usage: scripts/check-package.sh DEB [WORK_DIR]   (default /var/tmp/orvane-pkgcheck)
set -euo pipefail
deb=$(realpath "$1")
work=${2:-/var/tmp/orvane-pkgcheck}
mirror=${ORVANE_DEBIAN_MIRROR:-http://deb.debian.org/debian}
base=$work/base
root=$work/root
user=gimbal

in_root() { chroot "$root" "$@"; }
as_user() { chroot --userspec="$user:$user" "$root" env HOME="/home/$user" "$@"; }
# For a background job: the job's process id is then the program's own.
exec_as_user() { exec chroot --userspec="$user:$user" "$root" env HOME="/home/$user" "$@"; }

# The base system plus what the proof itself uses: man to render the pages,
# Xvfb as the display, and an ordinary user.
prepare_base() {
  [ -e "$base/.orvane-ready" ] && return
  [ -e "$base/etc/debian_version" ] || debootstrap --variant=minbase bookworm "$base" "$mirror"
  chroot "$base" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive chroot "$base" apt-get install -y -qq --no-install-recommends man-db xvfb
  chroot "$base" useradd --create-home "$user"
  touch "$base/.orvane-ready"
}

# Every file and folder of the system, less the kernel's, apt's caches and
# logs, and the user's home: what the user made there (the window's
# Setting.ini) is the user's, which no package removal touches.
file_list() {
  (cd "$root" && find . -xdev \( -path ./proc -o -path ./dev -o -path ./tmp -o -path ./home -o -path ./var/cache \
    -o -path ./var/log -o -path ./var/lib/apt -o -path './var/lib/dpkg/*-old' \) -prune -o -print | sort)
}

mounted=()
started=()
clean_up() {
  [ ${#started[@]} -eq 0 ] || kill "${started[@]}" 2>/dev/null || true
  sleep 1
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}"; done
}
mount_into_root() {
  mount "$@"
  mounted+=("${*: -1}")
}

start_programs() {
  as_user orvane-cli --help >/dev/null
  as_user orvane-sim --help >/dev/null
  as_user orvane --help >/dev/null

  local sim_out=$root/tmp/sim.out
  exec_as_user orvane-sim --name check >"$sim_out" 2>&1 &
  local sim=$!
  started+=("$sim")
  for _ in $(seq 50); do [ -s "$sim_out" ] && break; sleep 0.1; done
  as_user orvane-cli monitor --port check --count 20 --lines --timeout 10 >/dev/null
  kill "$sim"
  wait "$sim" || true
  started=()
  echo "orvane-cli monitored orvane-sim ($(head -1 "$sim_out"))"

  exec_as_user Xvfb :71 -nolisten tcp >/dev/null 2>&1 &
  local display=$!
  started+=("$display")
  sleep 1
  exec_as_user env DISPLAY=:71 sh -c 'cd && exec orvane' >"$root/tmp/window.err" 2>&1 &
  local window=$!
  started+=("$window")
  sleep 4
  if ! kill -0 "$window" 2>/dev/null; then
    cat "$root/tmp/window.err" >&2
    echo "FAIL: the window did not stay up" >&2
    exit 1
  fi
  local window_messages
  window_messages=$(cat "$root/tmp/window.err")
  kill "$window" "$display"
  wait "$window" "$display" || true
  started=()
  echo "the window started and ran on a virtual display${window_messages:+; it said:}"
  cat "$root/tmp/window.err"
}

render_man_pages() {
  local page
  for page in "$root"/usr/share/man/man1/orvane*.1.gz; do
    local name=/usr/share/man/man1/${page##*/}
    as_user env MANWIDTH=80 man -l "$name" >"$root/tmp/page.txt" 2>"$root/tmp/page.err"
    if [ -s "$root/tmp/page.err" ] || ! grep -q '^NAME' "$root/tmp/page.txt"; then
      cat "$root/tmp/page.err" >&2
      echo "FAIL: $name does not render cleanly" >&2
      exit 1
    fi
    echo "man -l $name: $(wc -l <"$root/tmp/page.txt") lines"
  done
  in_root man -w orvane-cli >/dev/null
}

prepare_base
rm -rf "$root"
cp -a "$base" "$root"
trap clean_up EXIT
mount_into_root -t proc proc "$root/proc"
mount_into_root --bind /dev "$root/dev"
mount_into_root --bind /dev/pts "$root/dev/pts"

file_list >"$work/before.txt"
cp "$deb" "$root/tmp/"
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq --no-install-recommends "/tmp/${deb##*/}" >/dev/null
# shellcheck disable=SC2016 # dpkg-query's own fields, not the shell's
echo "installed: $(in_root dpkg-query -W -f='${Package} ${Version}' orvane)"
start_programs
render_man_pages

DEBIAN_FRONTEND=noninteractive in_root apt-get purge -y -qq orvane >/dev/null
DEBIAN_FRONTEND=noninteractive in_root apt-get autoremove --purge -y -qq >/dev/null
rm -f "$root/tmp/${deb##*/}"
file_list >"$work/after.txt"
if ! diff "$work/before.txt" "$work/after.txt"; then
  echo "FAIL: removal left the files above behind or took others away" >&2
  exit 1
fi
echo "removed: the tree holds the same files as before the install"

#!/usr/bin/env bash
# The clean-machine check of the Debian package, for a throwaway Debian machine or container,
# as root: installs the package with its dependencies, starts the game for a new non-root user
# on a virtual display (traced), checks that it read its data from /usr/share/morvik and wrote
# only into that user's folders, ends it with Ctrl+Q (which saves the progress), then purges
# the package and checks that none of its files is left.
#   scripts/try-package.sh build/morvik_<version>_<arch>.deb
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "try-package: run as root (it installs and purges a package)" >&2; exit 2; }
deb=$(realpath "$1")
! dpkg-query -W -f='${Status}' morvik 2>/dev/null | grep -q "install ok" ||
  { echo "try-package: morvik is installed already; purge it first (apt-get purge morvik)" >&2; exit 2; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xdotool x11-utils strace >/dev/null

user=morvik-try-$$
useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
work=$(mktemp -d)
chmod 755 "$work"
display=:$((100 + RANDOM % 400))
xvfb=""
purged=0
cleanup() {
  ((purged)) || DEBIAN_FRONTEND=noninteractive apt-get purge -y -q morvik >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  userdel -r "$user" 2>/dev/null || true
  [ -n "${KEEP:-}" ] || rm -rf "$work"; [ -z "${KEEP:-}" ] || echo "kept $work"
}
trap cleanup EXIT
fail() { echo "try-package: FAILED: $*" >&2; exit 1; }

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt-get install"; }
dpkg-query -L morvik | sort >"$work/files"
echo "$(wc -l <"$work/files") paths installed; depends: $(dpkg-query -W -f='${Depends}' morvik)"

echo "== start as $user"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
touch "$work/before" "$work/trace" "$work/game.log"
chown "$user" "$work/trace"
runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin DISPLAY="$display" LANG=C.UTF-8 \
  strace -f -qq -e trace=openat,creat,mkdir,rename,renameat,renameat2,unlink,unlinkat,linkat -o "$work/trace" morvik >"$work/game.log" 2>&1 & game=$!
win=""
for _ in $(seq 300); do
  win=$(DISPLAY=$display xdotool search --onlyvisible --name "Morvik" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  kill -0 "$game" 2>/dev/null || { cat "$work/game.log"; fail "the game ended before showing a window"; }
  sleep 0.1
done
[ -n "$win" ] || fail "no window within 30 s"
sleep 3
# Without a window manager the window takes the focus directly. Enter starts the first stage
# (its stages read), Ctrl+Q goes back to the title, Ctrl+Q again ends the game.
focus() {
  DISPLAY=$display xdotool windowactivate --sync "$1" 2>/dev/null || DISPLAY=$display xdotool windowfocus "$1" 2>/dev/null || true
}
focus "$win"
DISPLAY=$display xdotool key Return
sleep 4
focus "$(DISPLAY=$display xdotool getactivewindow 2>/dev/null || DISPLAY=$display xdotool getwindowfocus)"
DISPLAY=$display xdotool key ctrl+q
sleep 3
focus "$win"
DISPLAY=$display xdotool key ctrl+q
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && { kill "$game"; fail "the game did not end on Ctrl+Q"; }
echo "game output:"; sed 's/^/  /' "$work/game.log"

# Read: the stages, pictures, sound and help from the installed data folder.
for f in mapdata.dat pictures/ sound/ shortest.txt; do
  grep -q "\"/usr/share/morvik/$f[^\"]*\", O_RDONLY" "$work/trace" || fail "never read /usr/share/morvik/$f"
done
# Not even tried: writing where the program's files are.
tried=$(grep -E '"/usr/(share/morvik|bin)[^"]*", [^)]*(O_WRONLY|O_RDWR|O_CREAT|O_TMPFILE)' "$work/trace" || true)
[ -z "$tried" ] || fail "tried to write beside the program's files: $tried"
# Written: only below the user's home and the system's scratch folders.
grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(|mkdir\(|rename|unlink|linkat\(' "$work/trace" | grep -v ' = -1 ' |
  grep -oE '"[^"]*"' | tr -d '"' | sort -u >"$work/written"
outside=$(grep -vE "^($home/|/tmp/|/dev/|/proc/|/run/user/)" "$work/written" || true)
[ -z "$outside" ] || fail "wrote outside the user's folders: $outside"
echo "written by the game:"; sed 's/^/  /' "$work/written"
[ -s "$home/.local/share/morvik/PlayInfo.DAT" ] || fail "no progress saved in $home/.local/share/morvik"
changed=$(find /usr /etc /var/games /opt -newer "$work/before" -type f 2>/dev/null | grep -v "^/var/cache\|^/var/log" || true)
[ -z "$changed" ] || fail "files changed outside the user's folders: $changed"

echo "== purge"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -q morvik >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "apt-get purge"; }
purged=1
left=$(while read -r p; do [ -e "$p" ] && [ ! -d "$p" ] && echo "$p"; done <"$work/files" || true)
[ -z "$left" ] || fail "left after purge: $left"
[ ! -e /usr/share/morvik ] || fail "/usr/share/morvik left after purge"
leftover=$(find /usr /etc /var/lib/dpkg/info -iname '*morvik*' 2>/dev/null || true)
[ -z "$leftover" ] || fail "left after purge: $leftover"
echo "try-package: OK"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages on a pristine Debian 12 and uses them as a player would: first
# tiravol-cli alone, which must bring no widget library, gives its version and a report on a
# history; then tiravol, whose window starts (offscreen); then purging both removes every file
# they installed and leaves the player's documents and settings as they were. Prints
# "package check: passed" or what failed.
#   ./scripts/package-check.sh [PACKAGE_DIR]   as root; default: build/package (./scripts/package.sh)
#   FRESH_ROOT=<folder> the pristine root (default /var/tmp/tiravol-fresh-root, made once with
#                       debootstrap when missing; it is copied, never changed)
set -euo pipefail
root_dir="$(cd "$(dirname "$0")/.." && pwd)"
pristine="${FRESH_ROOT:-/var/tmp/tiravol-fresh-root}"
fail() {
  echo "package check: $*" >&2
  exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot, mount)"
packages="${1:-$root_dir/build/package}"
cli_deb="$(ls "$packages"/tiravol-cli_*_amd64.deb 2>/dev/null | head -n 1)"
gui_deb="$(ls "$packages"/tiravol_*_amd64.deb 2>/dev/null | head -n 1)"
[ -f "$cli_deb" ] && [ -f "$gui_deb" ] || fail "no packages in $packages: build them with ./scripts/package.sh"
version="$(dpkg-deb -f "$gui_deb" Version)"

if [ ! -x "$pristine/bin/bash" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  mirror=$(grep -m1 -oE "URIs: \S+" /etc/apt/sources.list.d/debian.sources 2>/dev/null | awk '{print $2}')
  debootstrap --variant=minbase bookworm "$pristine" "$mirror" >/tmp/fresh-debootstrap.log 2>&1 ||
    fail "debootstrap failed (see /tmp/fresh-debootstrap.log)"
fi

root=$(mktemp -d /var/tmp/tiravol-package-check.XXXXXX)
cleanup() {
  for m in dev/pts dev proc; do umount -l "$root/$m" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$pristine/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mount -t proc proc "$root/proc" && mount --bind /dev "$root/dev" && mount --bind /dev/pts "$root/dev/pts" ||
  fail "cannot mount proc/dev in the root"
cp "$cli_deb" "$gui_deb" "$root/tmp/"

# A player's home: a short history from the first draw (an older start is warned about in a
# message box, which would hold the window open) and the settings file.
home="$root/home/joueur"
mkdir -p "$home/Documents" "$home/.config/Varn"
for i in $(seq 0 59); do
  day=$(date -u -d "1993-09-16 + $((i / 2)) days" +%d/%m/%Y)
  slot=$([ $((i % 2)) -eq 0 ] && echo midi || echo soir)
  numbers=$(seq 1 70 | awk -v s="$i" 'BEGIN { srand(s) } { print rand() "\t" $1 }' | sort -n | head -n 20 | cut -f2 | sort -n |
    xargs printf ' %02d')
  printf '%s%s %s\r\n' "$day" "$numbers" "$slot"
done >"$home/Documents/Tirages_keno.txt"
cp "$home/Documents/Tirages_keno.txt" "$home/Documents/Tirages.txt"
printf '[URL]\r\nFileFdesjeux=https://example.invalid/keno.zip\r\n' >"$home/.config/Varn/tiravol.ini"

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/home/joueur \
    XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen bash -c "$1"
}
log=/tmp/tiravol-package-check.log
in_root 'mkdir -p -m 700 /tmp/runtime'

install_in_root() {
  in_root 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends ./tmp/'"$1" \
    >>"$log" 2>&1 || fail "apt-get install $1 failed (log: $log)"
}
# The root knows only the Debian mirror debootstrap used: every download must come from it.
mirror="$(awk '/^deb /{ print $2; exit }' "$root/etc/apt/sources.list")"
check_fetched() {
  local fetched
  fetched="$(grep -E '^Get:' "$log" | grep -v -F -e "$(basename "$cli_deb")" -e "$(basename "$gui_deb")" || true)"
  [ -n "$fetched" ] || fail "no dependency was fetched (log: $log)"
  if printf '%s\n' "$fetched" | grep -v -F " $mirror "; then fail "fetched from elsewhere than $mirror"; fi
  echo "package check: $(printf '%s\n' "$fetched" | wc -l) packages fetched from $mirror"
  : >"$log"
}

echo "package check: installing $(basename "$cli_deb") alone on a pristine Debian 12"
: >"$log"
install_in_root "$(basename "$cli_deb")"
check_fetched
# The command line needs Qt's core and network libraries, never the graphical ones.
widgets="$(in_root "dpkg-query -W -f='\${Package}\n'" | grep -E '^libqt6(gui|widgets|printsupport|charts|opengl)' || true)"
[ -z "$widgets" ] || fail "tiravol-cli brought graphical libraries: $widgets"
echo "package check: tiravol-cli brought no graphical library"

[ "$(in_root 'tiravol-cli --version')" = "tiravol-cli $version" ] || fail "tiravol-cli --version does not say $version"
report="$(in_root 'cd /home/joueur && tiravol-cli sorties')" || fail "tiravol-cli sorties failed"
[ "$(printf '%s\n' "$report" | head -n 1 | cut -c1-22)" = "Classement par sorties" ] || fail "unexpected report: $(printf '%s' "$report" | head -n 3)"
[ "$(printf '%s\n' "$report" | wc -l)" -ge 36 ] || fail "the report is too short"
echo "package check: tiravol-cli $version prints the ranking of 60 draws"

echo "package check: installing $(basename "$gui_deb")"
install_in_root "$(basename "$gui_deb")"
check_fetched
for p in tiravol-cli tiravol; do
  in_root "dpkg -L $p" | while read -r path; do [ -d "$root$path" ] || echo "$path"; done
done >"$root/tmp/installed-files"
in_root 'cd /home/joueur && timeout 60 tiravol --demo --quit-after-start' >>"$log" 2>&1 || fail "the window did not start (log: $log)"
in_root 'cd /home/joueur && timeout 60 tiravol --quit-after-start' >>"$log" 2>&1 || fail "the window did not start on the player's history (log: $log)"
echo "package check: the window starts offscreen, with --demo and on the player's history"
in_root 'bash -n /usr/share/bash-completion/completions/tiravol-cli' || fail "the completion does not parse"
for page in man1/tiravol.1.gz man1/tiravol-cli.1.gz fr/man1/tiravol.1.gz fr/man1/tiravol-cli.1.gz; do
  gzip -t "$root/usr/share/man/$page" || fail "manual page $page is missing or damaged"
done

# What the player has now (the window saved the history on closing) must outlive the package.
in_root 'cd /home/joueur && find Documents .config -type f -exec sha256sum {} +' >"$root/tmp/user-files"

in_root 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tiravol tiravol-cli' >>"$log" 2>&1 || fail "apt-get purge failed (log: $log)"
left="$(while read -r path; do if [ -e "$root$path" ]; then echo "$path"; fi; done <"$root/tmp/installed-files")"
[ -z "$left" ] || fail "files left after removal: $left"
for dir in /usr/share/tiravol /usr/share/doc/tiravol /usr/share/doc/tiravol-cli; do
  [ ! -e "$root$dir" ] || fail "$dir left after removal"
done
in_root 'cd /home/joueur && sha256sum --quiet -c /tmp/user-files' || fail "the player's files changed"
echo "package check: removal took its $(wc -l <"$root/tmp/installed-files") files and left the player's files as they were"
echo "package check: passed"

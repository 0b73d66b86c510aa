#!/usr/bin/env bash
# Builds the Debian package from a built tree, installs it with apt-get, uses the
# installed programs as a new user would (an empty home, from any directory),
# checks the desktop entry, metainfo, man pages and completion, and removes the
# package again, which must leave nothing behind in /usr.
# Usage: scripts/package-test.sh [BUILD_DIR]   (default build/test)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build=$(cd "${1:-$top/build/test}" && pwd)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
fail() { echo "package test: $*" >&2; exit 1; }

deb=$(bash "$top/scripts/package.sh" "$build" | tail -n 1)
echo "-- $deb"
(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --reinstall "./$(basename "$deb")" >/dev/null)
installed_files=$(dpkg -L quarvin)

scratch=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
home="$scratch/home" work="$scratch/work"
mkdir -p "$home" "$work"
cd "$work"
as_user() { env -u XDG_DATA_HOME HOME="$home" "$@"; }

for program in quarvin quarvin-cli quarvin-sim; do
  [ "$(command -v $program)" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
  version=$(as_user QT_QPA_PLATFORM=offscreen "/usr/bin/$program" --version)
  [[ $version == "$program "[0-9]* ]] || fail "$program --version printed '$version'"
  echo "$version"
done

# The per-user program directory is made and used.
found=$(as_user /usr/bin/quarvin-cli devices --find 27C256 2>"$scratch/notes")
grep -q $'\t27C256\t' <<<"$found" || fail "devices --find 27C256 found nothing: $found"
userdir="$home/.local/share/quarvin"
cmp -s "$userdir/device.lst" /usr/share/quarvin/device.lst || fail "device.lst was not copied to $userdir"
grep -q "^quarvin-cli: Copied .*device.lst" "$scratch/notes" || fail "the first run did not say it copied the lists"
where=$(as_user /usr/bin/quarvin-cli where)
[ "$where" = "Program directory: $userdir/ (user data directory)" ] || fail "where says: $where"

# The window program from the menu: it sets up the same directory and names the
# virtual box for a first start without an adapter (it then waits at its start
# question, so it is ended once the directory is there).
rm -rf "$userdir"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/quarvin.desktop)
# Started directly (not through a function), so that $! is the program itself.
env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen /usr/bin/$exec_line >/dev/null 2>&1 &
window_pid=$!
adapter=no
ls /dev/ttyUSB* /dev/ttyACM* >/dev/null 2>&1 && adapter=yes
ready="$userdir/zomexnt.con"                        # the last thing the set-up writes
[ $adapter = yes ] && ready="$userdir/.installed-copies"
for _ in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
kill "$window_pid" 2>/dev/null || true
wait "$window_pid" 2>/dev/null || true
[ -f "$userdir/device.lst" ] || fail "the window program did not set up $userdir"
if [ $adapter = no ]; then
  [ "$(cat "$userdir/zomexnt.con")" = "VBOX" ] || fail "the first start did not name the virtual box"
fi

# The virtual box on a pseudo-terminal, driven through the real serial code.
/usr/bin/quarvin-sim --chip "27c256 12.7v" --chip-image "$scratch/chip.img" >"$scratch/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [ -s "$scratch/sim.out" ] && break; sleep 0.1; done
pty=$(head -n 1 "$scratch/sim.out")
[ -c "$pty" ] || fail "quarvin-sim printed no terminal: '$pty'"
head -c 32768 /dev/urandom >"$scratch/fw.bin"
run=$(as_user /usr/bin/quarvin-cli run --device Intel/27C256 --port "$pty" --in "$scratch/fw.bin" \
        blank program verify read --out "$scratch/back.bin" 2>/dev/null) || fail "quarvin-cli run failed: $run"
echo "$run"
cmp -s "$scratch/fw.bin" "$scratch/back.bin" || fail "the bytes read back differ from those programmed"
# It ends by itself when quarvin-cli closes the terminal.
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
sim_pid=""

# The translations are installed where the installed programs find them.
for qm in quarvin_en.qm quarvin_zh_CN.qm; do
  grep -qx "/usr/share/quarvin/translations/$qm" <<<"$installed_files" || fail "$qm is not installed"
done
lang=$(as_user /usr/bin/quarvin-cli run --device Intel/27C256 --port VBOX --allow-stress --lang en blank 2>/dev/null) \
  || fail "quarvin-cli --lang en failed: $lang"
lang=$(grep '^blank:' <<<"$lang")
[ "$lang" = "blank: Blank OK" ] || fail "quarvin-cli --lang en printed: $lang"
lang=$(as_user /usr/bin/quarvin-cli run --device Intel/27C256 --port VBOX --allow-stress --lang zh blank 2>/dev/null) \
  || fail "quarvin-cli --lang zh failed: $lang"
lang=$(grep '^blank:' <<<"$lang")
[ "$lang" = "blank: 查空通过" ] || fail "quarvin-cli --lang zh printed: $lang"

desktop-file-validate /usr/share/applications/quarvin.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.quarvin.Quarvin.metainfo.xml >/dev/null
# Slim Debian images tell dpkg to leave out man pages; then the package's own copies are read.
man_dir=/usr/share/man/man1
if [ ! -f "$man_dir/quarvin-cli.1.gz" ] && grep -qs 'path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  dpkg-deb -x "$deb" "$scratch/deb"
  man_dir="$scratch/deb/usr/share/man/man1"
fi
for page in quarvin quarvin-cli quarvin-sim; do
  if [ "$man_dir" = /usr/share/man/man1 ]; then
    [ "$(man -w "$page")" = "$man_dir/$page.1.gz" ] || fail "man does not find $page"
  fi
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_dir/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page renders with warnings: $warnings"
done
bash -c 'source /usr/share/bash-completion/completions/quarvin-cli && complete -p quarvin-cli' >/dev/null \
  || fail "the completion does not register"
[ -f /usr/lib/udev/rules.d/60-quarvin.rules ] || fail "no udev rules"
ls /usr/share/icons/hicolor/*/apps/quarvin.* >/dev/null || fail "no icons"

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y --purge quarvin >/dev/null
while IFS= read -r path; do
  if [ -f "$path" ]; then fail "$path is left after removal"; fi
done <<<"$installed_files"
left=$(find /usr -iname '*quarvin*' 2>/dev/null)
[ -z "$left" ] || fail "left in /usr after removal: $left"
echo "package installed, used and removed cleanly"

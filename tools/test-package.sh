#!/usr/bin/env bash
# Checks the Debian package the way a user meets it: builds it
# (tools/package.sh), installs it with apt, runs /usr/bin/tarnvik-cli on a
# small tree and compares its output, checks that the window's libraries are
# all there and that it starts, validates the menu entry, removes the package
# with apt and checks that the programs are gone.
#
# Installs into the system: run as root or with passwordless sudo. apt and
# dpkg may be busy with others; every apt call waits up to five minutes for
# their lock, and runs of this script on the same machine take turns. A
# tarnvik package that was installed before is left alone (the test is
# skipped), so the script never takes away a user's installation.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo -n)
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=300 -y -q --no-install-recommends)

deb=$("$here/tools/package.sh")
echo "package: $deb"

work=$(mktemp -d /tmp/tarnvik-package.XXXXXX)
installed_here=no
cleanup() {
  if [[ $installed_here == yes ]]; then
    "${apt[@]}" remove tarnvik >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# One run at a time on this machine: another run's remove must not meet
# this run's checks.
exec 9>/tmp/tarnvik-test-package.lock
flock -w 900 9

if dpkg-query -W -f='${Status}' tarnvik 2>/dev/null | grep -q 'install ok installed'; then
  echo "Package test skipped: a tarnvik package is already installed here; not replacing it"
  exit 0
fi

fail() {
  echo "test-package: $*" >&2
  exit 1
}

"${apt[@]}" install "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "apt could not install $deb"; }
installed_here=yes

# Where a user finds it.
for f in /usr/bin/tarnvik /usr/bin/tarnvik-cli /usr/share/applications/tarnvik.desktop \
  /usr/share/icons/hicolor/48x48/apps/tarnvik.png \
  /usr/share/icons/hicolor/scalable/apps/tarnvik.svg; do
  [[ -e $f ]] || fail "$f is missing after install"
done
desktop-file-validate /usr/share/applications/tarnvik.desktop || fail "the menu entry is not valid"
for exe in /usr/bin/tarnvik /usr/bin/tarnvik-cli; do
  if ldd "$exe" | grep -q 'not found'; then
    ldd "$exe" | grep 'not found' >&2
    fail "$exe misses libraries the package should depend on"
  fi
done

# A small tree with a copy, a name that occurs twice with other contents, a
# Japanese name and one in CP932 (printed as its bytes).
tree="$work/tree"
mkdir -p "$tree/sub"
printf 'abc' >"$tree/a.txt"
printf 'abc' >"$tree/sub/a.txt"
printf 'hello' >"$tree/報告書.xlsx"
printf 'x' >"$tree/sub/報告書.xlsx"
printf 'sjis' >"$tree/sub/$(printf '\x83\x8c\x83|\x81[\x83g.txt')"
find "$tree" -exec touch -h -d '2024-06-01 12:00:00 UTC' {} +
expected="$work/expected"
{
  printf ' No.\tFile Name\tFolder Name\tDate Time\tSize\tCheck\n'
  printf '   1\ta.txt\t\t2024.06.01 12:00:00\t     3\t\n'
  printf '   2\ta.txt\tsub\t2024.06.01 12:00:00\t     3\tSame\n'
  printf '   3\t報告書.xlsx\t\t2024.06.01 12:00:00\t     5\t\n'
  printf '   4\t報告書.xlsx\tsub\t2024.06.01 12:00:00\t     1\tName\n'
  printf '   5\t\x83\x8c\x83|\x81[\x83g.txt\tsub\t2024.06.01 12:00:00\t     4\t\n'
} >"$expected"
(cd / && TZ=UTC /usr/bin/tarnvik-cli "$tree") >"$work/out" 2>"$work/err" ||
  fail "tarnvik-cli failed: $(cat "$work/err")"
cmp -s "$work/out" "$expected" || {
  diff "$expected" "$work/out" >&2 || true
  fail "tarnvik-cli printed another table"
}
[[ $(tail -n 1 "$work/err") == "files=5 folders=2 same=2" ]] ||
  fail "tarnvik-cli counted otherwise: $(cat "$work/err")"

# The window starts with what the package brought and keeps running.
status=0
HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
  timeout 5 /usr/bin/tarnvik >"$work/window.log" 2>&1 || status=$?
[[ $status -eq 124 ]] || { cat "$work/window.log" >&2; fail "the window ended with status $status"; }

"${apt[@]}" remove tarnvik >"$work/remove.log" 2>&1 || { cat "$work/remove.log" >&2; fail "apt could not remove tarnvik"; }
installed_here=no
for f in /usr/bin/tarnvik /usr/bin/tarnvik-cli /usr/share/applications/tarnvik.desktop; do
  [[ ! -e $f ]] || fail "$f is still there after apt remove"
done
echo "Package test passed: installed, ran tarnvik-cli and the window, removed"

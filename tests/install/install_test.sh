#!/bin/sh
# Installs the build with `cmake --install` into a temporary prefix owned by root and
# uses it as the unprivileged user "nobody" in a home of its own: the window's Save
# and generate (through the driver), navforge-cli show, resave and generate. The
# variables file must land in the user's config folder, the shipped one beside the
# program must be read until then and never written, and a set in the user's data
# folder must be listed after the shipped ones, replace its namesake and be used.
# Usage: install_test.sh <build folder> <window driver> <cmake>
set -eu
build=$1
driver=$2
cmake=$3
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: needs root (to own the prefix and to run as an unprivileged user)"
  exit 77
fi
user=nobody
if ! id "$user" >/dev/null 2>&1; then
  user=navforge-test
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home "$user"
fi
work=$(mktemp -d /tmp/navforge-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
prog=$prefix/lib/navforge
cp "$driver" "$prog/"
printf 'Firma\266Beispiel\r\n' > "$prog/navforge.nfv"   # a shipped default, Windows-1252

home=$work/home
sets=$home/.local/share/navforge/Templates
mkdir -p "$home/site" "$sets/Eigen" "$sets/liste"
printf '<p>EIGEN $Title$ $FileName$ $Wer$\r\n' > "$sets/Eigen/header.txt"
printf '<p>MEINE LISTE\r\n' > "$sets/liste/header.txt"
printf 'NFF 2\r\n' > "$home/site/start.nff"
chown -R "$user" "$home"

fail() { echo "FAILED: $*"; exit 1; }
as_user() {
  (cd / && setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
     env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@")
}

# Before the first save the shipped variables stand in.
as_user "$prog/navforge-cli" show "$home/site/start.nff" | grep -qx 'Firma=Beispiel' ||
  fail "show does not read the shipped variables file"

# The window: sets listed, Save, Save, generate.
out=$(as_user "$prog/$(basename "$driver")" "$home/site/site.nff" Eigen) || fail "window driver: $out"
echo "$out"
echo "$out" | grep -qx 'Liste' && fail "the user's set 'liste' does not replace the shipped 'Liste'"
echo "$out" | grep -qx 'liste' || fail "the user's set 'liste' is not listed"
first_own=$(echo "$out" | grep -nx -e 'Eigen' -e 'liste' | head -n1 | cut -d: -f1)
last_shipped=$(echo "$out" | grep -nx -e 'Aufklappen' -e 'Leiste' -e 'Rahmen' -e 'Responsiv' | tail -n1 | cut -d: -f1)
[ "$first_own" -gt "$last_shipped" ] || fail "the user's sets are not listed after the shipped ones"
[ -s "$home/site/site.nff" ] && [ -s "$home/site/site.nfs" ] || fail "the window did not save the menu"
grep -q 'Wer' "$home/.config/navforge/navforge.nfv" || fail "variables file not in the user's config folder"
[ "$(cat "$prog/navforge.nfv")" = "$(printf 'Firma\266Beispiel\r')" ] || fail "the shipped variables file changed"
grep -q '^<p>EIGEN Titel menu.htm Anna' "$home/site/menu.htm" || fail "the window's page is not beside the menu"

# navforge-cli from a folder the user cannot write to.
as_user "$prog/navforge-cli" resave "$home/site/site.nff" "$home/site/copy.nff" || fail "resave"
[ -s "$home/site/copy.nff" ] && [ -s "$home/site/copy.nfs" ] || fail "resave wrote no menu"
rm "$home/site/menu.htm"
as_user "$prog/navforge-cli" generate "$home/site/copy.nff" || fail "generate"
grep -q '^<p>EIGEN Titel menu.htm Anna' "$home/site/menu.htm" || fail "navforge-cli's page is not beside the menu"
sed -i 's/^Template=.*/Template=LISTE/' "$home/site/copy.nfs"
as_user "$prog/navforge-cli" generate "$home/site/copy.nff" || fail "generate with the user's 'liste'"
grep -q '^<p>MEINE LISTE' "$home/site/menu.htm" || fail "the user's 'liste' is not used"
echo "installed copy works for $user"

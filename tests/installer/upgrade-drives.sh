#!/usr/bin/env bash
# Runs the installer's end-to-end tests in a private copy of the tree's Wine prefix whose fixed
# drives are only C: and a D: of our own, so the search over the drives sees nothing else:
#   upgrade-drives.sh TEST_EXE QVSETUP_EXE [gtest arguments]
# Packages are written here with tools/make-upgrade; the test program finds them in C:\vc_upg.
set -euo pipefail
test_exe=$1
setup_exe=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
tree=$(vc_tree_of "$setup_exe")
vc_wine_env "$tree"
shared_prefix=$WINEPREFIX

work=$(mktemp -d "${TMPDIR:-/tmp}/vc_upg.XXXXXX")
prefix=$work/prefix
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
vc_private_prefix "$shared_prefix" "$prefix" "$work/d"
export WINEPREFIX=$prefix

# The reference folders carry ".ref" on every name, so no folder of them looks like an
# installation to the search.
data=$prefix/drive_c/vc_upg
mkdir -p "$data"
python3 "$here/make-fixture.py" "$work/old" "$work/new"
for side in old new; do
  (cd "$work/$side" && find . -type f) | while read -r f; do
    mkdir -p "$(dirname "$data/ref/$side/$f")"
    cp -p "$work/$side/$f" "$data/ref/$side/$f.ref"
  done
  (cd "$work/$side" && find . -type d) | while read -r d; do mkdir -p "$data/ref/$side/$d"; done
done
make_package() {
  local dir=$data/$1
  shift
  mkdir -p "$dir"
  cp "$setup_exe" "$dir/QVSETUP.exe"
  python3 "$root/tools/make-upgrade" --title "Vellichord Upgrade Test" --replace whole.dat "$@" \
          "$work/old" "$work/new" "$dir/QVSETUP.upg" --uui "$dir/QVSETUP.uui"
}
make_package main
make_package ask --policy 'gone\old.dll=1,2'
# Packages whose record for whole.dat promises another checksum than its stream builds: the built
# file fails verification (judged fatal by the first, asked about by the second).
make_package broken
make_package skip --policy 'whole.dat=0,1'
for dir in broken skip; do
  python3 - "$data/$dir/QVSETUP.upg" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
at = data.index(b"whole.dat\0\0") + len(b"whole.dat\0\0") + 8
data[at] ^= 0x5A
open(path, "wb").write(data)
PY
done
mkdir -p "$data/bare" && cp "$setup_exe" "$data/bare/QVSETUP.exe"
mkdir -p "$data/garbage" && cp "$setup_exe" "$data/garbage/QVSETUP.exe"
head -c 200 /dev/zero > "$data/garbage/QVSETUP.upg"
cp "$data/main/QVSETUP.uui" "$data/garbage/QVSETUP.uui"
cp "$test_exe" "$data/"
# A link on C: to a folder on D: that one test fills with an installation: a search that
# followed links would find that installation on C: first.
mkdir -p "$work/d/Linked"
ln -s "$work/d/Linked" "$prefix/drive_c/vc_link"

wineserver -p </dev/null >/dev/null 2>&1
$vc_wine wineboot </dev/null >/dev/null 2>&1 || true
cd "$data"
$vc_wine "$data/$(basename "$test_exe")" "$@"

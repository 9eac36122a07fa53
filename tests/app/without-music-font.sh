#!/usr/bin/env bash
# Runs the editor's missing-font tests in a copy of the build's Wine prefix without the music
# font: the shared prefix has it installed for every other test, and removing it there would pull
# it from under tests running beside this one.
#   without-music-font.sh PROGRAM_TEST_EXE FONT_FILE
set -euo pipefail
test_exe=$1
font=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$here/tools/wine-env.sh"
tree=$(vc_tree_of "$test_exe")
base=${WINEPREFIX:-$here/build/$tree/wineprefix}
work=$(mktemp -d)
export WINEPREFIX="$work/prefix"
vc_wine_env "$tree"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$base" "$WINEPREFIX"
rm -f "$WINEPREFIX/drive_c/windows/Fonts/diru15.ttf"
wineserver -p </dev/null >/dev/null 2>&1 || true
"$vc_wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'DIRU15 (TrueType)' /f \
  </dev/null >/dev/null 2>&1 || true
export VC_WITHOUT_MUSIC_FONT=1
VC_MUSIC_FONT_FILE="Z:$(echo "$font" | tr '/' '\\')"
export VC_MUSIC_FONT_FILE
"$vc_wine" "$test_exe" --gtest_filter='WithoutMusicFont.*' --gtest_brief=1

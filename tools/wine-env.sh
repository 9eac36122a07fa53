# Sourced by the tools: which Windows build trees this machine's Wine can run, and the Wine
# environment of each. Two trees build from the same sources:
#   build/win32  i686, the program we ship, run by 32-bit Wine
#   build/win64  x86-64, run by 64-bit Wine where the kernel cannot execute 32-bit x86 code
# shellcheck shell=bash

vc_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
vc_wine64_loader=/usr/lib/wine/wine64

# The Windows trees, in the order the tools prefer them. VC_WINDOWS_TREES="win64" (say) makes
# the tools build and check fewer while working on something else.
vc_windows_trees() { echo "${VC_WINDOWS_TREES:-win32 win64}"; }

vc_tree_arch() {
  case "$1" in
    win32) echo i686 ;;
    win64) echo x86_64 ;;
    *) return 1 ;;
  esac
}

# Wine's words for the tree's architecture, for messages.
vc_tree_wine_name() {
  case "$1" in
    win32) echo "32-bit Wine (i686 build)" ;;
    win64) echo "64-bit Wine (x86-64 build)" ;;
  esac
}

# Answers whether this machine's Wine can run the tree's programs. 32-bit needs a kernel that
# executes i386 code (tools/win32-runnable); 64-bit needs an x86-64 kernel and Debian's wine64.
vc_tree_runnable() {
  case "$1" in
    win32) "$vc_root/tools/win32-runnable" ;;
    win64) [ "$(uname -m)" = x86_64 ] && [ -x "$vc_wine64_loader" ] ;;
    *) return 1 ;;
  esac
}

# The trees whose tests run here: every runnable one, 32-bit first. VC_WINE_TREES narrows it.
vc_runnable_trees() {
  local tree out=()
  for tree in ${VC_WINE_TREES:-$(vc_windows_trees)}; do
    if vc_tree_runnable "$tree"; then out+=("$tree"); fi
  done
  echo "${out[@]}"
}

# The tree the editor runs from: the first runnable one.
vc_run_tree() {
  local trees
  trees=$(vc_runnable_trees)
  echo "${trees%% *}"
}

# Exports the Wine environment of one tree (WINEPREFIX only when not set already) and sets
# vc_wine to the loader to call. With wine32 installed, Debian's /usr/bin/wine always takes the
# 32-bit loader: 64-bit programs need the 64-bit loader called directly, and WINELOADER naming it
# for the processes Wine starts itself. The wineserver wrapper picks the 64-bit server by itself.
vc_wine_env() {
  local tree=$1
  export WINEPREFIX="${WINEPREFIX:-$vc_root/build/$tree/wineprefix}"
  export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ "$tree" = win64 ]; then
    export WINEARCH=win64 WINELOADER=$vc_wine64_loader
    vc_wine=$vc_wine64_loader
  else
    unset WINEARCH WINELOADER
    vc_wine=wine
  fi
}

# The tree a Windows program belongs to, from its path: the build folder above it.
vc_tree_of() {
  local path
  path=$(realpath -m "$1")
  case "$path" in
    "$vc_root"/build/win64/*) echo win64 ;;
    *) echo win32 ;;
  esac
}

# Makes a private copy of a prefix for tests that search the fixed drives: drive Z: (the whole
# Linux root, reported as fixed) is removed and drive D: maps to a folder of the caller's, so the
# only fixed drives are the prefix's C: and that D:. The copy has its own Wine server; the caller
# ends it (WINEPREFIX=<copy> wineserver -k) and removes the copy.
#   vc_private_prefix FROM TO D_FOLDER
vc_private_prefix() {
  local from=$1 to=$2 ddrive=$3
  rm -rf "$to"
  cp -a "$from" "$to"
  rm -f "$to/dosdevices/z:" "$to/dosdevices/d:" "$to/dosdevices/d::"
  mkdir -p "$ddrive"
  ln -s "$ddrive" "$to/dosdevices/d:"
}

#!/usr/bin/env bash
# Sourced by the scripts that run the Windows build under Wine: makes the project's own Wine
# prefix in build/wine from nothing when it is missing (never the user's ~/.wine) and keeps
# one wineserver running for it until the calling script ends.
# Usage: . tools/wine_prefix.sh   (from the top of the tree)
export WINEPREFIX="$PWD/build/wine"
export WINEDEBUG=-all
# No Mono or Gecko installer (the programs are plain console programs), and no menu entries
# or file associations written into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"
# A server still running for the prefix refuses to become persistent, so it is ended first.
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true' EXIT

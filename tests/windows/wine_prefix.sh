#!/bin/sh
# Makes a fresh Wine prefix for one run of the tests, with the settings they need.
#   wine_prefix.sh PREFIX
set -eu
export WINEPREFIX="$1"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wine regedit /S "$(winepath -w "$(dirname "$0")/wine_settings.reg")"

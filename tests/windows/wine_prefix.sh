#!/bin/sh
# Makes a fresh Wine prefix for one run of the tests, with the settings they need
# and those of the further registry files given.
#   wine_prefix.sh PREFIX [SETTINGS.reg...]
set -eu
export WINEPREFIX="$1"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
shift
for settings in "$(dirname "$0")/wine_settings.reg" "$@"; do
  wine regedit /S "$(winepath -w "$settings")"
done

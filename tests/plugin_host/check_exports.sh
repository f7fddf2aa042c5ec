#!/bin/sh
# A plug-in library must export exactly its entry points and depend on no C++
# runtime that a user's system might lack; an audio-only one also on no display
# library, so that headless hosts load it without one.
#   check_exports.sh LIBRARY "ENTRY POINT..." [--no-display]
set -eu
library="$1" expected="$2"
exports=$(nm -D --defined-only "$library" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$exports" != "$expected " ]; then
  echo "unexpected exports: $exports" >&2
  exit 1
fi
if objdump -p "$library" | grep -E 'NEEDED +lib(stdc\+\+|gcc_s)' >&2; then
  echo "the library needs a C++ runtime it should carry itself" >&2
  exit 1
fi
if [ "${3:-}" = "--no-display" ] &&
  ldd "$library" | grep -E 'lib(X11|xcb|cairo|fontconfig|freetype|pixman)' >&2; then
  echo "the audio-only library loads display libraries" >&2
  exit 1
fi
echo "exports: $exports"

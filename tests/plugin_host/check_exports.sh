#!/bin/sh
# The plug-in must export exactly its three entry points and depend on no C++
# runtime that a user's system might lack.
set -eu
library="$1"
exports=$(nm -D --defined-only "$library" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$exports" != "MAIN VSTPluginMain main " ]; then
  echo "unexpected exports: $exports" >&2
  exit 1
fi
if objdump -p "$library" | grep -E 'NEEDED +lib(stdc\+\+|gcc_s)' >&2; then
  echo "the library needs a C++ runtime it should carry itself" >&2
  exit 1
fi
echo "exports: $exports"

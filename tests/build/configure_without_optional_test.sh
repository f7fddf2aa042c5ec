#!/bin/sh
# The README's hand builds configure where the optional packages are missing: each part left
# out is named in the output, and nothing fails. The Windows cross build never has Google
# Benchmark; it is tried where mingw-w64 is installed.
#   configure_without_optional_test.sh SOURCE_DIR SCRATCH_DIR GENERATOR
set -eu
source="$1" scratch="$2" generator="$3"
fail() { echo "hand build: $*" >&2; exit 1; }
mkdir -p "$scratch"

configure() {  # NAME CMAKE_ARGUMENTS...
  name="$1"
  shift
  rm -rf "${scratch:?}/$name"
  cmake -S "$source" -B "$scratch/$name" -G "$generator" "$@" >"$scratch/$name.log" 2>&1 ||
    { cat "$scratch/$name.log" >&2; fail "$name: configure failed"; }
}
expect_note() {  # NAME TEXT
  grep -q "$2" "$scratch/$1.log" || { cat "$scratch/$1.log" >&2; fail "$1: no note \"$2\""; }
}

configure linux -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
expect_note linux "Benchmarks: not built"
expect_note linux "Tests: not built"
if command -v x86_64-w64-mingw32-g++ >/dev/null; then
  configure windows -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64.cmake"
  expect_note windows "Benchmarks: not built"
fi
rm -rf "${scratch:?}"
echo "hand build: configures without the optional packages"

#!/bin/sh
# Builds the Windows zip from the cross build and checks that it holds exactly
# the DLL and the .clap, stripped and without a build path, the read-me (which
# says where each goes), the licence and the notices of the runtime code inside
# them.
#   windows_zip_test.sh BUILD_DIR SOURCE_DIR VERSION
set -eu
build="$1" source="$2" version="$3"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "windows zip: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
zip="$scratch/out/pemberlyquist-ravuvi-rozevezav-$version-windows-x64.zip"
[ -f "$zip" ] || fail "no $(basename "$zip"): $(ls "$scratch/out")"

# CMake reads zips; unzip may be missing.
mkdir "$scratch/root"
(cd "$scratch/root" && cmake -E tar xf "$zip" && find . -type f | sed 's|^\./||' | sort) >"$scratch/names"
expected="LICENSE.txt
PemberlyquistRavuviRozeveZAV.clap
PemberlyquistRavuviRozeveZAV.dll
README.txt
THIRD-PARTY-NOTICES.txt"
[ "$(cat "$scratch/names")" = "$expected" ] || fail "unexpected contents:
$(cat "$scratch/names")"

cmp -s "$scratch/root/README.txt" "$source/packaging/README-windows.txt" || fail "README.txt is not the read-me"
cmp -s "$scratch/root/LICENSE.txt" "$source/LICENSE" || fail "LICENSE.txt is not the licence"
cmp -s "$scratch/root/THIRD-PARTY-NOTICES.txt" "$source/packaging/NOTICES-windows.txt" ||
  fail "THIRD-PARTY-NOTICES.txt is not the notices"
grep -q -F '%COMMONPROGRAMFILES%\CLAP' "$scratch/root/README.txt" ||
  fail "README.txt does not say where the .clap goes"
for binary in PemberlyquistRavuviRozeveZAV.dll PemberlyquistRavuviRozeveZAV.clap; do
  x86_64-w64-mingw32-objdump -h "$scratch/root/$binary" | grep -q '\.debug_' &&
    fail "debug sections left in $binary"
  for path in "$source" "$build" "$(cd "$build" && pwd)"; do
    grep -q -a -F "$path" "$scratch/root/$binary" && fail "a build path is inside $binary: $path"
  done
done
echo "windows zip: $(basename "$zip") holds the DLL, the .clap, the read-me, the licence and the notices"

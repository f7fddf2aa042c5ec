#!/bin/sh
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and checks what it holds, what it depends on, and that the installed plug-in
# loads in the in-repo test host and in Ardour.
#   deb_package_test.sh BUILD_DIR SOURCE_DIR PLUGIN_HOST_TESTS VERSION ARDOUR_TEST
set -eu
build="$1" source="$2" host_tests="$3" version="$4" ardour_test="$5"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "deb package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/out/*.deb)
case "$deb" in
  *"_${version}_amd64.deb") ;;
  *) fail "the package name does not carry version $version: $deb" ;;
esac
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "control file version"

dpkg-deb -x "$deb" "$scratch/root"
files=$(cd "$scratch/root" && find . -type f | sort)
expected="./usr/bin/slewmeter
./usr/lib/vst/PemberlyquistRavuviRozeveZAV.so"
[ "$files" = "$expected" ] || fail "unexpected files:
$files"

depends=$(dpkg-deb -f "$deb" Depends)
# The libraries it links, and the font its texts are drawn in: without a font
# that answers to "Arial" the editor's labels draw nothing.
for library in libcairo2 libx11-6 libsndfile1 libfontconfig1 fonts-liberation; do
  echo "$depends" | grep -q "$library" || fail "no dependency on $library: $depends"
done

for binary in "$scratch/root/usr/bin/slewmeter" "$scratch/root/usr/lib/vst/PemberlyquistRavuviRozeveZAV.so"; do
  readelf -S "$binary" | grep -q '\.debug_' && fail "debug sections left in $binary"
  grep -q -a -F "$source" "$binary" && fail "a build path is inside $binary"
  grep -q -a -F "$build" "$binary" && fail "a build path is inside $binary"
done

"$scratch/root/usr/bin/slewmeter" --version | grep -q -F "slewmeter $version" || fail "slewmeter --version"
PLUGIN_UNDER_TEST="$scratch/root/usr/lib/vst/PemberlyquistRavuviRozeveZAV.so" \
  "$host_tests" --gtest_filter='PluginHost.*-*Editor*' >"$scratch/host.log" 2>&1 ||
  { cat "$scratch/host.log" >&2; fail "the installed plug-in fails the test host"; }
"$ardour_test" --in-place "$scratch/root/usr/lib/vst/PemberlyquistRavuviRozeveZAV.so" \
  >"$scratch/ardour.log" 2>&1 ||
  { cat "$scratch/ardour.log" >&2; fail "Ardour cannot host the installed plug-in"; }
echo "deb package: $(basename "$deb") holds the plug-in and slewmeter, and works in Ardour"

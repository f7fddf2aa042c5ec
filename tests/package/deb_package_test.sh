#!/bin/sh
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and checks what it holds, what it depends on, that Debian's checker accepts
# it (and refuses broken copies of it), and that the installed plug-in loads in
# the in-repo test host and in Ardour.
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
doc=./usr/share/doc/pemberlyquist-ravuvi-rozevezav
# The LV2 bundle as the build made it.
bundle=$(cd "$build/lv2-path" && find . -type f | sed 's|^\./|./usr/lib/lv2/|')
expected=$(printf '%s\n' "./usr/bin/slewmeter
./usr/lib/clap/PemberlyquistRavuviRozeveZAV.clap
./usr/lib/vst/PemberlyquistRavuviRozeveZAV.so
$doc/changelog.gz
$doc/copyright
./usr/share/lintian/overrides/pemberlyquist-ravuvi-rozevezav
./usr/share/man/man1/slewmeter.1.gz" "$bundle" | sort)
[ "$files" = "$expected" ] || fail "unexpected files:
$files"
[ -z "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v -x -E '\./|\./(control|md5sums)')" ] ||
  fail "maintainer scripts it does not need: $(dpkg-deb --ctrl-tarfile "$deb" | tar -t)"

# The documents: the licence, the release notes of this version, the manual.
grep -q -x 'License: Expat' "$scratch/root/$doc/copyright" || fail "the copyright file names no Expat licence"
zcat "$scratch/root/$doc/changelog.gz" | head -n 1 | grep -q -F "($version)" ||
  fail "changelog.gz does not start at $version"
MANPATH="$scratch/root/usr/share/man" man -w slewmeter >/dev/null || fail "man does not find slewmeter's page"
man --warnings -l "$scratch/root/usr/share/man/man1/slewmeter.1.gz" 2>&1 >/dev/null | grep . &&
  fail "the installed manual page renders with warnings"

# Debian's checker passes the package, and fails copies broken as it once was:
# without a copyright file (an error), with ldconfig in a maintainer script (a
# warning), and with that warning overridden.
lintian_clean="$source/tests/package/lintian_clean.sh"
"$lintian_clean" "$deb" >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log" >&2; fail "lintian rejects the package"; }
dpkg-deb -R "$deb" "$scratch/broken"
expect_refused() {
  (cd "$scratch/broken" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
  dpkg-deb --root-owner-group -b "$scratch/broken" "$scratch/broken.deb" >/dev/null
  "$lintian_clean" "$scratch/broken.deb" >"$scratch/lintian.log" 2>&1 &&
    fail "the lintian check accepts a package $1"
  grep -q "$2" "$scratch/lintian.log" || { cat "$scratch/lintian.log" >&2; fail "no $2 for a package $1"; }
}
mv "$scratch/broken/$doc/copyright" "$scratch/copyright"
expect_refused "without a copyright file" no-copyright-file
mv "$scratch/copyright" "$scratch/broken/$doc/copyright"
printf '#!/bin/sh\nset -e\nldconfig\n' >"$scratch/broken/DEBIAN/postinst"
chmod 755 "$scratch/broken/DEBIAN/postinst"
expect_refused "calling ldconfig" maintscript-calls-ldconfig
echo "pemberlyquist-ravuvi-rozevezav: maintscript-calls-ldconfig *" \
  >>"$scratch/broken/usr/share/lintian/overrides/pemberlyquist-ravuvi-rozevezav"
expect_refused "overriding a warning" "^O: .*maintscript-calls-ldconfig"

depends=$(dpkg-deb -f "$deb" Depends)
# The libraries it links, and the font its texts are drawn in: without a font
# that answers to "Arial" the editor's labels draw nothing.
for library in libcairo2 libx11-6 libsndfile1 libfontconfig1 fonts-liberation; do
  echo "$depends" | grep -q "$library" || fail "no dependency on $library: $depends"
done

for binary in "$scratch/root/usr/bin/slewmeter" "$scratch/root/usr/lib/vst/PemberlyquistRavuviRozeveZAV.so" \
  "$scratch/root/usr/lib/clap/PemberlyquistRavuviRozeveZAV.clap" \
  "$scratch"/root/usr/lib/lv2/*/*.so; do
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

#!/bin/sh
# `cmake --install` puts the plug-ins where hosts look, slewmeter in bin/ and its
# manual page where `man` finds it: a user install (prefix ~/.local) to ~/.vst,
# ~/.clap, ~/.lv2, ~/.local/bin and ~/.local/share/man, any other prefix to
# <prefix>/lib/vst, <prefix>/lib/clap, <prefix>/lib/lv2, <prefix>/bin and <prefix>/share/man. HOME points at a scratch folder, so
# nothing of the user's is touched.
#   install_destinations_test.sh BUILD_DIR
set -eu
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
mkdir -p "$HOME"
plugin=PemberlyquistRavuviRozeveZAV.so
clap=PemberlyquistRavuviRozeveZAV.clap
fail() { echo "install: $*" >&2; exit 1; }
# The LV2 bundle as the build made it (none where the LV2 headers were missing).
bundle_files=$(cd "$build/lv2-path" 2>/dev/null && find . -type f | sed 's|^\./||' | sort)
# The expected lines: the list given, and the bundle's files under FOLDER, sorted.
with_bundle() {
  { echo "$1"; for file in $bundle_files; do echo "$2/$file"; done; } | sort
}

# Installs into DESTDIR (none if empty) with the given arguments and checks that
# exactly the expected files, the programs stripped, are under ROOT.
expect_install() {
  destdir=$1 root=$2 expected=$3
  shift 3
  DESTDIR="$destdir" cmake --install "$build" --strip "$@" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; fail "cmake --install $* failed"; }
  files=$(cd "$root" && find . -type f | sort)
  [ "$files" = "$expected" ] || fail "cmake --install $* installed
$files
instead of
$expected"
  for file in $expected; do
    case "$file" in *.gz | *.ttl) continue ;; esac
    if readelf -S "$root/$file" | grep -q '\.debug_'; then fail "$file is not stripped"; fi
  done
}

expect_install "" "$HOME" "$(with_bundle "./.clap/$clap
./.local/bin/slewmeter
./.local/share/man/man1/slewmeter.1.gz
./.vst/$plugin" ./.lv2)" --prefix "$HOME/.local"
# man looks beside the folders of PATH: ~/.local/bin leads it to ~/.local/share/man.
found=$(env -u MANPATH PATH="$HOME/.local/bin:/usr/bin:/bin" man -w slewmeter) ||
  fail "man does not find slewmeter's page after a user install"
[ "$found" = "$HOME/.local/share/man/man1/slewmeter.1.gz" ] || fail "man finds $found"
rm -rf "$HOME" && mkdir -p "$HOME"

mkdir -p "$scratch/dest"
expect_install "$scratch/dest" "$scratch/dest" "$(with_bundle "./usr/bin/slewmeter
./usr/lib/clap/$clap
./usr/lib/vst/$plugin
./usr/share/man/man1/slewmeter.1.gz" ./usr/lib/lv2)" --prefix /usr
rm -rf "$scratch/dest" && mkdir -p "$scratch/dest"
expect_install "$scratch/dest" "$scratch/dest" "$(with_bundle "./opt/meter/bin/slewmeter
./opt/meter/lib/clap/$clap
./opt/meter/lib/vst/$plugin
./opt/meter/share/man/man1/slewmeter.1.gz" ./opt/meter/lib/lv2)" --prefix /opt/meter
[ -z "$(ls -A "$HOME")" ] || fail "a system install wrote into the home folder"
echo "install: user and system destinations are right"

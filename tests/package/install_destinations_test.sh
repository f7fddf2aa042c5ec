#!/bin/sh
# `cmake --install` puts the plug-in where hosts look and slewmeter in bin/:
# a user install (prefix ~/.local) to ~/.vst and ~/.local/bin, any other prefix
# to <prefix>/lib/vst and <prefix>/bin. HOME points at a scratch folder, so
# nothing of the user's is touched.
#   install_destinations_test.sh BUILD_DIR
set -eu
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
mkdir -p "$HOME"
plugin=PemberlyquistRavuviRozeveZAV.so
fail() { echo "install: $*" >&2; exit 1; }

# Installs into DESTDIR (none if empty) with the given arguments and checks that
# exactly the expected files, stripped, are under ROOT.
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
    readelf -S "$root/$file" | grep -q '\.debug_' && fail "$file is not stripped"
  done
  rm -rf "$root"
  mkdir -p "$root"
}

expect_install "" "$HOME" "./.local/bin/slewmeter
./.vst/$plugin" --prefix "$HOME/.local"

mkdir -p "$scratch/dest"
expect_install "$scratch/dest" "$scratch/dest" "./usr/bin/slewmeter
./usr/lib/vst/$plugin" --prefix /usr
expect_install "$scratch/dest" "$scratch/dest" "./opt/meter/bin/slewmeter
./opt/meter/lib/vst/$plugin" --prefix /opt/meter
[ -z "$(ls -A "$HOME")" ] || fail "a system install wrote into the home folder"
echo "install: user and system destinations are right"

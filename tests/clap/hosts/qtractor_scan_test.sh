#!/bin/sh
# Qtractor's plug-in scanner lists the .clap as a Qtractor session would offer
# it: the meter's name, two audio channels in and out, and an editor.
#   qtractor_scan_test.sh SCANNER PLUGIN.clap
set -eu
scanner="$1" plugin="$(realpath "$2")"
line=$(echo "CLAP:$plugin" | timeout 60 "$scanner")
echo "$line"
IFS='|' read -r kind name audio midi controls flags path index id <<EOF2
$line
EOF2
fail() { echo "qtractor_plugin_scan: $1" >&2; exit 1; }
[ "$kind" = CLAP ] || fail "not listed as a CLAP plug-in"
[ "$name" = "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806" ] || fail "name $name"
[ "$audio" = 2:2 ] || fail "audio channels $audio, not 2:2"
case ",$flags," in *,GUI,*) ;; *) fail "no GUI flag in $flags" ;; esac
[ "$path" = "$plugin" ] || fail "path $path"
[ "$index" = 0 ] || fail "index $index"

#!/bin/sh
# validate_bundle.sh BUNDLE_FOLDER: the bundle's Turtle is well formed and
# lv2_validate finds no error in it. lv2_validate takes files, not a folder, and
# its exit status is 0 for syntax errors (the file is skipped) and for missing
# values, so the syntax is checked with serdi first and the report is read.
set -u
bundle=$1
[ -f "$bundle/manifest.ttl" ] || { echo "no manifest.ttl in $bundle" >&2; exit 1; }
[ "$(ls "$bundle"/*.ttl | wc -l)" -ge 2 ] || { echo "no description beside the manifest" >&2; exit 1; }
for file in "$bundle"/*.ttl; do
  serdi -q -i turtle -o ntriples "$file" > /dev/null || { echo "not Turtle: $file" >&2; exit 1; }
done
report=$(lv2_validate "$bundle"/*.ttl 2>&1)
printf '%s\n' "$report"
printf '%s\n' "$report" | grep -q '^Found 0 errors' || { echo "lv2_validate found errors" >&2; exit 1; }
if printf '%s\n' "$report" | grep -q '^error'; then
  echo "lv2_validate reported an error" >&2
  exit 1
fi

#!/bin/sh
# Debian's package checker on a .deb: fails on any error or warning, and on an
# override of anything but an informational tag, since an override must not
# hide a fault. Informational tags are shown and let pass.
#   lintian_clean.sh PACKAGE.deb
set -eu
deb="$1"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
command -v lintian >/dev/null || { echo "lintian: not installed" >&2; exit 1; }

if ! lintian --display-info --show-overrides --fail-on error,warning "$deb" >"$log" 2>&1; then
  cat "$log" >&2
  echo "lintian: $(basename "$deb") has errors or warnings" >&2
  exit 1
fi
for tag in $(sed -n 's/^O: [^:]*: \([^ ]*\).*/\1/p' "$log" | sort -u); do
  if ! lintian-explain-tags "$tag" | grep -q 'Visibility: info'; then
    cat "$log" >&2
    echo "lintian: $(basename "$deb") overrides $tag, which is not informational" >&2
    exit 1
  fi
done
grep '^I: ' "$log" || true

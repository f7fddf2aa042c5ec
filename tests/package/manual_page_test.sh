#!/bin/sh
# slewmeter's manual page renders without a warning, has the sections a manual
# page is expected to have, and documents exactly the options --help lists,
# each with the same value name.
#   manual_page_test.sh SLEWMETER PAGE
set -eu
slewmeter="$1" page="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "manual page: $*" >&2; exit 1; }

groff -ww -z -man "$page" >"$scratch/groff.log" 2>&1 || fail "groff fails: $(cat "$scratch/groff.log")"
[ -s "$scratch/groff.log" ] && fail "groff warns:
$(cat "$scratch/groff.log")"

sections=$(sed -n 's/^\.SH "\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$page" | tr '\n' '|')
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
  case "|$sections" in
    *"|$section|"*) ;;
    *) fail "no $section section (it has: $sections)" ;;
  esac
done

# "--block N", "--help": an option and its value name, as --help shows them in
# its two-space indented list...
"$slewmeter" --help | sed -n -E 's/^  (--[a-z0-9-]+( [^ ]+)?)( {2,}.*)?$/\1/p' | sort >"$scratch/help"
[ -s "$scratch/help" ] || fail "found no options in slewmeter --help"
# ... and as the tags of the OPTIONS section's .TP entries give them.
awk '/^\.SH/ { options = $0 ~ /^\.SH "?OPTIONS"?$/; next }
     options && tag { print; tag = 0; next }
     options && /^\.TP/ { tag = 1 }' "$page" |
  sed -E 's/^\.[A-Z]+ //; s/\\f[BIRP]//g; s/\\-/-/g; s/"//g; s/ +/ /g; s/ $//' | sort >"$scratch/page"
diff "$scratch/help" "$scratch/page" >"$scratch/diff" ||
  fail "the options of --help (<) and of the page (>) differ:
$(grep '^[<>]' "$scratch/diff")"
echo "manual page: renders cleanly and documents the $(wc -l <"$scratch/help") options of --help"

# CHANGELOG.md as a Debian changelog, for the package's changelog.gz:
#   awk -v package=NAME -v version=VERSION -v maintainer="NAME <MAIL>" \
#       -f changelog_to_debian.awk CHANGELOG.md
# A release starts at "## VERSION — YYYY-MM-DD" ("## Unreleased" is skipped); its paragraphs, "### " titles
# and "- " items become change lines wrapped at 80 columns. The newest release
# must be VERSION, the package's: a package whose changelog stops at an older
# release is refused here rather than shipped.

function fail(message) {
  print FILENAME ":" FNR ": " message > "/dev/stderr"
  failed = 1
  exit 1
}

# Writes the collected text after `first`, continued after `rest`.
function flush(first, rest,    words, count, i, line, prefix) {
  gsub(/`/, "", text)
  count = split(text, words, " ")
  text = ""
  if (count == 0) return
  prefix = first
  line = ""
  for (i = 1; i <= count; i++) {
    if (line != "" && length(prefix line " " words[i]) > 80) {
      print prefix line
      prefix = rest
      line = ""
    }
    line = line == "" ? words[i] : line " " words[i]
  }
  print prefix line
}

function end_item() {
  flush(item ? "  * " : "  ", item ? "    " : "  ")
  item = 0
}

function end_release(    command, stamp, earlier) {
  if (release == "") return
  end_item()
  # Releases of one day keep their order: the newest at noon, each older one a
  # minute before the one after it (Debian's checker wants every entry later).
  earlier = same_day[release_date]++
  command = "LC_ALL=C date -u -R -d '" release_date " 12:00 UTC " earlier " minutes ago'"
  if ((command | getline stamp) <= 0) fail("cannot read the date " release_date)
  close(command)
  print ""
  print " -- " maintainer "  " stamp
  release = ""
}

# Changes not in a release yet belong to no package.
/^## Unreleased$/ { end_release(); next }

/^## / {
  end_release()
  if (NF != 4 || $3 != "—" || $4 !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/)
    fail("a release heading reads \"## VERSION — YYYY-MM-DD\", not \"" $0 "\"")
  if (releases++ == 0 && $2 != version)
    fail("the newest release is " $2 ", the package is " version)
  else if (releases > 1)
    print ""
  release = $2
  release_date = $4
  print package " (" release ") unstable; urgency=medium"
  print ""
  next
}

release == "" { next }  # the title above the first release

/^### / { end_item(); text = substr($0, 5) ":"; end_item(); next }
/^- / { end_item(); item = 1; text = substr($0, 3); next }
/^[ \t]*$/ { end_item(); next }
{ text = text " " $0 }

END {
  if (failed) exit 1
  if (releases == 0) fail("no release heading \"## VERSION — YYYY-MM-DD\"")
  end_release()
}

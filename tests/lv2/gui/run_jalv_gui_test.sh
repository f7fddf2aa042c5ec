#!/bin/sh
# The UI as jalv.gtk3 embeds it (suil's X11-in-GTK wrapper) on the X server of
# $DISPLAY, with the plug-in on a private JACK server with the dummy driver:
# the graph lies flat in silence and rises once a tone plays into the plug-in.
#   run_jalv_gui_test.sh BUNDLE_DIR HISTORY_PROBE
# Exits 77 (skipped) when there is no display or jalv.gtk3 or JACK is not installed.
set -eu
[ $# -eq 2 ] || { echo "usage: $0 BUNDLE_DIR HISTORY_PROBE" >&2; exit 2; }
hosts=$(cd "$(dirname "$0")/../hosts" && pwd)
bundle=$(cd "$1" && pwd)
probe=$2
uri=https://korvandel.audio/lv2/pemberlyquist-ravuvi-rozevezav
[ -n "${DISPLAY:-}" ] || { echo "SKIPPED: no X display (run under xvfb-run)" >&2; exit 77; }
for tool in jalv.gtk3 jackd jack_wait; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing: install Debian's jalv and jackd2" >&2; exit 77; }
done
name=jalv-gui-test
. "$hosts/private_jack.sh"
export LV2_PATH="$(dirname "$bundle"):/usr/lib/lv2"

# Waits up to $1 seconds until the probe prints a count that compares with $3 by $2 (-eq, -ge).
wait_for_count() {
  limit=$(($(date +%s) + $1))
  while :; do
    count=$("$probe" 2>/dev/null) && [ "$count" "$2" "$3" ] && return 0
    [ "$(date +%s)" -lt "$limit" ] || return 1
    sleep 0.2
  done
}

step "JACK's dummy driver runs at 48 kHz"
start_jack

step "jalv.gtk3 shows the meter's UI, its graph flat in silence"
jalv.gtk3 --jack-name slew "$uri" >"$scratch/jalv.log" 2>&1 &
jalv_pid=$!
started $jalv_pid
wait_for_count 30 -eq 0 || fail "no picture of a flat graph in jalv's window (last count: ${count:-none})"

step "a tone into the plug-in raises the graph"
python3 "$hosts/jack_tone.py" play slew 1 >"$scratch/tone.log" 2>&1 &
started $!
wait_for_line 60 heard "$scratch/tone.log" "$jalv_pid" || fail "the tone did not go through the plug-in"
wait_for_count 20 -ge 100 || fail "the graph did not rise (last count: ${count:-none})"
echo "history pixels above the bottom: $count"

step "jalv ends cleanly"
end_cleanly "$jalv_pid" jalv.gtk3
echo "jalv.gtk3 shows the graph move"

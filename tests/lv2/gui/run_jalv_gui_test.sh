#!/bin/sh
# The UI as jalv.gtk3 embeds it (suil's X11-in-GTK wrapper) on the X server of
# $DISPLAY, with the plug-in on a private JACK server with the dummy driver:
# the graph lies flat in silence and rises once a tone plays into the plug-in.
#   run_jalv_gui_test.sh BUNDLE_DIR HISTORY_PROBE
# Exits 77 (skipped) when there is no display or jalv.gtk3 or JACK is not installed.
set -eu
[ $# -eq 2 ] || { echo "usage: $0 BUNDLE_DIR HISTORY_PROBE" >&2; exit 2; }
bundle=$(cd "$1" && pwd)
probe=$2
uri=https://korvandel.audio/lv2/pemberlyquist-ravuvi-rozevezav
[ -n "${DISPLAY:-}" ] || { echo "SKIPPED: no X display (run under xvfb-run)" >&2; exit 77; }
for tool in jalv.gtk3 jackd jack_wait jack_simple_client jack_connect; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing: install Debian's jalv, jackd2 and jackd2's examples" >&2; exit 77; }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/jalv-gui-test.XXXXXX")
pids=""
# Every process started here ends with the test, whichever way it ends.
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || :; done
  for pid in $pids; do wait "$pid" 2>/dev/null || :; done
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
export JACK_DEFAULT_SERVER="slewguitest-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1
export HOME="$scratch" LV2_PATH="$(dirname "$bundle"):/usr/lib/lv2"

step() { echo "== $*"; }
show_logs() { for log in "$scratch"/*.log; do echo "--- $(basename "$log")"; tail -n 20 "$log"; done >&2; }
fail() { echo "$*" >&2; show_logs; exit 1; }
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
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 1024 >"$scratch/jackd.log" 2>&1 &
pids="$! $pids"
jack_wait -w -t 30 >/dev/null 2>&1 || fail "the JACK server did not start"

step "jalv.gtk3 shows the meter's UI, its graph flat in silence"
jalv.gtk3 --jack-name slew "$uri" >"$scratch/jalv.log" 2>&1 &
jalv_pid=$!
pids="$jalv_pid $pids"
wait_for_count 30 -eq 0 || fail "no picture of a flat graph in jalv's window (last count: ${count:-none})"

step "a tone into the plug-in raises the graph"
jack_simple_client tone >"$scratch/tone.log" 2>&1 &
pids="$! $pids"
jack_wait -w -t 10 >/dev/null 2>&1
connected=""
for attempt in $(seq 50); do
  jack_connect tone:output1 slew:in_left 2>/dev/null && jack_connect tone:output2 slew:in_right 2>/dev/null && { connected=yes; break; }
  sleep 0.2
done
[ -n "$connected" ] || fail "the tone could not be connected to the plug-in"
wait_for_count 20 -ge 100 || fail "the graph did not rise (last count: ${count:-none})"
echo "history pixels above the bottom: $count"

step "jalv ends cleanly"
kill -INT "$jalv_pid"
limit=$(($(date +%s) + 30))
while kill -0 "$jalv_pid" 2>/dev/null; do
  [ "$(date +%s)" -lt "$limit" ] || fail "jalv.gtk3 did not end within 30 s of SIGINT"
  sleep 0.1
done
status=0
wait "$jalv_pid" || status=$?
[ "$status" -eq 0 ] || fail "jalv.gtk3 exited with status $status"
echo "jalv.gtk3 shows the graph move"

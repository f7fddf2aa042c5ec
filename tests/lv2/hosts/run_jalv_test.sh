#!/bin/sh
# Hosts the LV2 bundle in jalv, the console host, on a private JACK server with
# the dummy driver: a sine on each channel goes through the plug-in and must
# come back unchanged, and the control outputs must show each sine's step.
#   run_jalv_test.sh BUNDLE_DIR
# Exits 77 (skipped) only when jalv or JACK's server is not installed.
set -eu
[ $# -eq 1 ] || { echo "usage: $0 BUNDLE_DIR" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
bundle=$(cd "$1" && pwd)
uri=https://korvandel.audio/lv2/pemberlyquist-ravuvi-rozevezav
for tool in jalv jackd jack_wait; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing: install Debian's jalv and jackd2" >&2; exit 77; }
done
name=jalv-test
. "$here/private_jack.sh"
export LV2_PATH="$(dirname "$bundle"):/usr/lib/lv2"

step "JACK's dummy driver runs at 48 kHz"
start_jack

step "jalv hosts the plug-in"
# jalv reads commands from its standard input and ends at its end: a FIFO held open.
mkfifo "$scratch/commands"
sleep 100000 >"$scratch/commands" &
started $!
stdbuf -oL jalv -x -n slew "$uri" <"$scratch/commands" >"$scratch/jalv.log" 2>&1 &
jalv_pid=$!
started $jalv_pid

step "a sine on each channel goes through the plug-in and comes back unchanged"
python3 "$here/jack_tone.py" play slew 2 >"$scratch/tone.log" 2>&1 &
started $!
wait_for_line 60 heard "$scratch/tone.log" "$jalv_pid" || fail "the tone did not come back from jalv unchanged"

step "the control outputs show each sine's step"
echo monitors >"$scratch/commands"
# jalv's prompt "> " comes before the first line.
wait_for_line 30 "(> )?largest_step_right = .*" "$scratch/jalv.log" "$jalv_pid" || fail "jalv printed no readings"
grep -E '^(> )?(recent|largest)_step_' "$scratch/jalv.log"
python3 "$here/jack_tone.py" check "$scratch/jalv.log" || fail "the readings are wrong"

step "jalv ends cleanly"
end_cleanly "$jalv_pid" jalv
echo "jalv hosts the plug-in"

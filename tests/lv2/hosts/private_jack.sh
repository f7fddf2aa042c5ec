# Sourced by the scripts that run an LV2 host on JACK without a sound card:
#   name=jalv-test; . private_jack.sh
# gives a scratch folder $scratch (also $HOME) that goes at exit, ends at exit
# every process given to started(), whichever way the script ends, and offers a
# JACK server of the script's own with the dummy driver, which no other JACK
# user meets and clients never start by themselves.

scratch=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")
pids=""
# One at a time, newest first: a JACK client told to close while its server is
# going down too can wait for it forever. What ignores SIGTERM for 10 s is killed.
stop_process() {
  kill "$1" 2>/dev/null || :
  (sleep 10; kill -KILL "$1" 2>/dev/null) >/dev/null 2>&1 &
  watchdog=$!
  wait "$1" 2>/dev/null || :
  kill "$watchdog" 2>/dev/null || :
}
cleanup() {
  for pid in $pids; do stop_process "$pid"; done
  rm -rf "$scratch"
  # Semaphores of clients the server outlived or lost.
  rm -f /dev/shm/jack_sem.*_"$JACK_DEFAULT_SERVER"_*
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
# Newest first, so that the JACK server ends after its clients.
started() { pids="$1 $pids"; }
export HOME="$scratch" JACK_DEFAULT_SERVER="$name-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1

step() { echo "== $*"; }
show_logs() { for log in "$scratch"/*.log; do echo "--- $(basename "$log")"; tail -n 20 "$log"; done >&2; }
fail() { echo "$*" >&2; show_logs; exit 1; }

# 48 kHz in periods of 1024 frames.
start_jack() {
  jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 1024 >"$scratch/jackd.log" 2>&1 &
  started $!
  jack_wait -w -t 30 >/dev/null 2>&1 || fail "the JACK server did not start"
}

# Waits up to $1 seconds for a line matching the extended regular expression $2 in the
# file $3; gives up at once when the process $4, if given, has ended.
wait_for_line() {
  limit=$(($(date +%s) + $1))
  until grep -qxE "$2" "$3"; do
    [ "$(date +%s)" -lt "$limit" ] || return 1
    [ -z "${4:-}" ] || kill -0 "$4" 2>/dev/null || return 1
    sleep 0.1
  done
}

# Stops the host $1 (named $2) with SIGINT, as a user's Ctrl-C: it must end within 30 s, with status 0.
end_cleanly() {
  kill -INT "$1"
  limit=$(($(date +%s) + 30))
  while kill -0 "$1" 2>/dev/null; do
    [ "$(date +%s)" -lt "$limit" ] || fail "$2 did not end within 30 s of SIGINT"
    sleep 0.1
  done
  status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2 exited with status $status"
}

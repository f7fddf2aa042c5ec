#!/bin/sh
# The sanitizer runs, each in a build directory of its own: every test under
# AddressSanitizer and UndefinedBehaviorSanitizer, the host-threads stress test
# under ThreadSanitizer, and each fuzzer for FUZZ_SECONDS (default 20).
set -eu
cd "$(dirname "$0")/.."
fuzz_seconds="${FUZZ_SECONDS:-20}"
fuzzers="chunk_fuzzer dispatcher_fuzzer memory_fuzzer audio_input_fuzzer"
checks="-fno-sanitize-recover=all -fno-omit-frame-pointer -g1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1"

# Unoptimised: that halves the build, the longer part. The test executables load
# pixman themselves, as every desktop host does: when unloading the plug-in unloads
# pixman too, the tables pixman builds at load time are lost and reported.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined $checks -O0" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined -Wl,--no-as-needed -lpixman-1 -Wl,--as-needed" \
  >/dev/null
cmake --build build-asan
# Left out: valgrind cannot run a sanitized program; Ardour, jalv, lv2apply and
# Qtractor's scanner, built without the sanitizer runtime, cannot load a
# sanitized plug-in; and the sanitizers write
# source paths into the code, which the package test rightly refuses; and the
# resident-memory test, since AddressSanitizer keeps freed memory in quarantine
# (its own leak check covers that run). The editor's tests get a virtual X
# server, as in scripts/test.sh.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-asan --output-on-failure -j2 \
  -E "under_valgrind|ardour|jalv|lv2apply|qtractor|deb_package|LoadDrawUnload"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1 -g1" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  >/dev/null
cmake --build build-tsan --target host_threads_tests
# Under a virtual X server, so that the editor thread opens the real editor window.
TSAN_OPTIONS="halt_on_error=1" xvfb-run -a -s "-screen 0 1280x1024x24" build-tsan/tests/host_threads_tests

# gcc builds the product; clang warns of private fields it does not use.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_BENCHMARKS=OFF \
  -DBUILD_FUZZERS=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined $checks -O1 -Wno-error=unused-private-field" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
# shellcheck disable=SC2086
cmake --build build-fuzz --target $fuzzers
mkdir -p build-fuzz/crashes
for fuzzer in $fuzzers; do
  # New inputs go to the first folder; the seeds (among them every input that
  # once found a fault) run first, every time.
  corpus="build-fuzz/corpus/$fuzzer"
  mkdir -p "$corpus"
  log="build-fuzz/$fuzzer.log"
  if ! "build-fuzz/fuzz/$fuzzer" -max_total_time="$fuzz_seconds" -timeout=30 \
    -artifact_prefix=build-fuzz/crashes/ "$corpus" "fuzz/seeds/$fuzzer" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$fuzzer failed; the input is in build-fuzz/crashes/, replay it with build-fuzz/fuzz/$fuzzer FILE" >&2
    exit 1
  fi
  echo "$fuzzer: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log"), no failure"
done

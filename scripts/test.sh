#!/bin/sh
# Builds everything and runs every test.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev \
  libcairo2-dev libsndfile1-dev fonts-liberation libx11-dev libxtst-dev xvfb xauth \
  libfftw3-dev valgrind binutils dpkg-dev lintian groff-base man-db clang libclang-rt-14-dev \
  ardour python3 lv2-dev liblilv-dev lilv-utils sordi serdi jalv jackd2 qtractor
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build build
# The editor's tests open real windows: they get a virtual X server of their own.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j2
scripts/windows.sh  # the Windows DLL, cross-built and tested under Wine
scripts/sanitizers.sh  # every test under ASan+UBSan, the threads under TSan, the fuzzers

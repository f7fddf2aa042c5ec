#!/bin/sh
# Builds the plug-in and slewmeter, and meters the built-in test signal: the
# report goes to the terminal, the editor's picture to build-run/slewmeter.png.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake ninja-build g++ pkg-config libcairo2-dev libsndfile1-dev \
  fonts-liberation
cmake -S . -B build-run -G Ninja -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-run --target plugin slewmeter
build-run/tools/slewmeter/slewmeter --png build-run/slewmeter.png "$@"
echo "plug-in: build-run/vst2/plugin/PemberlyquistRavuviRozeveZAV.so"

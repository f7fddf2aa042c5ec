#!/bin/sh
# Builds the plug-in and meters the built-in test signal with it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake ninja-build g++ pkg-config
cmake -S . -B build-run -G Ninja -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-run --target plugin slewmeter
build-run/tools/slewmeter/slewmeter "$@"
echo "plug-in: build-run/plugin/PemberlyquistRavuviRozeveZAV.so"

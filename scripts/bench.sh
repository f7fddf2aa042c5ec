#!/bin/sh
# Builds and runs every benchmark, then prints one table (Markdown) of the fastest
# of REPETITIONS runs (default 5) of each case beside its yardstick.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake ninja-build g++ pkg-config libbenchmark-dev libcairo2-dev \
  libsndfile1-dev fonts-liberation libx11-dev libfftw3-dev python3 lv2-dev liblilv-dev
cmake -S . -B build -G Ninja -DBUILD_BENCHMARKS=ON >/dev/null
benchmarks="process_bench render_bench host_bench lv2_bench clap_bench fft_bench slewmeter_bench"
# shellcheck disable=SC2086
cmake --build build --target $benchmarks
results=build/bench-results
rm -rf "$results"
mkdir -p "$results"
for benchmark in $benchmarks; do
  echo "running $benchmark" >&2
  if ! "build/bench/$benchmark" --benchmark_repetitions="${REPETITIONS:-5}" \
    --benchmark_min_time=0.2 --benchmark_out="$results/$benchmark.json" \
    --benchmark_out_format=json >"$results/$benchmark.log" 2>&1; then
    cat "$results/$benchmark.log" >&2
    exit 1
  fi
done
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
python3 bench/report.py "$results"

#!/bin/sh
# Cross-builds the Windows DLL and its tests with mingw-w64 and runs the tests
# under Wine: build-win/vst2/plugin/PemberlyquistRavuviRozeveZAV.dll.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix \
  binutils-mingw-w64-x86-64 wine wine64 googletest fonts-liberation xvfb xauth
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-win
# One at a time: the tests share a Wine prefix, a virtual screen and its mouse.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-win --output-on-failure
# The release zip (cpack --config build-win/CPackConfig.cmake), built and checked.
tests/package/windows_zip_test.sh build-win "$PWD" \
  "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)"

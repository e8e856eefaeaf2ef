#!/usr/bin/env bash
# Builds Fondalis and runs every test, then builds it again with clang, the
# sanitizers and libFuzzer's coverage hooks, runs every test there too and
# each fuzz target for a while; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-packages.sh cmake g++ make qt6-base-dev libeigen3-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n \
    xvfb xauth xdotool xclip openbox wmctrl x11-utils dbus-daemon \
    imagemagick desktop-file-utils appstream man-db lintian dpkg-dev file poppler-utils \
    clang libclang-rt-14-dev
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON
cmake --build build-tests -j"$(nproc)"
(cd build-tests && ctest --output-on-failure --no-tests=error -j"$(nproc)")

# AddressSanitizer and UBSan over the same suite, built by clang, which also
# builds the fuzz targets there. A tree another compiler configured starts
# afresh; a longer fuzz run set by hand (FONDALIS_FUZZ_SECONDS) is undone.
if [ -f build-asan/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' build-asan/CMakeCache.txt; then
    rm -rf build-asan
fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON -DFONDALIS_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DFONDALIS_FUZZ_SECONDS=20
cmake --build build-asan -j"$(nproc)"
(cd build-asan && ctest --output-on-failure --no-tests=error -LE fuzz -j"$(nproc)")
# The fuzz runs, one a core: each for 20 seconds from its corpus.
(cd build-asan && ctest --output-on-failure --no-tests=error -L fuzz -j"$(nproc)")

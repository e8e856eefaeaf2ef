#!/usr/bin/env bash
# Builds Fondalis and runs every test, then builds it again with the
# sanitizers and runs every test there too; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-packages.sh cmake g++ make qt6-base-dev libeigen3-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n \
    xvfb xauth xdotool xclip openbox wmctrl x11-utils dbus-daemon \
    imagemagick desktop-file-utils appstream man-db lintian dpkg-dev file poppler-utils
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON
cmake --build build-tests -j"$(nproc)"
(cd build-tests && ctest --output-on-failure --no-tests=error)

# AddressSanitizer and UBSan over the same suite.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON -DFONDALIS_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
(cd build-asan && ctest --output-on-failure --no-tests=error)

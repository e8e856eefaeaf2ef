#!/usr/bin/env bash
# Builds Fondalis and runs every test; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-packages.sh cmake g++ make qt6-base-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n \
    xvfb xauth xdotool xclip \
    imagemagick desktop-file-utils appstream man-db lintian dpkg-dev file poppler-utils
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON
cmake --build build-tests -j"$(nproc)"
cd build-tests
ctest --output-on-failure --no-tests=error

#!/usr/bin/env bash
# Builds Fondalis with its sea-area data set and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-packages.sh cmake g++ make qt6-base-dev libeigen3-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
exec build/bin/fondalis "$@"

#!/usr/bin/env bash
# The main job: builds everything and runs the demonstration over the sample files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
build/bin/quarro_demo data

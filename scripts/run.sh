#!/usr/bin/env bash
# The main job: builds everything, then imports the sample files in data/ with quarro-import (the
# application's own import flows and wizard, headless) and prints the import summary. The exit
# code is quarro-import's: 0 when every file loaded.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
# Each folder stands for its files; companion files (a shapefile's index, say) are listed as skipped.
build/bin/quarro-import data/las data/grdecl data/dxf data/asc data/gdal

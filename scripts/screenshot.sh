#!/usr/bin/env bash
# Takes the screenshot in docs/: builds the application, opens the sample files in data/ (one
# document per format, answered automatically) in a window on a virtual X display, and saves the
# window as docs/screenshot.png. Needs xvfb-run (Debian packages xvfb and xauth).
#   scripts/screenshot.sh [OUT.png]        (QUARRO_BUILD_DIR picks another build folder than build/)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshot.png}"
build="${QUARRO_BUILD_DIR:-build}"
scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)" --target quarro
# Settings of this run stay out of the user's own.
export XDG_CONFIG_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
# The format shown is the last one opened: the DXF drawings.
xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/quarro" --screenshot "$out" \
    data/las/*.las data/grdecl/* data/asc/*.asc data/dxf/*

#!/usr/bin/env bash
# Takes the screenshots in docs/: builds the application, opens the sample files in data/ (one
# document per format, answered automatically, each import summary kept in its document's
# journal) in a window on a virtual X display, and saves the window once per view:
#   docs/screenshot.png          the log view and properties of the well "Scorpio E1"
#   docs/screenshot-grid.png     the grid "snarkgrid" on the map, coloured by PORO, with its legend
#   docs/screenshot-surface.png  the surface "hugo_site.asc" coloured by its heights
#   docs/screenshot-journal.png  the journal of the well document
#   docs/screenshot-empty.png    the window before anything is opened
# Needs xvfb-run (Debian packages xvfb and xauth).
#   scripts/screenshot.sh [OUT.png]   (the main picture elsewhere; QUARRO_BUILD_DIR picks another
#                                      build folder than build/)
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
samples=(data/las/*.las data/grdecl/* data/asc/*.asc data/dxf/*)
shoot() {
    xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/quarro" --screenshot "$@"
}
shoot "$out" --select "Scorpio E1" "${samples[@]}"
# The other views only beside the main picture of docs/.
if [ "$out" = docs/screenshot.png ]; then
    shoot docs/screenshot-grid.png --select snarkgrid "${samples[@]}"
    shoot docs/screenshot-surface.png --select hugo_site.asc "${samples[@]}"
    shoot docs/screenshot-journal.png --select "Scorpio E1" --show journal "${samples[@]}"
    shoot docs/screenshot-empty.png
fi

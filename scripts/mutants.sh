#!/usr/bin/env bash
# Runs the deliberate faults of scripts/mutants.list against a build folder (default build/):
#   bash scripts/mutants.sh [BUILD] [--only REGEX] [--timeout SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
[ $# -gt 0 ] && shift
exec python3 "$here/mutants.py" "$build" "$@"

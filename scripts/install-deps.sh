#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and runs with, when any is missing.
set -euo pipefail

# Build: compiler, CMake, Qt, Boost headers, zlib (compressed native documents), GDAL (the GDAL
# reader); package: dpkg-dev and file (CPack finds the binaries and dpkg-shlibdeps the .deb's
# dependencies).
# Test and benchmark: GoogleTest/GoogleMock, Google Benchmark; GDAL's tools (the GDAL benchmark
# makes its GeoTIFF with gdal_create and compares with gdalinfo).
# Run: Qt's image-format plugins (TIFF and other raster images), a font for the offscreen and
# Xvfb platforms, Xvfb for screenshots.
packages=(cmake ninja-build g++ pkg-config qtbase5-dev libboost-dev zlib1g-dev libgdal-dev
          dpkg-dev file gdal-bin libgtest-dev libgmock-dev libbenchmark-dev
          qt5-image-formats-plugins fonts-dejavu-core xvfb xauth)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Makes the Debian package vellumet_<version>_<arch>.deb in the repository's
# top folder: installs what it needs, builds the program for release with
# Debian's hardening flags into build/package (the package preset), packs it
# with CPack and checks it with lintian (errors and warnings stop the script).
# Safe to run again.
#   scripts/package.sh
#   sudo apt-get install ./vellumet_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The package preset takes Debian's flags from these two.
VELLUMET_PACKAGE_CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
VELLUMET_PACKAGE_LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export VELLUMET_PACKAGE_CXXFLAGS VELLUMET_PACKAGE_LDFLAGS
cmake --preset package >/dev/null
cmake --build --preset package -j "$(nproc)"

rm -rf "$build/deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/deb" >/dev/null
made=("$build"/deb/vellumet_*.deb)
deb=$(basename "${made[0]}")
rm -f vellumet_*.deb
cp "${made[0]}" "$deb"

lintian --fail-on error,warning --display-info "$deb"
echo "Made $deb ($(du -h "$deb" | cut -f1)). Install it with: sudo apt-get install ./$deb"

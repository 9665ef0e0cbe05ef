#!/usr/bin/env bash
# Makes the Debian package vellumet_<version>_<arch>.deb in the repository's
# top folder: installs what it needs, builds the program for release with
# Debian's hardening flags into build/package, packs it with CPack and checks
# it with lintian (errors and warnings stop the script). Safe to run again.
#   scripts/package.sh
#   sudo apt-get install ./vellumet_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Warnings are not errors here: a compiler update must not stop a release.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVELLUMET_WERROR=OFF -DVELLUMET_BUILD_TESTS=OFF -DVELLUMET_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "$(nproc)"

rm -rf "$build/deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/deb" >/dev/null
made=("$build"/deb/vellumet_*.deb)
deb=$(basename "${made[0]}")
rm -f vellumet_*.deb
cp "${made[0]}" "$deb"

lintian --fail-on error,warning --display-info "$deb"
echo "Made $deb ($(du -h "$deb" | cut -f1)). Install it with: sudo apt-get install ./$deb"

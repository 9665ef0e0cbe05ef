#!/usr/bin/env bash
# Installs what Vellumet needs, builds it when the sources changed, and starts it
# in a fresh copy of the sample export folder, so the sample is one click away
# and the original under sample/ is never touched. Safe to run again: later runs
# only start the program.
#   scripts/run.sh            start in a new copy of the sample
#   scripts/run.sh FOLDER     start with FOLDER open, as `vellumet FOLDER` does
set -euo pipefail
started_in=$(pwd)
cd "$(dirname "$0")/.."
repo=$(pwd)

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Vellumet needs a graphical desktop: no display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi

scripts/install-deps.sh program

build=build/run
[[ -f "$build/CMakeCache.txt" ]] || cmake --preset run >/dev/null
cmake --build --preset run -j "$(nproc)"
program="$repo/$build/bin/vellumet"
[[ -x "$program" ]] || { echo "The build did not produce $program." >&2; exit 1; }

if [[ $# -gt 0 ]]; then
  # A relative FOLDER counts from where the script was started.
  cd "$started_in"
  exec "$program" "$1"
fi
# A new working folder each time: it holds "sample", a copy of the sample export.
start=$(mktemp -d "${TMPDIR:-/tmp}/vellumet-XXXXXX")
cp -r sample "$start/sample"
echo "Working folder: $start (open \"sample\" in the folder list, then press HTML作成)"
cd "$start"
exec "$program"

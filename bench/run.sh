#!/usr/bin/env bash
# Builds the benchmarks (Release, build/bench) and prints the ratio table:
# each measurement of Vellumet next to the floor of the same work, measured
# side by side on a tmpfs folder. One command:
#
#   bench/run.sh
#
# Extra arguments go to the core benchmark binary (e.g. --benchmark_repetitions=9).
# VELLUMET_PROGRAM=/path/to/vellumet measures another build of the program.
# Exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
runs=${STARTUP_RUNS:-15}

# Warnings stay warnings here: GCC 12 at -O3 reports false -Wrestrict findings
# inside std::string.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMET_BUILD_BENCH=ON \
  -DVELLUMET_BUILD_TESTS=OFF -DVELLUMET_WERROR=OFF >/dev/null
if ! cmake --build "$build" -j"${BENCH_JOBS:-2}" >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log"
  exit 1
fi

echo "## Machine"
echo "- CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "- Memory: $(awk '/MemTotal/ {printf "%.1f GB", $2/1048576}' /proc/meminfo)"
echo "- System: $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
echo "- Compiler: $(c++ --version | head -n1)"
echo

status=0
"$build/bench/vellumet_bench" --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true "$@" | tee "$build/core_bench.txt" \
  | sed -n '/^| measurement/,$p' || status=$?
# The table's header is printed above; start-up and memory follow as rows.

root=$PWD
program=${VELLUMET_PROGRAM:-$root/$build/bin/vellumet}
probe=$root/$build/bench/libvellumet_paint_probe.so
minimal=$root/$build/bench/vellumet_minimal_window
if [[ ! -x $program ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.3x | skipped: $program not built |"
  echo "| Peak memory, 10,000-file folder + 12 MP JPEG preview | - | - | - | < 80 MB | skipped: $program not built |"
  exit $status
fi
if [[ ! -f $probe || ! -x $minimal ]]; then
  echo "start-up probe not built (Qt 6 Widgets missing?)" >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d /dev/shm/vellumet-startup-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

# Milliseconds from exec to the first painted window, one run.
startup_ms() {
  local out=$work/probe.out
  rm -f "$out"
  (cd "$work" && VELLUMET_PROBE_OUT=$out VELLUMET_PROBE_T0=$(date +%s%N) \
    LD_PRELOAD=$probe timeout 30 "$1" >/dev/null 2>&1) || true
  if grep -q '^modal=' "$out" 2>/dev/null; then
    sed -n 's/^modal=//p' "$out" >"$work/modal"
    return
  fi
  sed -n 's/^startup_ms=//p' "$out" 2>/dev/null
}
median() { sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]}'; }

# Warm the page cache once, then alternate the two programs.
startup_ms "$minimal" >/dev/null
startup_ms "$program" >/dev/null
: >"$work/ours"
: >"$work/floor"
for ((i = 0; i < runs; i++)); do
  startup_ms "$minimal" >>"$work/floor"
  startup_ms "$program" >>"$work/ours"
done
ours=$(median <"$work/ours")
floor=$(median <"$work/floor")
if [[ -s $work/modal ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.3x | NO: a box \"$(cat "$work/modal")\" was open at start-up (data beside the program missing?) |"
  status=1
elif [[ -z $ours || -z $floor ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.3x | NO: no paint seen |"
  status=1
else
  awk -v o="$ours" -v f="$floor" 'BEGIN {
    r = o / f; met = (r <= 1.3) ? "yes" : "NO"
    printf "| Start-up to the first painted window (median of '"$runs"') | %.1f ms | %.1f ms | %.2fx | <= 1.3x | %s |\n", o, f, r, met
    exit (r <= 1.3) ? 0 : 1 }' || status=1
fi

# Peak memory after browsing a 10,000-file folder whose first slide is a 12 MP JPEG.
folder=$work/big
mkdir -p "$folder"
"$root/$build/bench/vellumet_make_jpeg" "$folder/img001.jpg"
(cd "$folder" && for i in $(seq 2 999); do printf -v n 'img%03d.jpg' "$i"; : >"$n"; done
 for i in $(seq 1 9001); do : >"leftover$i.htm"; done)
out=$work/memory.out
(cd "$work" && VELLUMET_PROBE_OUT=$out VELLUMET_PROBE_MODE=memory VELLUMET_PROBE_FOLDER=$folder \
  VELLUMET_PROBE_T0=$(date +%s%N) LD_PRELOAD=$probe timeout 60 "$program" >/dev/null 2>&1) || true
peak=$(sed -n 's/^peak_kb=//p' "$out" 2>/dev/null)
preview=$(sed -n 's/^preview=//p' "$out" 2>/dev/null)
how=$(sed -n 's/^browse=//p' "$out" 2>/dev/null)
if [[ -z $peak ]]; then
  echo "| Peak memory, 10,000-file folder + 12 MP JPEG preview | - | - | - | < 80 MB | NO: not measured ($(sed -n 's/^browse=//p' "$out" 2>/dev/null)) |"
  status=1
else
  awk -v k="$peak" -v p="$preview" -v h="$how" 'BEGIN {
    mb = k / 1024; met = (mb < 80) ? "yes" : "NO"
    printf "| Peak memory, 10,000-file folder + 12 MP JPEG preview (preview shown: %s; browsed by %s) | %.1f MB | - | - | < 80 MB | %s |\n", p, h, mb, met
    exit (mb < 80) ? 0 : 1 }' || status=1
fi

# The command line over many folders, beside a single folder.
bench/command_line/folders.sh "$program" || status=1
exit $status

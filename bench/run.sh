#!/usr/bin/env bash
# Builds the benchmarks (the bench preset: Release, build/bench) and prints
# the ratio table: each measurement of Vellumet next to the floor of the same
# work, measured side by side on a tmpfs folder. One command:
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
folder_runs=${FOLDER_RUNS:-5}
folder_changes=${FOLDER_CHANGES:-9}

cmake --preset bench >/dev/null
if ! cmake --build --preset bench -j"${BENCH_JOBS:-2}" >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log"
  exit 1
fi

repetitions=7
echo "## Machine"
echo "- CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "- Memory: $(awk '/MemTotal/ {printf "%.1f GB", $2/1048576}' /proc/meminfo)"
echo "- System: $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
echo "- Compiler: $(c++ --version | head -n1)"
echo "- Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "- Runs: core rows $repetitions repetitions each, program and floor interleaved at random;"
echo "  start-up $runs runs and folder change $folder_runs runs of $folder_changes changes, program and floor alternating"
echo

status=0
"$build/bench/vellumet_bench" --benchmark_repetitions=$repetitions --benchmark_enable_random_interleaving=true "$@" | tee "$build/core_bench.txt" \
  | sed -n '/^| measurement/,$p' || status=$?
# The table's header is printed above; the program's own rows follow.

root=$PWD
program=${VELLUMET_PROGRAM:-$root/$build/bin/vellumet}
probe=$root/$build/bench/libvellumet_paint_probe.so
same=$root/$build/bench/vellumet_same_window
minimal=$root/$build/bench/vellumet_minimal_window
folder_floor=$root/$build/bench/vellumet_folder_floor
if [[ ! -x $program ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.10x | skipped: $program not built |"
  echo "| Peak memory, 10,000-file folder + 12 MP JPEG preview | - | - | - | < 80 MB | skipped: $program not built |"
  exit $status
fi
if [[ ! -f $probe || ! -x $same || ! -x $minimal || ! -x $folder_floor ]]; then
  echo "window programs not built (Qt 6 Widgets missing?)" >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d /dev/shm/vellumet-window-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a program with the probe preloaded into it alone (not into timeout);
# prints the probe's report.
probe_run() {
  local mode=$1 program=$2 out=$work/probe.out
  shift 2
  rm -f "$out"
  (cd "$work" && timeout 60 env VELLUMET_PROBE_OUT="$out" VELLUMET_PROBE_MODE="$mode" \
    VELLUMET_PROBE_T0="$(date +%s%N)" LD_PRELOAD="$probe" "$program" "$@" >/dev/null 2>&1) || true
  cat "$out" 2>/dev/null
}
# Milliseconds from exec to the first painted window, one run: wall time,
# then the process's CPU time.
startup_ms() {
  local report
  report=$(probe_run startup "$1")
  if grep -q '^modal=' <<<"$report"; then
    sed -n 's/^modal=//p' <<<"$report" >"$work/modal"
    return
  fi
  echo "$(sed -n 's/^startup_ms=//p' <<<"$report") $(sed -n 's/^startup_cpu_ms=//p' <<<"$report")"
}
median() { sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]}'; }

# One row: ours, floor, target (highest ratio), what.
ratio_row() {
  awk -v o="$1" -v f="$2" -v t="$3" -v what="$4" 'BEGIN {
    r = o / f; met = (t == "" || r <= t) ? "yes" : "NO"
    printf "| %s | %.1f ms | %.1f ms | %.2fx | %s | %s |\n", what, o, f, r, (t == "" ? "-" : "<= " t "x"), (t == "" ? "-" : met)
    exit (t == "" || r <= t) ? 0 : 1 }'
}

# Warm the page cache once, then alternate the programs.
for p in "$minimal" "$same" "$program"; do startup_ms "$p" >/dev/null; done
: >"$work/ours"
: >"$work/same"
: >"$work/minimal"
for ((i = 0; i < runs; i++)); do
  startup_ms "$same" >>"$work/same"
  startup_ms "$program" >>"$work/ours"
  startup_ms "$minimal" >>"$work/minimal"
done
ours=$(cut -d' ' -f1 "$work/ours" | median)
same_floor=$(cut -d' ' -f1 "$work/same" | median)
minimal_floor=$(cut -d' ' -f1 "$work/minimal" | median)
ours_cpu=$(cut -d' ' -f2 "$work/ours" | median)
same_cpu=$(cut -d' ' -f2 "$work/same" | median)
if [[ -s $work/modal ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.10x | NO: a box \"$(cat "$work/modal")\" was open at start-up (data beside the program missing?) |"
  status=1
elif [[ -z $ours || -z $same_floor || -z $minimal_floor ]]; then
  echo "| Start-up to the first painted window | - | - | - | <= 1.10x | NO: no paint seen |"
  status=1
else
  ratio_row "$ours" "$same_floor" 1.10 "Start-up to the first painted window, against the same window (wall, median of $runs)" || status=1
  ratio_row "$ours_cpu" "$same_cpu" "" "Start-up to the first painted window, against the same window (CPU, median of $runs)"
  ratio_row "$ours" "$minimal_floor" "" "Start-up to the first painted window, against one empty window (wall, median of $runs)"
fi

# A folder change in the program (folder list opened, detection, leftover
# list filled) against the same visible work done with Qt directly.
changes=$work/changes
mkdir -p "$changes"
(cd "$changes" && for i in $(seq 1 999); do printf -v n 'sld%03d.gif' "$i"; : >"$n"; done
 : >show.ppz; : >sld001.htm; : >navbtn1.htm
 for i in $(seq 1 8997); do : >"leftover$i.htm"; done)
: >"$work/ours"
: >"$work/floor"
counts=
for ((i = 0; i < folder_runs; i++)); do
  report=$(VELLUMET_PROBE_FOLDER=$changes VELLUMET_PROBE_RUNS=$folder_changes probe_run folder "$folder_floor" "$changes")
  sed -n 's/^folder_ms=//p' <<<"$report" >>"$work/floor"
  report=$(VELLUMET_PROBE_FOLDER=$changes VELLUMET_PROBE_RUNS=$folder_changes probe_run folder "$program")
  sed -n 's/^folder_ms=//p' <<<"$report" >>"$work/ours"
  counts+=$(sed -n 's/^count=//p' <<<"$report")" "
done
ours=$(median <"$work/ours")
floor=$(median <"$work/floor")
if [[ -z $ours || -z $floor ]]; then
  echo "| Folder change, 10,000 files, in the program | - | - | - | <= 1.3x | NO: not measured |"
  status=1
elif [[ $counts != *999* ]]; then
  echo "| Folder change, 10,000 files, in the program | - | - | - | <= 1.3x | NO: no slide set detected ($counts) |"
  status=1
else
  ratio_row "$ours" "$floor" 1.3 "Folder change, 10,000 files, in the program (CPU, median of $folder_runs x $folder_changes)" || status=1
fi

# Peak memory after browsing a 10,000-file folder whose first slide is a 12 MP JPEG.
folder=$work/big
mkdir -p "$folder"
"$root/$build/bench/vellumet_make_jpeg" "$folder/img001.jpg"
(cd "$folder" && for i in $(seq 2 999); do printf -v n 'img%03d.jpg' "$i"; : >"$n"; done
 for i in $(seq 1 9001); do : >"leftover$i.htm"; done)
report=$(VELLUMET_PROBE_FOLDER=$folder probe_run memory "$program")
peak=$(sed -n 's/^peak_kb=//p' <<<"$report")
preview=$(sed -n 's/^preview=//p' <<<"$report")
how=$(sed -n 's/^browse=//p' <<<"$report")
if [[ -z $peak ]]; then
  echo "| Peak memory, 10,000-file folder + 12 MP JPEG preview | - | - | - | < 80 MB | NO: not measured ($how) |"
  status=1
else
  awk -v k="$peak" -v p="$preview" -v h="$how" 'BEGIN {
    mb = k / 1024; met = (mb < 80) ? "yes" : "NO"
    printf "| Peak memory, 10,000-file folder + 12 MP JPEG preview (preview shown: %s; browsed by %s) | %.1f MB | - | - | < 80 MB | %s |\n", p, h, mb, met
    exit (mb < 80) ? 0 : 1 }' || status=1
fi

# The command line over many folders, beside a single folder.
bench/command_line/folders.sh "$program" || status=1
# Decks made into shows, beside pdftoppm and LibreOffice.
bench/deck/decks.sh "$root/$build" || status=1
echo
echo "Load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status

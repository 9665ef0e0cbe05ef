#!/usr/bin/env bash
# The command line on many folders: `vellumet --create --yes` over 100 export
# folders of 50 slides each in one run, beside one run on a single folder.
# Wall time from exec to exit, as a script waits for it; each run works on
# fresh copies made outside the timing. Prints two table rows.
#
#   bench/command_line/folders.sh PROGRAM
#
# CLI_FOLDERS, CLI_SLIDES, CLI_MANY_RUNS and CLI_SINGLE_RUNS change the sizes.
set -euo pipefail

program=$1
work=$(mktemp -d /dev/shm/vellumet-cli-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
folders=${CLI_FOLDERS:-100}
slides=${CLI_SLIDES:-50}
many_runs=${CLI_MANY_RUNS:-5}
single_runs=${CLI_SINGLE_RUNS:-15}

# One export as the presentation program writes it: the slides, the player
# file, its own pages and a few leftovers.
pristine=$work/pristine
rm -rf "$pristine"
mkdir -p "$pristine"
image=$(head -c 256 /dev/zero | tr '\0' g)
for ((i = 1; i <= slides; i++)); do
  printf -v name 'sld%03d.gif' "$i"
  printf '%s' "$image" >"$pristine/$name"
done
head -c 4096 /dev/zero >"$pristine/show.ppz"
for page in sld001.htm navbtn1.htm index.htm; do printf '<HTML>export</HTML>\r\n' >"$pristine/$page"; done
for ((i = 1; i <= 20; i++)); do printf 'left over\r\n' >"$pristine/tsld$i.htm"; done

# Copies of the export named $1/f001 .. $1/f<n>.
copies() {
  rm -rf "$1"
  mkdir -p "$1"
  for ((i = 1; i <= $2; i++)); do
    printf -v name 'f%03d' "$i"
    cp -r "$pristine" "$1/$name"
  done
}

# Milliseconds of one run of the program on the folders $@; fails on a
# status other than 0.
timed() {
  local t0 t1
  t0=$(date +%s%N)
  "$program" --create --yes "$@" </dev/null >/dev/null 2>"$work/stderr" || {
    echo "run failed: $(tail -n 5 "$work/stderr")" >&2
    return 1
  }
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000))
}
median() { sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]}'; }

: >"$work/many"
for ((r = 0; r < many_runs; r++)); do
  copies "$work/many-run" "$folders"
  timed "$work"/many-run/f* >>"$work/many"
done
: >"$work/single"
for ((r = 0; r < single_runs; r++)); do
  copies "$work/single-run" 1
  timed "$work/single-run/f001" >>"$work/single"
done

many=$(median <"$work/many")
single=$(median <"$work/single")
awk -v m="$many" -v s="$single" -v n="$folders" -v k="$slides" -v mr="$many_runs" -v sr="$single_runs" 'BEGIN {
  printf "| Command line, %d folders of %d slides in one run (median of %d): per folder | %.2f ms | - | - | - | %.0f ms in all |\n", n, k, mr, m / n / 1000, m / 1000
  printf "| Command line, 1 folder of %d slides in one run (median of %d) | %.2f ms | - | %.2fx of one folder in the long run | - | - |\n", k, sr, s / 1000, s / (m / n)
}'

#!/usr/bin/env bash
# Decks made into shows, beside their floors: a 100-page deck rendered at
# 1920 px against pdftoppm writing the same format at the same size; jobs
# and processes; the peak memory over 500 and 2,000 pages; an office file
# against LibreOffice's own conversion. Wall time, median of DECK_RUNS runs
# (ours and the floor alternating), on a tmpfs folder. Prints table rows;
# exits 1 when a limit is broken.
#
#   bench/deck/decks.sh BUILD_DIR
set -euo pipefail

build=$1
render=$build/bench/vellumet_render_decks
make_deck=$build/tests/support/vellumet_make_deck
runs=${DECK_RUNS:-3}
work=$(mktemp -d /dev/shm/vellumet-decks-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

median() { sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]}'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Milliseconds of one run of a command, its output thrown away; the CPU
# milliseconds (user + system) go to the file $work/cpu.
timed() {
  local t0
  t0=$(now_ms)
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
    { echo "failed: $* $(tail -n 3 "$work/stderr")" >&2; return 1; }
  echo $(($(now_ms) - t0))
  awk '{printf "%.0f\n", ($1 + $2) * 1000}' "$work/time" >>"$work/cpu"
}
# One row: what, ours (ms), floor (ms), goal ratio, limit ratio.
row() {
  awk -v what="$1" -v o="$2" -v f="$3" -v goal="$4" -v limit="$5" 'BEGIN {
    r = o / f
    met = (limit == "" || r <= limit) ? ((goal == "" || r <= goal) ? "yes" : "within the limit, not the goal") : "NO"
    target = (goal == "" ? "" : "goal <= " goal "x") (limit == "" ? "" : ", never > " limit "x")
    printf "| %s | %.0f ms | %.0f ms | %.2fx | %s | %s |\n", what, o, f, r, (target == "" ? "-" : target), (target == "" ? "-" : met)
    exit (limit == "" || r <= limit) ? 0 : 1 }'
}

"$make_deck" "$work/deck100.pdf" --pages 100 2>/dev/null
for format in jpg png; do
  case $format in
    jpg) floor_args=(-jpeg -jpegopt quality=90) ;;
    png) floor_args=(-png) ;;
  esac
  : >"$work/ours"
  : >"$work/floor"
  : >"$work/ours_cpu"
  : >"$work/floor_cpu"
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/out" "$work/deck100" && mkdir "$work/out"
    : >"$work/cpu"
    timed pdftoppm "${floor_args[@]}" -scale-to-x 1920 -scale-to-y -1 "$work/deck100.pdf" "$work/out/p" >>"$work/floor"
    cat "$work/cpu" >>"$work/floor_cpu"
    rm -rf "$work/out" "$work/deck100"
    : >"$work/cpu"
    timed "$render" --image $format "$work/deck100.pdf" >>"$work/ours"
    cat "$work/cpu" >>"$work/ours_cpu"
  done
  row "Deck, 100 pages at 1920 px, $format, against pdftoppm (wall, median of $runs)" \
    "$(median <"$work/ours")" "$(median <"$work/floor")" 0.8 1.2 || status=1
  row "Deck, 100 pages at 1920 px, $format, against pdftoppm (CPU, median of $runs)" \
    "$(median <"$work/ours_cpu")" "$(median <"$work/floor_cpu")" "" ""
done

# One deck on one core, and two decks in one process against two processes.
: >"$work/one"
: >"$work/two"
for ((i = 0; i < runs; i++)); do
  rm -rf "$work/deck100"
  timed "$render" --jobs 1 "$work/deck100.pdf" >>"$work/one"
  rm -rf "$work/deck100"
  timed "$render" --jobs 2 "$work/deck100.pdf" >>"$work/two"
done
row "Deck, 100 pages, jpg: 2 jobs against 1 job (wall, median of $runs)" \
  "$(median <"$work/two")" "$(median <"$work/one")" "" ""
cp "$work/deck100.pdf" "$work/other100.pdf"
: >"$work/threads"
: >"$work/processes"
for ((i = 0; i < runs; i++)); do
  rm -rf "$work/deck100" "$work/other100"
  timed "$render" --jobs 2 "$work/deck100.pdf" "$work/other100.pdf" >>"$work/threads"
  rm -rf "$work/deck100" "$work/other100"
  t0=$(now_ms)
  "$render" --jobs 1 "$work/deck100.pdf" >/dev/null &
  "$render" --jobs 1 "$work/other100.pdf" >/dev/null
  wait
  echo $(($(now_ms) - t0)) >>"$work/processes"
done
row "Two 100-page decks, jpg: one process of 2 jobs against two processes of 1 job (wall, median of $runs)" \
  "$(median <"$work/threads")" "$(median <"$work/processes")" "" ""

# Peak memory: flat in the page count, under 300 MB at 2,000 pages.
for pages in 500 2000; do
  "$make_deck" "$work/long$pages.pdf" --pages $pages 2>/dev/null
  report=$("$render" "$work/long$pages.pdf")
  peak=$(sed -n 's/^peak_kb=//p' <<<"$report")
  wall=$(sed -n 's/^wall_ms=//p' <<<"$report")
  awk -v k="$peak" -v n="$pages" -v w="$wall" 'BEGIN {
    mb = k / 1024; met = (mb < 300) ? "yes" : "NO"
    printf "| Peak memory, %d-page deck at 1920 px, jpg (%.0f s) | %.1f MB | - | - | < 300 MB | %s |\n", n, w / 1000, mb, met
    exit (mb < 300) ? 0 : 1 }' || status=1
  rm -rf "$work/long$pages" "$work/long$pages.pdf"
done

# An office file: LibreOffice's own conversion is that path's floor.
office=$(command -v soffice || true)
if [[ -z $office ]]; then
  echo "| Office deck, 20 slides | - | - | - | - | skipped: LibreOffice not installed |"
else
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation"><office:body><office:presentation>'
    for ((i = 1; i <= 20; i++)); do
      echo "<draw:page draw:name=\"s$i\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"20cm\" svg:height=\"10cm\"><draw:text-box><text:p>Slide $i 港の計画</text:p><text:p>The harbour opens at dawn; boats leave at six.</text:p></draw:text-box></draw:frame></draw:page>"
    done
    echo '</office:presentation></office:body></office:document>'
  } >"$work/talk.fodp"
  "$office" --headless "-env:UserInstallation=file://$work/profile" --convert-to pptx \
    --outdir "$work" "$work/talk.fodp" >/dev/null 2>&1
  : >"$work/ours"
  : >"$work/floor"
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/lo" "$work/lo-profile"
    timed "$office" --headless --norestore "-env:UserInstallation=file://$work/lo-profile" \
      --convert-to pdf:impress_pdf_Export --outdir "$work/lo" "$work/talk.pptx" >>"$work/floor"
    rm -rf "$work/talk"
    timed "$render" "$work/talk.pptx" >>"$work/ours"
  done
  ours=$(median <"$work/ours")
  floor=$(median <"$work/floor")
  row "Office deck, 20 slides .pptx at 1920 px, jpg, against LibreOffice's conversion alone (wall, median of $runs)" \
    "$ours" "$floor" "" ""
  awk -v o="$ours" -v f="$floor" 'BEGIN {
    printf "| Office deck: LibreOffice'"'"'s share of the time | %.0f%% | - | - | - | - |\n", 100 * f / o }'
fi
exit $status

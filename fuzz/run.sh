#!/usr/bin/env bash
# Builds the fuzz targets with clang into build/fuzz (the fuzz preset) and runs
# each for a short while (FUZZ_SECONDS, default 20). Exits non-zero as soon as
# a target finds a crash, a hang, a leak or a broken property; the input is
# kept in build/fuzz/findings/<target>/.
#
#   fuzz/run.sh                  # every target, 20 s each
#   FUZZ_SECONDS=600 fuzz/run.sh markers icon_list
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
build=build/fuzz
targets=("$@")
((${#targets[@]})) || targets=(text_codec template_copy markers read_number icon_list)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${FUZZ_JOBS:-2}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  findings=$build/findings/$t
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$t for ${seconds}s"
  if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus" "fuzz/corpus/$t" >"$build/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t FAILED; its log follows (input kept in $findings/)"
    tail -n 60 "$build/fuzz_$t.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz_$t.log" | tail -n 1 || true
  fi
done
exit $status

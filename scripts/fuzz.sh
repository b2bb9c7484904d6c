#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-fuzz (or $VELMORA_FUZZ_BUILD_DIR)
# and runs one target or all of them, each for SECONDS (15 unless given; 0
# for no time limit), printing executions, executions per second and
# coverage. Fails when a target meets a crash, a hang, a leak or a broken
# property; the input that did it is kept in build-fuzz/artifacts/.
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS] [libFuzzer options...]
#   scripts/fuzz.sh fuzz_archiver 0 -runs=1000000
#
# In a long run AddressSanitizer keeps the call stack of every allocation,
# and that store slows the run to half its speed and doubles its memory by a
# few hundred thousand executions. Every check stays on without the stacks:
#   ASAN_OPTIONS=malloc_context_size=0 scripts/fuzz.sh fuzz_wms_roundtrip 0 -runs=1000000
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_FUZZ_BUILD_DIR:-$root/build-fuzz}
fuzz=$root/tests/fuzz

# Each target with the dictionary of what it parses.
declare -A dictionaries=(
  [fuzz_wms_reader]=wms
  [fuzz_wms_roundtrip]=wms
  [fuzz_image_header]=image
  [fuzz_archiver]=archiver
  [fuzz_helpers]=helpers
  [fuzz_skin_check]=check
  [fuzz_unpacker]=unpacker
)
# Quickest first, so a long run reports the most in the least time.
all=(fuzz_archiver fuzz_helpers fuzz_image_header fuzz_wms_reader fuzz_wms_roundtrip fuzz_skin_check
  fuzz_unpacker)

which=${1:-all}
seconds=${2:-15}
shift $(($# < 2 ? $# : 2))
if [ "$which" = all ]; then
  targets=("${all[@]}")
elif [ -n "${dictionaries[$which]:-}" ]; then
  targets=("$which")
else
  echo "fuzz.sh: no target $which; the targets are: all ${all[*]}" >&2
  exit 2
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DVELMORA_FUZZ=ON \
  -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

mkdir -p "$build/artifacts" "$build/logs"
failed=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  status=ok
  # New inputs go to the first folder only: the seeds in the repository stay as they are.
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
    -dict="$fuzz/dict/${dictionaries[$target]}.dict" "$@" \
    "$corpus" "$fuzz/seeds/$target" >"$log" 2>&1; then
    status=FAILED
    failed+=("$target")
  fi
  runs=$(awk '/^stat::number_of_executed_units:/ {print $2}' "$log")
  rate=$(awk '/^stat::average_exec_per_sec:/ {print $2}' "$log")
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  printf '%-20s %-6s %10s executions %8s exec/s  %s\n' \
    "$target" "$status" "${runs:--}" "${rate:--}" "${coverage:-cov: -}"
  if [ "$status" = FAILED ]; then
    tail -n 40 "$log" >&2
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: failed: ${failed[*]} (inputs in $build/artifacts/, logs in $build/logs/)" >&2
  exit 1
fi

#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz and runs each for SECONDS
# (default 60) on a copy of its seeds, so the repository stays as it is.
# Prints one line per target with its executions and crashes; an input that
# crashes is kept in build/linux-fuzz/crashes/. Exits non-zero if any crashed.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# Every target tests/fuzz/CMakeLists.txt builds: one <name>_fuzz.cpp each.
targets=()
for source in tests/fuzz/*_fuzz.cpp; do
  name=${source##*/}
  targets+=("${name%_fuzz.cpp}")
done

scripts/setup.sh
cmake --preset linux-fuzz >/dev/null
cmake --build --preset linux-fuzz

root=$PWD
crashes_dir=$root/build/linux-fuzz/crashes
mkdir -p "$crashes_dir"
# The settings-file target writes a file per input: on a disk the journal,
# not the code, would set the pace. The targets' own temporary files go
# here too, so nothing outlives the run, a crashed target's neither.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d -p /dev/shm)
else
  scratch=$(mktemp -d)
fi
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

status=0
for target in "${targets[@]}"; do
  rm -f "$crashes_dir/$target-"*
  mkdir "$scratch/$target"
  cp "tests/fuzz/corpus/$target/"* "$scratch/$target/"
  log=$scratch/$target.log
  # A hang counts as a crash: -timeout is the most one input may take.
  (cd "$scratch" && "$root/build/linux-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 \
    -print_final_stats=1 -artifact_prefix="$crashes_dir/$target-" "$scratch/$target") >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  crashes=$(find "$crashes_dir" -name "$target-*" | wc -l)
  if [ -z "$runs" ] && [ "$crashes" -eq 0 ]; then
    crashes=1  # it died without a report or an input to show for it
  fi
  printf 'fuzz: %-16s %10s executions, %d crashes\n' "$target" "${runs:-?}" "$crashes"
  if [ "$crashes" -ne 0 ]; then
    status=1
    grep -E -A 30 '^==[0-9]+==|runtime error|deadly signal' "$log" | head -n 40 >&2 || tail -n 40 "$log" >&2
    find "$crashes_dir" -name "$target-*" -printf 'fuzz:   input kept in %p\n' >&2
  fi
done
exit $status

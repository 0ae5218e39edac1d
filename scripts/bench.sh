#!/usr/bin/env bash
# Measures the poll tick: its cost over the fakes (Google Benchmark, with a
# count of heap allocations), its instruction count (callgrind, stable on a
# noisy machine) and the size of kestro.exe. Prints figures; judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRO_BUILD_BENCH=ON -DKESTRO_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench -j2 >/dev/null

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "== Google Benchmark over the fakes"
build/bench/bench/kestro_bench --benchmark_min_time=0.2

echo "== instructions (callgrind), per operation"
runs=20000
for mode in idle:onPollTick send:onPollTick discover:discoverControllers reconnect:onReconnectTick; do
  name=${mode%%:*}; fn=${mode#*:}
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="kestro::${fn}*" \
    build/bench/bench/kestro_tick_instructions "$name" "$runs" >/dev/null 2>&1
  total=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
  rm -f "$out"
  printf '%-10s %8d instructions\n' "$name" $((total / runs))
done

echo "== executable size"
for arch in x64 x86; do
  scripts/build-windows.sh "$arch" kestro >/dev/null
  printf 'kestro.exe (%s): %d bytes\n' "$arch" "$(stat -c %s build/windows-$arch/bin/kestro.exe)"
done

if [ -x tests/e2e/measure.sh ]; then
  echo "== under Wine"
  tests/e2e/measure.sh build/windows-x64
fi

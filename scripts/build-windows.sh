#!/usr/bin/env bash
# Cross-compiles for Windows: "x64" (default) or "x86", then optional targets
# (everything when none is named: kestro.exe and the end-to-end tools).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="windows-${1:-x64}"
shift || true
cmake --preset "$preset" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build --preset "$preset" "${targets[@]}"

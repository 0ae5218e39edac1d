#!/usr/bin/env bash
# Cross-compiles kestro.exe for 64-bit Windows (and 32-bit with "x86").
set -euo pipefail
cd "$(dirname "$0")/.."
preset="windows-${1:-x64}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"

#!/usr/bin/env bash
# Runs every test: the logic's unit and scenario tests on Linux, the Windows
# cross builds (x64 and x86), then the end-to-end scenarios under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

scripts/build-windows.sh x64
scripts/build-windows.sh x86

if [ -x tests/e2e/run.sh ]; then
  tests/e2e/run.sh build/windows-x64
fi

#!/usr/bin/env bash
# Runs every test: builds the logic for Linux and kestro.exe for Windows (x64
# and x86), runs the end-to-end scenarios of kestro.exe under Wine, then the
# unit and scenario tests of the logic. Exits non-zero if anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
scripts/build-windows.sh x64
scripts/build-windows.sh x86 kestro

status=0
if [ -x tests/e2e/run.sh ]; then
  tests/e2e/run.sh build/windows-x64 || status=1
fi
ctest --preset linux -j2 || status=1
exit $status

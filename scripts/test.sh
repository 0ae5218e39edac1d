#!/usr/bin/env bash
# Runs every test: builds the logic for Linux and kestro.exe for Windows (x64
# and x86), runs the end-to-end scenarios of kestro.exe under Wine, then the
# unit and scenario tests of the logic, the same under the sanitizers, and a
# short run of every fuzzer. Exits non-zero if anything failed.
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

# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then ten seconds of fuzzing per parser.
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan
ctest --preset linux-asan -j2 || status=1
scripts/fuzz.sh 10 || status=1
exit $status

#!/usr/bin/env bash
# The long run, not part of scripts/test.sh or CI: builds kestro.exe and the end-to-end
# tools for x64, then runs kestro.exe under Wine (tests/e2e/run.sh: its own Xvfb and Wine
# prefix) through CYCLES unplug/re-plug and CYCLES suspend/resume cycles, a press after each.
# Prints recovery times, memory, handles and DirectInput objects; exits non-zero when a
# press was missed or doubled, a cycle did not recover in time or devices were not released.
#
# Usage: scripts/soak.sh [CYCLES, default 100]    (about 3 s a cycle pair)
set -euo pipefail
cd "$(dirname "$0")/.."
cycles=${1:-100}
scripts/setup.sh
scripts/build-windows.sh x64
KESTRO_E2E_LIMIT=$((120 + 10 * cycles)) exec tests/e2e/run.sh build/windows-x64 --soak "$cycles"

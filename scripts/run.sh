#!/usr/bin/env bash
# Builds kestro.exe and starts it under Wine. Without a display, a virtual
# one (Xvfb) is started for it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build-windows.sh x64 kestro

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-kestro}"
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:77
  echo "run: no display; started Xvfb on $DISPLAY"
fi
exec_dir=build/windows-x64/bin
echo "run: starting $exec_dir/kestro.exe (settings.ini lives beside it)"
wine "$exec_dir/kestro.exe"

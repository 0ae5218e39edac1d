#!/usr/bin/env bash
# Builds kestro.exe and starts it under Wine, in its own prefix
# (~/.wine-kestro). Without a display, a virtual one (Xvfb) is started for it.
# Ctrl-C or a termination signal ends the Wine processes of that prefix and
# the Xvfb this script started.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build-windows.sh x64 kestro

export WINEDEBUG=-all
. scripts/wine-session.sh
trap end_wine_session EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

log=build/windows-x64/run-wine.log
: >"$log"
if [ -z "${DISPLAY:-}" ]; then
  start_private_xvfb 77 89 build/windows-x64/run-xvfb.log
  echo "run: no display; started Xvfb on $DISPLAY"
fi
use_wine_prefix "$HOME/.wine-kestro" "$log" || exit 1

exec_dir=build/windows-x64/bin
echo "run: starting $exec_dir/kestro.exe (settings.ini lives beside it); Ctrl-C ends it"
# In the background, so that a signal reaches the trap at once rather than
# after Wine has ended.
wine "$exec_dir/kestro.exe" &
wait $!

#!/usr/bin/env bash
# Benchmarks kestro.exe (precise waitable-timer ticker) against kestro-plain-timer.exe
# (plain 25 ms SetTimer) under Wine: poll-tick accuracy, press-to-receive latency, CPU
# and memory, measured by kestro_measure.exe with the e2e stand-ins.
#
#   tests/e2e/measure.sh BUILD_DIR
#
# Expects, as the Windows build lays them out:
#   BUILD_DIR/bin/kestro.exe, BUILD_DIR/bin/kestro-plain-timer.exe
#   BUILD_DIR/tests/e2e/standins/dinput8.dll, fake_host.exe
#   BUILD_DIR/tests/e2e/measure/kestro_measure.exe
# Uses its own Xvfb (first free display of :80..:89) and its own Wine prefix
# BUILD_DIR/measure-wine; the per-program folders and logs stay in BUILD_DIR/measure-runs.
# A benchmark, not a test: exits 0 whatever the figures, non-zero only when the
# measurement itself could not be made. Takes about 2.5 minutes.
set -u

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
measure_exe=$build_dir/tests/e2e/measure/kestro_measure.exe
standins=$build_dir/tests/e2e/standins
programs=("$build_dir/bin/kestro.exe" "$build_dir/bin/kestro-plain-timer.exe")
for needed in "$measure_exe" "$standins/dinput8.dll" "$standins/fake_host.exe" "${programs[@]}"; do
  if [ ! -f "$needed" ]; then
    echo "measure.sh: missing $needed (build the windows preset first)" >&2
    exit 2
  fi
done

export WINEPREFIX=$build_dir/measure-wine
export WINEDEBUG=-all
# The dinput8 stand-in beside each program instead of Wine's builtin; no Mono/Gecko
# installers, whose dialogs would wait forever on a headless display.
export WINEDLLOVERRIDES="dinput8=n,b;mscoree,mshtml="
run_dir=$build_dir/measure-runs

xvfb_pid=
# shellcheck disable=SC2317  # called through the trap
cleanup() {
  # Only what this script started: its own prefix's wineserver and its own Xvfb.
  wineserver -k >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb() {
  local n
  for n in 80 81 82 83 84 85 86 87 88 89; do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    # Lost a race for this number (or Xvfb is stuck): try the next one.
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  done
  return 1
}

# Windows path of a Linux path: Wine maps the Linux root to drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

if ! start_xvfb; then
  echo "measure.sh: no free X display in :80..:89" >&2
  exit 1
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating the Wine prefix $WINEPREFIX ..."
  if ! wineboot -i >/dev/null 2>&1; then
    echo "measure.sh: wineboot failed" >&2
    exit 1
  fi
fi
rm -rf "$run_dir"
mkdir -p "$run_dir"

echo "machine: $(nproc) cores, load before:$(uptime | sed 's/.*load average://')"
for program in "${programs[@]}"; do
  echo "size: $(stat -c '%s bytes  %n' "$program")"
done

timeout 600 wine "$measure_exe" \
  --standins "$(windows_path "$standins")" \
  --work "$(windows_path "$run_dir")" \
  "$(windows_path "${programs[0]}")" "$(windows_path "${programs[1]}")"
status=$?

echo "load after:$(uptime | sed 's/.*load average://')"
echo "logs: $run_dir"
if [ $status -ne 0 ]; then
  echo "measure.sh: the measurement did not complete (exit code $status)" >&2
  exit 1
fi
exit 0

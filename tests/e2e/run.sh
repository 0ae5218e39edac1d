#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real kestro.exe under Wine, on a private Xvfb
# display, driven by kestro_e2e.exe. Builds nothing; expects in BUILD_DIR:
#   bin/kestro.exe
#   tests/e2e/kestro_e2e.exe
#   tests/e2e/standins/{dinput8.dll,fake_host.exe,fake_target.exe}
# Leaves the scenario folders in BUILD_DIR/e2e/run and the window picture in
# BUILD_DIR/e2e/kestro-window.png. Exits with the driver's code (0: all passed).
#
# Usage: tests/e2e/run.sh BUILD_DIR [driver options, e.g. --only first_run_without_settings]
#        tests/e2e/run.sh BUILD_DIR --japanese [driver options]   (only the code page 932 pass;
#        without options both passes run)
set -uo pipefail

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR [driver options]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift

kestro="$build/bin/kestro.exe"
driver="$build/tests/e2e/kestro_e2e.exe"
standins="$build/tests/e2e/standins"
for needed in "$kestro" "$driver" "$standins/dinput8.dll" "$standins/fake_host.exe" "$standins/fake_target.exe"; do
  if [ ! -f "$needed" ]; then
    echo "run.sh: missing $needed (build the windows-x64 preset with tests/e2e added)" >&2
    exit 2
  fi
done
for tool in wine wineserver wineboot winepath Xvfb; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed (see scripts/setup.sh)" >&2; exit 2; }
done

out="$build/e2e"
root="$out/run"
mkdir -p "$out"
rm -f "$out/kestro-window.png" "$root/kestro-window.bmp"

export WINEPREFIX="$build/e2e-wine"
export WINEDEBUG=-all
# Under Wine 8 a 64-bit prefix is the default; say so, in case the environment says otherwise.
export WINEARCH=win64
unset WINELOADER WINESERVER

xvfb_pid=""
cleanup() {
  # Only what this script started: its own prefix's wine processes, its own X server.
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display number nobody uses; another server may claim one between the check
# and the start, so a server that dies at once means "try the next number".
display=""
for n in 90 91 92 93 94 95 96 97 98 99; do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
if [ -z "$display" ]; then
  echo "run.sh: no free X display in :90..:99" >&2
  exit 2
fi
export DISPLAY="$display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run.sh: making the Wine prefix $WINEPREFIX (once; this takes a while)"
  # No Mono or Gecko: their installers would ask questions nobody can answer here.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >"$out/wineboot.log" 2>&1
  wineserver -w
fi
# Every window inside one virtual desktop: without a window manager Wine waits
# about 2 s whenever a top-level X window (such as its tray) is hidden, which
# would stall the programs under test.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d KestroE2E /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v KestroE2E /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1

# The controller stand-in must replace the system dinput8.dll in kestro.exe.
export WINEDLLOVERRIDES="dinput8=n,b"
launch=()
run_driver() {
  "${launch[@]}" timeout 300 wine "$driver" "$(winepath -w "$root")" --kestro "$(winepath -w "$kestro")" \
    --standins "$(winepath -w "$standins")" "$@"
  local result=$?
  [ "$result" -eq 124 ] && echo "run.sh: the driver did not finish within 300 s" >&2
  return "$result"
}

# Wine takes the system code page from the Unix locale, so the scenarios that need code
# page 932 run in a pass of their own under ja_JP.UTF-8, generated into the build folder
# once (localedef and the locale sources of Debian's "locales" package).
run_japanese() {
  local locales="$out/locale"
  if [ ! -d "$locales/ja_JP.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" >"$out/localedef.log" 2>&1
  fi
  if [ ! -d "$locales/ja_JP.UTF-8" ]; then
    echo "run.sh: cannot generate the ja_JP.UTF-8 locale (see $out/localedef.log)" >&2
    return 1
  fi
  launch=(env LOCPATH="$locales" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
  run_driver --code-page 932 "$@"
  local result=$?
  launch=()
  return "$result"
}

started=$(date +%s)
if [ $# -eq 0 ]; then
  run_driver; status=$?
  run_japanese; japanese=$?
  [ "$status" -eq 0 ] && status=$japanese
elif [ "$1" = --japanese ]; then
  shift
  run_japanese "$@"; status=$?
else
  run_driver "$@"; status=$?
fi
echo "run.sh: $(($(date +%s) - started)) s"

if [ -f "$root/kestro-window.bmp" ] && command -v convert >/dev/null; then
  convert "$root/kestro-window.bmp" "$out/kestro-window.png" && echo "run.sh: window picture in $out/kestro-window.png"
fi
exit "$status"

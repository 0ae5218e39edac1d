#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real kestro.exe under Wine, on a private Xvfb
# display, driven by kestro_e2e.exe. Builds nothing; expects in BUILD_DIR:
#   bin/kestro.exe
#   tests/e2e/kestro_e2e.exe
#   tests/e2e/standins/{dinput8.dll,xinput1_4.dll,xinput1_3.dll,xinput9_1_0.dll,fake_host.exe,fake_target.exe}
# Leaves the scenario folders in BUILD_DIR/e2e/run and the window picture in
# BUILD_DIR/e2e/kestro-window.png. Exits with the driver's code (0: all passed). The driver
# may take 300 s, or KESTRO_E2E_LIMIT seconds.
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
for needed in "$kestro" "$driver" "$standins/dinput8.dll" "$standins/xinput1_4.dll" "$standins/xinput1_3.dll" \
  "$standins/xinput9_1_0.dll" "$standins/fake_host.exe" "$standins/fake_target.exe"; do
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

export WINEDEBUG=-all
. "$(dirname "$0")/../../scripts/wine-session.sh"
trap end_wine_session EXIT
trap 'exit 130' INT TERM

start_private_xvfb 90 99 "$out/xvfb.log" || exit 2
rm -f "$out/wineboot.log"
use_wine_prefix "$build/e2e-wine" "$out/wineboot.log" || exit 2

# Every window inside one virtual desktop: without a window manager Wine waits
# about 2 s whenever a top-level X window (such as its tray) is hidden, which
# would stall the programs under test.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d KestroE2E /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v KestroE2E /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1

# The controller stand-ins must replace the system dinput8.dll and XInput in kestro.exe:
# dinput8 from beside the program, XInput from the prefix's system folder (system32, or
# syswow64 for a 32-bit build), where the driver puts the stand-ins for every scenario.
# XInput native only: a stand-in taken away is a Windows without that DLL.
export WINEDLLOVERRIDES="dinput8=n,b;xinput1_4,xinput1_3,xinput9_1_0=n"
launch=()
# KESTRO_E2E_LIMIT: seconds the driver may take (scripts/soak.sh runs for minutes).
limit=${KESTRO_E2E_LIMIT:-300}
run_driver() {
  "${launch[@]}" timeout "$limit" wine "$driver" "$(winepath -w "$root")" --kestro "$(winepath -w "$kestro")" \
    --standins "$(winepath -w "$standins")" "$@" 2>&1 | tee -a "$out/driver.log"
  local result=$?
  [ "$result" -eq 124 ] && echo "run.sh: the driver did not finish within $limit s" >&2
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

# The last lines of every log a failed scenario left, so that a CI log alone shows why.
show_failures() {
  local name log
  for name in $(sed -n 's/^FAIL \([A-Za-z0-9_]*\).*/\1/p' "$out/driver.log" | sort -u); do
    echo "run.sh: FAILED $name; its logs end:"
    for log in "$root/$name"/*.txt "$root/$name"/*.ini; do
      [ -f "$log" ] || continue
      echo "--- ${log#"$root"/}"
      tail -n 12 "$log" | cut -c1-200
    done
  done
}

rm -f "$out/driver.log"
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
[ "$status" -eq 0 ] || show_failures

if [ -f "$root/kestro-window.bmp" ] && command -v convert >/dev/null; then
  convert "$root/kestro-window.bmp" "$out/kestro-window.png" && echo "run.sh: window picture in $out/kestro-window.png"
fi
exit "$status"

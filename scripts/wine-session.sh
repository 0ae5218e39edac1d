# A private Wine session for scripts/run.sh and tests/e2e/run.sh: an X server
# of its own when wanted, and a Wine prefix that is known to work. Sourced: it
# sets the Wine environment and defines functions; it starts nothing itself.
#
# Under Wine 8 a 64-bit prefix is the default; say so, in case the environment says otherwise.
export WINEARCH=win64
unset WINELOADER WINESERVER

xvfb_pid=""

# start_private_xvfb FIRST LAST LOG: starts Xvfb on the first free display
# number of FIRST..LAST and exports DISPLAY. Another server may claim a number
# between the check and the start, so a server that dies at once means "try
# the next number".
start_private_xvfb() {
  local n
  for n in $(seq "$1" "$2"); do
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$3" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "no free X display in :$1..:$2" >&2
  return 1
}

# wine_prefix_works LOG: a trivial Wine program runs and says what it was told.
wine_prefix_works() {
  local said
  said=$(timeout 120 wine cmd /c echo kestro-prefix-ok 2>>"$1" | tr -d '\r')
  [ "$said" = kestro-prefix-ok ]
}

# use_wine_prefix PREFIX LOG: exports WINEPREFIX=PREFIX, making the prefix if
# there is none. A fresh prefix sometimes comes out broken (every program
# fails with "could not load kernel32.dll"), so the prefix is checked with a
# trivial program; one that fails is deleted and made again, at most twice.
use_wine_prefix() {
  local prefix=$1 log=$2 remade=0
  export WINEPREFIX="$prefix"
  while :; do
    if [ ! -f "$prefix/system.reg" ]; then
      echo "wine: making the Wine prefix $prefix (once; this takes a while)"
      # No Mono or Gecko: their installers would ask questions nobody can answer here.
      WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >>"$log" 2>&1
      wineserver -w
    fi
    wine_prefix_works "$log" && return 0
    if [ "$remade" -eq 2 ]; then
      echo "wine: the Wine prefix $prefix still does not work after making it again twice; see $log" >&2
      return 1
    fi
    remade=$((remade + 1))
    echo "wine: the Wine prefix $prefix does not work (a trivial Wine program failed; see $log); deleting it and making it again ($remade of 2)"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  done
}

# end_wine_session: ends only what this session started, the Wine processes
# of its own prefix and its own X server.
end_wine_session() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1 || true; }
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

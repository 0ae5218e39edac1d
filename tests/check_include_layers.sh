#!/bin/sh
# Each folder of src/ includes only its own folder and those below it:
# platform <- platform/win32 <- host <- core <- settings <- controller <- shell <- app.
# The OS services (platform/win32) sit beside the portable logic: only they
# and the Windows application (app, which wires everything) include them.
# Prints every include that breaks this and fails if there is one.
src=${1:-$(dirname "$0")/../src}
rank() {
  case $1 in
    platform/win32) echo 1 ;; platform|platform/*) echo 0 ;; host) echo 2 ;; core) echo 3 ;;
    settings) echo 4 ;; controller) echo 5 ;; shell) echo 6 ;; app) echo 7 ;; *) echo -1 ;;
  esac
}
folderOf() {
  case $1 in platform/win32/*) echo platform/win32 ;; platform/portable/*) echo platform/portable ;; *) echo "${1%%/*}" ;; esac
}
status=0
for file in $(cd "$src" && find . \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||'); do
  folder=$(folderOf "$file")
  own=$(rank "$folder")
  for included in $(sed -n 's/^#include "\([^"]*\)"/\1/p' "$src/$file"); do
    theirs=$(rank "$(folderOf "$included")")
    wrong=false
    [ "$theirs" -gt "$own" ] && wrong=true
    case "$included:$folder" in platform/win32/*:platform/win32|platform/win32/*:app) ;; platform/win32/*:*) wrong=true ;; esac
    if $wrong; then
      echo "$file includes $included, which lies above $folder/"
      status=1
    fi
  done
done
exit $status

#!/bin/sh
# Each subsystem folder of src/ includes only its own folder and those below
# it: platform <- host <- core <- settings <- controller <- shell, with the
# Windows back end (platform/win32, which wires everything) on top of all.
# Prints every include that points upwards and fails if there is one.
src=${1:-$(dirname "$0")/../src}
rank() {
  case $1 in
    platform) echo 0 ;; host) echo 1 ;; core) echo 2 ;;
    settings) echo 3 ;; controller) echo 4 ;; shell) echo 5 ;; *) echo -1 ;;
  esac
}
status=0
for folder in platform host core settings controller shell; do
  own=$(rank "$folder")
  for file in $(find "$src/$folder" -path "$src/platform/win32" -prune -o \( -name '*.h' -o -name '*.cpp' \) -print); do
    for included in $(sed -n 's/^#include "\([a-z]*\/*[a-z0-9]*\)\/.*"/\1/p' "$file"); do
      case $included in platform/win32) theirs=6 ;; */*) theirs=$(rank "${included%%/*}") ;; *) theirs=$(rank "$included") ;; esac
      if [ "$theirs" -gt "$own" ]; then
        echo "${file#"$src"/} includes $included/, which lies above $folder/"
        status=1
      fi
    done
  done
done
exit $status

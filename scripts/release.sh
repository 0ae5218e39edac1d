#!/usr/bin/env bash
# Builds the Windows release of the current commit, x64 and x86:
#   DIST_DIR/kestro-<version>-win64.zip, DIST_DIR/kestro-<version>-win32.zip
#   and DIST_DIR/SHA256SUMS.
# The commit is exported into WORK_DIR and built there, so uncommitted changes
# are left out, and the same commit gives the same bytes in any folder, on any day.
#
# Usage: scripts/release.sh [WORK_DIR [DIST_DIR]]   (default: build/release and dist)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

work=${1:-build/release}
dist=${2:-dist}
commit=$(git rev-parse --short HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: building commit $commit; your uncommitted changes are not in it"
fi
# Every time stamp in the release is the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

rm -rf "$work"
mkdir -p "$work/src" "$dist"
git archive HEAD | tar -x -C "$work/src"
rm -f "$dist"/kestro-*-win64.zip "$dist"/kestro-*-win32.zip "$dist/SHA256SUMS"

zips=()
for arch in x64 x86; do
  (
    cd "$work/src"
    cmake --preset "windows-$arch" -DKESTRO_BUILD_E2E=OFF -DKESTRO_BUILD_TESTS=OFF >/dev/null
    cmake --build --preset "windows-$arch" --target kestro >/dev/null
    cd "build/windows-$arch"
    cpack >/dev/null
  )
  zip=$(ls "$work/src/build/windows-$arch"/kestro-*-win*.zip)
  cp "$zip" "$dist/"
  zips+=("$(basename "$zip")")
done
(cd "$dist" && sha256sum "${zips[@]}" >SHA256SUMS)
echo "release: commit $commit in $dist:"
sed 's/^/  /' "$dist/SHA256SUMS"

#!/usr/bin/env bash
# Installs what building, running and testing Kestro need on Debian, and
# nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev libbenchmark-dev valgrind
  clang libclang-rt-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine64 xvfb x11-utils imagemagick python3 git locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

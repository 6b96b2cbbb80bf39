#!/usr/bin/env bash
# Cross-builds Qt's base module (Core, Gui, Widgets, PrintSupport, Test) for Windows as DLLs,
# from Debian's qt6-base source, and installs it into PREFIX.
# Usage: scripts/windows/qt.sh SOURCE PREFIX
set -euo pipefail
source_qt="$1"
prefix="$2"
ici="$(cd "$(dirname "$0")" && pwd)"
travail="$prefix.construction"
rm -rf "$travail"
mkdir -p "$travail"
export PLUMELUNE_WINDOWS_PREFIX="$prefix"
# Every bundled library Qt needs is in the source; each choice is pinned, so that a MinGW
# library installed on the machine (zlib, say) is never picked up quietly and then missing
# from the Windows computer.
cmake -S "$source_qt" -B "$travail" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ici/mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
  $(cat "$ici/qt-options.txt") >"$prefix.configure.log" 2>&1 ||
  { tail -40 "$prefix.configure.log" >&2; exit 1; }
cmake --build "$travail" --parallel "$(nproc)" >"$prefix.build.log" 2>&1 ||
  { grep -m20 -B2 -A8 'error' "$prefix.build.log" >&2; exit 1; }
cmake --install "$travail" >/dev/null
rm -rf "$travail"

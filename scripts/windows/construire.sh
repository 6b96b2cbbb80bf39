#!/usr/bin/env bash
# ./faire windows: Plumelune for 64-bit Windows, cross-built on this Debian machine.
#   build-windows/Plumelune/                       the program folder, laid out as on Linux
#   build-windows/Plumelune-<version>-portable.zip that folder, for a share or a USB key
#   build-windows/Plumelune-<version>-setup.exe    the installer (NSIS)
# What the program links is cross-built from Debian's source packages into a cache outside the
# tree, keyed on the source versions, the compiler and the options: the first run takes the
# better part of an hour (Qt), the next ones minutes.
# `construire.sh --tests` builds the tests too (./faire test-windows).
set -euo pipefail
racine="$(cd "$(dirname "$0")/../.." && pwd)"
ici="$racine/scripts/windows"
cache="${PLUMELUNE_CACHE_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/plumelune/windows}"
sortie="$racine/build-windows"
tests=OFF
[ "${1:-}" = "--tests" ] && tests=ON

"$racine/scripts/install-deps.sh" --windows
"$ici/sources.sh" "$cache/sources" qt6-base libjpeg-turbo libsndfile libzip soundtouch

# Debian's version, its epoch's colon made a dash: a cache folder's name.
version_source() { (cd "$cache/sources/$1" && dpkg-parsechangelog -S Version) | tr ':' '-'; }
gcc_version="$(x86_64-w64-mingw32-g++-posix -dumpversion)"
empreinte() { cat "$@" | sha256sum | cut -c1-8; }

qt="$cache/qt-$(version_source qt6-base)-gcc$gcc_version-$(empreinte "$ici/qt-options.txt" "$ici/qt.sh" "$ici/mingw.cmake")"
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "Qt pour Windows : construction (30 à 45 minutes sur deux cœurs)..."
  "$ici/qt.sh" "$cache/sources/qt6-base" "$qt"
fi
libs="$cache/libs-jpeg$(version_source libjpeg-turbo)-sndfile$(version_source libsndfile)-zip$(version_source libzip)-st$(version_source soundtouch)-gcc$gcc_version-$(empreinte "$ici/bibliotheques.sh" "$ici/mingw.cmake")"
if [ ! -f "$libs/lib/pkgconfig/soundtouch.pc" ]; then
  echo "libjpeg-turbo, libsndfile, libzip et SoundTouch pour Windows : construction..."
  "$ici/bibliotheques.sh" "$cache/sources" "$libs"
fi

export PLUMELUNE_WINDOWS_PREFIX="$qt;$libs"
mkdir -p "$sortie"
# Where the libraries are, for the tests under Wine.
printf 'qt=%q\nlibs=%q\n' "$qt" "$libs" >"$sortie/chemins.env"
# The program's icon, for the exe itself and the installer.
convert "$racine"/art/icone_{16,32,48,256}.png "$sortie/icone.ico"
cmake -S "$racine" -B "$sortie/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ici/mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DPLUMELUNE_WERROR=ON \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DPLUMELUNE_ICONE_WINDOWS="$sortie/icone.ico" \
  -DPLUMELUNE_TESTS="$tests" >/dev/null
cmake --build "$sortie/build"

version="$(sed -n 's/^project(Plumelune VERSION \([0-9.]*\).*/\1/p' "$racine/CMakeLists.txt")"
"$ici/disposer.sh" "$sortie/build" "$qt" "$libs" "$sortie/Plumelune"
rm -f "$sortie/Plumelune-$version-portable.zip"
(cd "$sortie" && zip -qr "Plumelune-$version-portable.zip" Plumelune)
for g in "$sortie/Plumelune/_Bilans"/*/; do
  printf '  CreateDirectory "$DOCUMENTS\\Plumelune\\_Bilans\\%s"\n' "$(basename "$g")"
done >"$sortie/groupes.nsh"
makensis -V2 -DVERSION="$version" -DSOURCE="$sortie/Plumelune" -DICONE="$sortie/icone.ico" \
  -DGROUPES="$sortie/groupes.nsh" \
  -DSORTIE="$sortie/Plumelune-$version-setup.exe" "$racine/packaging/windows/plumelune.nsi"
echo "Windows : $sortie/Plumelune-$version-setup.exe et $sortie/Plumelune-$version-portable.zip"

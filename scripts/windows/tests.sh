#!/usr/bin/env bash
# ./faire test-windows: the suite cross-built for Windows and run by CTest through Wine (GUI
# tests on Qt's offscreen platform), then the installer's end-to-end check under Wine.
set -euo pipefail
racine="$(cd "$(dirname "$0")/../.." && pwd)"
sortie="$racine/build-windows"
"$racine/scripts/windows/construire.sh" --tests
# shellcheck disable=SC1091
. "$sortie/chemins.env"
mingw_gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"

# A Wine prefix of the suite's own, without the .NET and browser installers' questions.
export WINEPREFIX="$sortie/wine"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
chemins=()
for d in "$qt/bin" "$libs/bin" "$mingw_gcc" /usr/x86_64-w64-mingw32/lib; do
  chemins+=("$(winepath -w "$d" 2>/dev/null)")
done
WINEPATH="$(IFS=';'; echo "${chemins[*]}")"
export WINEPATH
# Wine hands a Windows program none of Linux's QT_ variables (they would steer the wrong Qt):
# the suite's go into the prefix's own user environment. The offscreen platform, with the
# letters the program ships (Wine has no Windows fonts for it to find); and, as the program does for
# itself (ui/platform/AvantQt), no regex JIT, so that the tests' threads end too.
variable() { wine reg add 'HKCU\Environment' /v "$1" /d "$2" /f >/dev/null 2>&1; }
variable QT_QPA_PLATFORM offscreen
# Only the program's everyday letters: Qt's offscreen platform takes the first family it finds
# as the default, which the reading letters (Andika) would otherwise be.
rm -rf "$sortie/polices-tests"
mkdir -p "$sortie/polices-tests"
cp "$sortie/Plumelune/polices"/DejaVu* "$sortie/polices-tests/"
variable QT_QPA_FONTDIR "$(winepath -w "$sortie/polices-tests" 2>/dev/null)"
variable QT_ENABLE_REGEXP_JIT 0
wineserver -w
xvfb-run -a ctest --test-dir "$sortie/build" --output-on-failure --timeout 300 "$@"
"$racine/scripts/windows/e2e-wine.sh"

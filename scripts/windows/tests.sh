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
export QT_QPA_PLATFORM=offscreen
# As the program does for itself (ui/platform/AvantQt): the tests' threads end too.
export QT_ENABLE_REGEXP_JIT=0
xvfb-run -a ctest --test-dir "$sortie/build" --output-on-failure --timeout 300 "$@"
"$racine/scripts/windows/e2e-wine.sh"

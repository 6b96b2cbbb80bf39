#!/usr/bin/env bash
# Lays out the Windows program folder as the Linux one is (the program, its modules, the demo
# folder's contents), with the DLLs it needs beside it: Qt's and its plugins, libsndfile, and
# whatever those import that Windows itself does not have. Every DLL and executable shipped is
# checked against the DLLs a Windows 10 has: Wine has builtin copies of many that a real
# Windows lacks (zlib1.dll, say), so a run under Wine proves nothing about them.
# Usage: scripts/windows/disposer.sh BUILD QT LIBS DEST
set -euo pipefail
build="$1"
qt="$2"
libs="$3"
dest="$4"
racine="$(cd "$(dirname "$0")/../.." && pwd)"
mingw_gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"

# Made afresh: what an earlier layout shipped must not linger in the zip or the installer.
rm -rf "$dest"
mkdir -p "$dest"
cp -r "$racine/demo/." "$dest/"
find "$dest" -name .gitkeep -delete
cp -f "$build/src/plumelune.exe" "$build"/src/plumelune_*.dll "$dest/"
for d in Core Gui Widgets PrintSupport; do cp -f "$qt/bin/Qt6$d.dll" "$dest/"; done
# Windows' printers come with Qt6PrintSupport.dll itself.
mkdir -p "$dest/platforms" "$dest/styles" "$dest/imageformats" "$dest/translations"
cp -f "$qt/plugins/platforms/qwindows.dll" "$dest/platforms/"
cp -f "$qt/plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
cp -f "$qt/plugins/imageformats/qjpeg.dll" "$qt/plugins/imageformats/qico.dll" \
  "$dest/imageformats/"
# The letters the windows are drawn for (Debian's fonts-dejavu-core), which Windows lacks.
mkdir -p "$dest/polices"
cp -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf "$dest/polices/"
# The reading letters (POLICE = ECOLE, DYS), registered only when the setting asks for them.
cp -f /usr/share/fonts/truetype/andika/Andika-Regular.ttf \
  /usr/share/fonts/truetype/andika/Andika-Bold.ttf \
  /usr/share/fonts/opentype/opendyslexic/OpenDyslexic-Regular.otf \
  /usr/share/fonts/opentype/opendyslexic/OpenDyslexic-Bold.otf "$dest/polices/"
# Qt's standard buttons in French, from Debian's translations (the same file as on Linux).
cp -f /usr/share/qt6/translations/qtbase_fr.qm "$dest/translations/"
# Qt looks for its plugins and translations from here, not from where it was built.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$dest/qt.conf"

# What a Windows 10 x64 has in System32 (lower case), and the API sets it resolves itself.
systeme=" advapi32.dll authz.dll bcrypt.dll comctl32.dll comdlg32.dll crypt32.dll d2d1.dll
 d3d11.dll d3d12.dll d3d9.dll dwmapi.dll dwrite.dll dxgi.dll gdi32.dll imm32.dll iphlpapi.dll
 kernel32.dll mpr.dll msvcrt.dll ncrypt.dll netapi32.dll ntdll.dll ole32.dll oleaut32.dll
 rpcrt4.dll secur32.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll userenv.dll
 uxtheme.dll version.dll winmm.dll winspool.drv ws2_32.dll wtsapi32.dll "
systeme=" $(echo $systeme) "
importees() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'; }
trouver() { # a DLL's name: where the build has it
  local n
  for d in "$qt/bin" "$libs/bin" "$mingw_gcc" /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin; do
    n="$(find "$d" -maxdepth 1 -iname "$1" 2>/dev/null | head -1)"
    [ -n "$n" ] && { echo "$n"; return 0; }
  done
  return 1
}
manque=0
for passe in 1 2 3; do
  while IFS= read -r f; do
    for dll in $(importees "$f"); do
      case "$systeme" in *" $dll "*) continue ;; esac
      case "$dll" in api-ms-win-*) continue ;; esac
      [ -n "$(find "$dest" -maxdepth 1 -iname "$dll" | head -1)" ] && continue
      if src="$(trouver "$dll")"; then
        cp -f "$src" "$dest/"
      elif [ "$passe" = 3 ]; then
        echo "DLL introuvable pour Windows : $dll (importée par ${f#$dest/})" >&2
        manque=1
      fi
    done
  done < <(find "$dest" -iname '*.dll' -o -iname '*.exe')
done
# Shipped without their symbols: a third of the size.
find "$dest" \( -iname '*.dll' -o -iname '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
exit "$manque"

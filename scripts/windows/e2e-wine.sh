#!/usr/bin/env bash
# The installer's end-to-end check under Wine, on Xvfb: the setup installed silently into a
# fresh Wine prefix (its files checked where a teacher would look: Program Files, the public
# documents), one exercise played with the keyboard only in the installed program, the same
# keys played in the Linux build, their record files compared, then the silent uninstall,
# which must leave the records. Screenshots of the start form and the exercise under Wine go
# to build-windows/captures/.
set -euo pipefail
racine="$(cd "$(dirname "$0")/../.." && pwd)"
sortie="$racine/build-windows"

if [ "${1:-}" != "--dedans" ]; then
  exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" --dedans
fi

version="$(sed -n 's/^project(Plumelune VERSION \([0-9.]*\).*/\1/p' "$racine/CMakeLists.txt")"
setup="$sortie/Plumelune-$version-setup.exe"
travail="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$travail"' EXIT
export WINEPREFIX="$travail/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echec() { echo "e2e Windows : $*" >&2; exit 1; }

wineboot -i >/dev/null 2>&1
wine "$setup" /S
wineserver -w
programme="$WINEPREFIX/drive_c/Program Files/Plumelune"
donnees="$WINEPREFIX/drive_c/users/Public/Documents/Plumelune"
for f in plumelune.exe plumelune.installe Qt6Core.dll platforms/qwindows.dll plumelune_son.dll \
  desinstaller.exe; do
  [ -f "$programme/$f" ] || echec "l'installation n'a pas mis $f dans Program Files"
done
for f in plumelune.ini _Medias/Les\ animaux/chat.wav _Bilans/CM1; do
  [ -e "$donnees/$f" ] || echec "l'installation n'a pas mis $f dans les documents publics"
done
[ ! -e "$programme/_Bilans" ] || echec "des bilans dans Program Files"

# The same one-item exercise and the same pupil on both systems.
preparer() {
  mkdir -p "$1/_Medias/0 Essai"
  cp "$racine/demo/_Medias/Les animaux/chat.wav" "$1/_Medias/0 Essai/"
  : >"$1/_Bilans/CM1/Leon.txt"
}
preparer "$donnees"
mkdir -p "$sortie/captures"
python3 "$racine/tests/e2e/e2e_clavier.py" --dossier "$donnees" --captures "$sortie/captures" \
  --capture "$sortie/captures/echec-windows.png" -- wine "C:\\Program Files\\Plumelune\\plumelune.exe"
wineserver -w

make -C "$racine" programme >/dev/null
linux="$travail/linux"
"$racine/scripts/lay-out-program.sh" "$racine/build/src/plumelune" "$linux" >/dev/null
preparer "$linux"
(cd "$linux" && python3 "$racine/tests/e2e/e2e_clavier.py" --dossier "$linux" \
  --capture "$sortie/captures/echec-linux.png" -- ./plumelune)

# Byte for byte, but for the clock's digits (the time of day, the seconds each run took).
horloge() { sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}/hh:mm:ss/g; s/[0-9]+ s\b/N s/g' "$1"; }
for f in Leon.txt Leon_Detail.txt Leon_Exos.txt Leon_Pwd.txt; do
  [ -f "$donnees/_Bilans/CM1/$f" ] || echec "Windows n'a pas écrit $f"
  cmp -s <(horloge "$donnees/_Bilans/CM1/$f") <(horloge "$linux/_Bilans/CM1/$f") ||
    echec "$f diffère entre Windows et Linux"
done
echo "e2e Windows : les quatre fichiers de Leon sont ceux de Linux, octet pour octet (horloge mise à part)"

wine "C:\\Program Files\\Plumelune\\desinstaller.exe" /S
wineserver -w
sleep 2
wineserver -w
[ ! -e "$programme/plumelune.exe" ] || echec "la désinstallation a laissé le programme"
[ -f "$donnees/_Bilans/CM1/Leon_Detail.txt" ] || echec "la désinstallation a emporté les bilans"
echo "e2e Windows : désinstallé, les bilans restent"

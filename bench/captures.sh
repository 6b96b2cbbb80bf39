#!/usr/bin/env bash
# Screenshots of every screen at several screen sizes, under Xvfb, with a class of pupils whose
# records span the autumn term: bench/captures.sh [folder] [WxH ...]
# Defaults: /tmp/plumelune-captures, 1024x768 1366x768 1920x1080 3840x2160.
# CAPTURES_INI: lines added to the ini, one per line (e.g. "POLICE = DYS"), to look at a setting.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
sortie="${1:-/tmp/plumelune-captures}"
shift || true
tailles=("$@")
[ ${#tailles[@]} -gt 0 ] || tailles=(1024x768 1366x768 1920x1080 3840x2160)
exe="$racine/build/src/plumelune_vitrine"
[ -x "$exe" ] || { echo "construire d'abord : cmake --build build --target plumelune_vitrine" >&2; exit 1; }

for taille in "${tailles[@]}"; do
  dossier="$(mktemp -d)"
  "$racine/scripts/lay-out-program.sh" "$exe" "$dossier" >/dev/null
  mv "$dossier/plumelune" "$dossier/plumelune_vitrine"
  python3 "$racine/bench/classe_exemple.py" "$dossier/_Bilans/CM1"
  [ -z "${CAPTURES_INI:-}" ] || printf '%s\r\n' "$CAPTURES_INI" >>"$dossier/plumelune.ini"
  mkdir -p "$sortie/$taille"
  (cd "$dossier" && xvfb-run -a -s "-screen 0 ${taille}x24" ./plumelune_vitrine "$sortie/$taille")
  rm -rf "$dossier"
done
echo "captures : $sortie"

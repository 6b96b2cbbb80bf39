#!/usr/bin/env bash
# Fails when a C++ source (src/, tests/, bench/: *.cpp, *.h) is not laid out as clang-format-19
# lays it out with the project's .clang-format, and names each such file.
#   scripts/check-format.sh [folder, default: the project's root]
# The sources are listed with find, not git: a copy of the project may come without git.
# CLANG_FORMAT names another clang-format; the default is the one version that both Debian 12 and
# Debian 13 ship, since each major version lays out some constructs differently.
set -euo pipefail
racine="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
outil="${CLANG_FORMAT:-clang-format-19}"

if ! command -v "$outil" > /dev/null; then
  echo "Contrôle de la mise en forme : $outil est introuvable (scripts/install-deps.sh l'installe)." >&2
  exit 1
fi

cd "$racine"
dossiers=()
for d in src tests bench; do
  [ -d "$d" ] && dossiers+=("$d")
done
fichiers=()
if [ ${#dossiers[@]} -gt 0 ]; then
  mapfile -d '' -t fichiers < <(find "${dossiers[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) \
    -print0 | sort -z)
fi
if [ ${#fichiers[@]} -eq 0 ]; then
  echo "Contrôle de la mise en forme : aucune source C++ dans $racine." >&2
  exit 1
fi

# One file at a time, so that a file is named whatever clang-format says about it.
fautifs=()
for f in "${fichiers[@]}"; do
  if ! sortie=$("$outil" --dry-run --Werror "$f" 2>&1); then
    fautifs+=("$f")
    if ! grep -q 'clang-format-violations' <<< "$sortie"; then
      # Not a layout difference (an unreadable file, a broken .clang-format): show it whole.
      echo "$sortie" >&2
    fi
  fi
done

if [ ${#fautifs[@]} -gt 0 ]; then
  echo "Mise en forme à corriger (${#fautifs[@]} fichier(s) sur ${#fichiers[@]}) :" >&2
  printf '  %s\n' "${fautifs[@]}" >&2
  echo "Corrigez avec : $outil -i ${fautifs[*]}" >&2
  exit 1
fi
echo "Mise en forme : ${#fichiers[@]} sources conformes ($("$outil" --version | grep -o 'version [0-9.]*'))."

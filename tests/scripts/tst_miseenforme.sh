#!/usr/bin/env bash
# The layout check (scripts/check-format.sh) on small trees made here: it must pass a tree laid
# out right, and fail on a misplaced brace in src/, tests/ or bench/, in a .cpp or a .h, naming
# that file and no other; files it must not look at (other folders, other extensions) are left
# alone, and a missing clang-format is an error, not a pass.
set -uo pipefail
controle="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-format.sh"
projet="$(cd "$(dirname "$0")/../.." && pwd)"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

reussis=0
echecs=0
verifier() { # description, condition (0 = holds)
  if [ "$2" -eq 0 ]; then
    reussis=$((reussis + 1))
  else
    echecs=$((echecs + 1))
    echo "ÉCHEC : $1" >&2
    [ -f "$travail/sortie" ] && sed 's/^/    /' "$travail/sortie" >&2
  fi
}

BON=$'int main() {\n    return 0;\n}\n'
MAUVAIS=$'int main(){return 0;}\n'

arbre() { # a fresh tree with the project's .clang-format and well laid-out sources
  rm -rf "$travail/arbre"
  mkdir -p "$travail/arbre/src/core" "$travail/arbre/tests/unit" "$travail/arbre/bench"
  cp "$projet/.clang-format" "$travail/arbre/"
  printf '%s' "$BON" > "$travail/arbre/src/core/Un.cpp"
  printf '%s' "$BON" > "$travail/arbre/src/core/Un.h"
  printf '%s' "$BON" > "$travail/arbre/tests/unit/tst_un.cpp"
  printf '%s' "$BON" > "$travail/arbre/bench/bench_un.cpp"
}

controler() { # runs the check on the tree; its exit code in $code, its output in sortie
  "$controle" "$travail/arbre" > "$travail/sortie" 2>&1
  code=$?
}

arbre
controler
verifier "un arbre bien mis en forme passe" $code

for f in src/core/Un.cpp src/core/Un.h tests/unit/tst_un.cpp bench/bench_un.cpp; do
  arbre
  printf '%s' "$MAUVAIS" > "$travail/arbre/$f"
  controler
  [ $code -ne 0 ]
  verifier "$f mal mis en forme fait échouer le contrôle" $?
  grep -q "^  $f\$" "$travail/sortie"
  verifier "$f est nommé" $?
  [ "$(grep -c '^  [a-z]' "$travail/sortie")" -eq 1 ]
  verifier "seul $f est nommé" $?
done

arbre
printf '%s' "$MAUVAIS" > "$travail/arbre/src/core/Deux.cpp"
printf '%s' "$MAUVAIS" > "$travail/arbre/tests/unit/tst_deux.cpp"
controler
grep -q '2 fichier(s) sur 6' "$travail/sortie" && grep -q '^  src/core/Deux.cpp$' "$travail/sortie" &&
  grep -q '^  tests/unit/tst_deux.cpp$' "$travail/sortie"
verifier "deux fichiers fautifs sont comptés et nommés tous les deux" $?

arbre
mkdir -p "$travail/arbre/build/src" "$travail/arbre/demo"
printf '%s' "$MAUVAIS" > "$travail/arbre/build/src/moc_Un.cpp"
printf '%s' "$MAUVAIS" > "$travail/arbre/demo/exemple.cpp"
printf '%s' "$MAUVAIS" > "$travail/arbre/src/core/notes.txt"
controler
verifier "les autres dossiers et extensions ne sont pas contrôlés" $code

arbre
CLANG_FORMAT=clang-format-introuvable "$controle" "$travail/arbre" > "$travail/sortie" 2>&1
code=$?
[ $code -ne 0 ] && grep -q 'introuvable' "$travail/sortie"
verifier "sans clang-format le contrôle échoue et le dit" $?

rm -rf "$travail/arbre" && mkdir -p "$travail/arbre/src"
controler
[ $code -ne 0 ]
verifier "un arbre sans source n'est pas déclaré conforme" $?

echo "$reussis passed, $echecs failed"
[ $echecs -eq 0 ]

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a given time.
#   scripts/fuzz.sh [seconds per target, default 30] [target...]
# Prints, per target, how many inputs ran and whether anything was found. A finding leaves
# its crashing input in build-fuzz/trouvailles/<target>/ and makes the script fail.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
secondes="${1:-30}"
shift || true
cibles=("$@")
[ ${#cibles[@]} -gt 0 ] || cibles=(configuration historique decodage texte jpeg wav archive progres erreurs)

"$racine/scripts/install-deps.sh" --fuzz
build="$racine/build-fuzz"
CC=clang CXX=clang++ cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLUMELUNE_FUZZ=ON > /dev/null
for c in "${cibles[@]}"; do
  cmake --build "$build" --target "fuzz_$c" > /dev/null
done

echec=0
for c in "${cibles[@]}"; do
  corpus="$build/corpus/$c"
  trouvailles="$build/trouvailles/$c"
  mkdir -p "$corpus" "$trouvailles"
  cp -n "$racine/tests/fuzz/graines/$c/"* "$corpus/" 2>/dev/null || true
  journal="$build/fuzz_$c.log"
  if (cd "$build" && ASAN_OPTIONS=detect_leaks=1 "./tests/fuzz/fuzz_$c" "$corpus" \
        -max_total_time="$secondes" -print_final_stats=1 -artifact_prefix="$trouvailles/" \
        -max_len=65536 > "$journal" 2>&1); then
    resultat="aucune trouvaille"
  else
    resultat="TROUVAILLE (voir $trouvailles et $journal)"
    echec=1
  fi
  essais=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$journal" | grep -Eo '[0-9]+$' || echo "?")
  printf 'fuzz_%-14s %12s entrées en %ss : %s\n' "$c" "$essais" "$secondes" "$resultat"
done
exit $echec

#!/usr/bin/env bash
# Lays out a program folder: the executable and its sound and printing modules beside the
# contents of demo/. Files already in the folder are kept (the teacher's ini, the pupils'
# records), only the executable and the modules are replaced.
set -euo pipefail
exe="$1"
dest="$2"
racine="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$dest"
cp -rn "$racine/demo/." "$dest/"
find "$dest" -name .gitkeep -delete
cp -f "$exe" "$dest/plumelune"
for module in "$(dirname "$exe")"/libplumelune_*.so; do
  cp -f "$module" "$dest/"
done

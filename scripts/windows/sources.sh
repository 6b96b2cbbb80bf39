#!/usr/bin/env bash
# Fetches Debian's source packages the Windows build cross-compiles, into $1 (one folder per
# package, unpacked with Debian's patches applied). A source entry is added for the fetch, made
# from the machine's own archive entries, and removed afterwards.
# Usage: scripts/windows/sources.sh DEST PACKAGE...
set -euo pipefail
dest="$1"
shift
mkdir -p "$dest"

manquants=()
for p in "$@"; do
  [ -f "$dest/$p/.extrait" ] || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
liste=/etc/apt/sources.list.d/plumelune-sources.sources
nettoyer() {
  $sudo rm -f "$liste"
  $sudo apt-get update -q >/dev/null 2>&1 || true
}
trap nettoyer EXIT

# The machine's own archive, as deb-src: the sources match the packages it installs.
if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
  sed -n '/^Types:/s/.*/Types: deb-src/;p' /etc/apt/sources.list.d/*.sources |
    grep -v '^#' | $sudo tee "$liste" >/dev/null
else
  grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
    $sudo tee "${liste%.sources}.list" >/dev/null
  liste="${liste%.sources}.list"
fi
$sudo apt-get update -q >/dev/null

for p in "${manquants[@]}"; do
  travail="$(mktemp -d "$dest/.${p}.XXXXXX")"
  (cd "$travail" && apt-get source -q "$p" >/dev/null)
  extrait="$(find "$travail" -mindepth 1 -maxdepth 1 -type d | head -1)"
  rm -rf "${dest:?}/$p"
  mv "$extrait" "$dest/$p"
  rm -rf "$travail"
  touch "$dest/$p/.extrait"
  echo "source : $p ($(cd "$dest/$p" && dpkg-parsechangelog -S Version))"
done

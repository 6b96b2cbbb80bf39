#!/usr/bin/env bash
# Starts Plumelune from its program folder, as a teacher would from the desktop.
set -euo pipefail
dossier="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Aucun écran graphique (DISPLAY est vide) : lancez Plumelune depuis une session de bureau," >&2
  echo "ou sans écran avec : xvfb-run -a ./faire run" >&2
  exit 1
fi
cd "$dossier"
exec ./plumelune

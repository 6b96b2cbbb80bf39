#!/usr/bin/env bash
# Installs the Debian 12 packages Plumelune needs to build, run and test.
# Only what is missing is installed, so a second run costs a few dpkg queries.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n
  libsndfile1-dev libjpeg62-turbo-dev libfontconfig-dev
  fonts-dejavu-core
  xvfb xauth x11-utils
  dbus dbus-daemon at-spi2-core python3-pyatspi x11-xserver-utils xdotool libx11-6
  poppler-utils
)

# `install-deps.sh --fuzz` adds clang and its runtime for the fuzzing targets.
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi

# `install-deps.sh --paquet` adds the tools that build and validate the Debian package.
if [ "${1:-}" = "--paquet" ]; then
  PACKAGES+=(dpkg-dev desktop-file-utils appstream)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installation des paquets manquants : ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

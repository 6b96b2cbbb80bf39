#!/usr/bin/env bash
# Installs the Debian packages Plumelune needs to build, run and test, on Debian 12 (bookworm)
# and Debian 13 (trixie): every name below exists in both. Only what is missing is installed,
# so a second run costs a few dpkg queries.
set -euo pipefail

PACKAGES=(
  make build-essential cmake ninja-build pkg-config
  # The layout check of `make test`: one version on both releases, since each major version
  # lays out some constructs differently.
  clang-format-19
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-multimedia-dev qt6-translations-l10n
  libsndfile1-dev libjpeg62-turbo-dev libfontconfig-dev
  # "J'écoute lentement": the item stretched with its pitch kept, in the sound module.
  libsoundtouch-dev
  # The studio: zip archives, the synthesised voice (the end-to-end test speaks with it), and a
  # sound server whose null sink lets the recorder's test capture real samples.
  libzip-dev espeak-ng pulseaudio
  fonts-dejavu-core
  # The reading letters of POLICE = ECOLE (Andika) and POLICE = DYS (OpenDyslexic).
  fonts-sil-andika fonts-opendyslexic
  xvfb xauth x11-utils
  dbus dbus-daemon at-spi2-core python3-pyatspi x11-xserver-utils xdotool libx11-6
  # The end-to-end test closes windows as a window manager does (WM_DELETE_WINDOW).
  python3-xlib
  poppler-utils
)

# `install-deps.sh --fuzz` adds clang and its runtime for the fuzzing targets (the release's
# default clang, 14 on bookworm and 19 on trixie, with its matching runtime).
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-dev)
fi

# `install-deps.sh --paquet` adds the tools that build and validate the Debian package (CPack
# reads the libraries' dependencies with `file`, absent from a minimal system).
if [ "${1:-}" = "--paquet" ]; then
  PACKAGES+=(dpkg-dev file desktop-file-utils appstream)
fi

# `install-deps.sh --windows` adds the Windows build's tools: Debian's MinGW-w64 (posix
# threads), its zlib, Wine to run the tests and the installer, NSIS to make the installer, and
# what fetching Debian's sources and zipping the portable folder need.
if [ "${1:-}" = "--windows" ]; then
  PACKAGES+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    libz-mingw-w64-dev wine wine64 nsis dpkg-dev zip imagemagick)
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

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "Paquets manquants : ${missing[*]}" >&2
    echo "Pour les installer, lancez cette commande en tant que root (sudo n'est pas installé)." >&2
    exit 1
  fi
  SUDO=(sudo)
fi

echo "Installation des paquets manquants : ${missing[*]}"
# Through env, since sudo drops the caller's environment: no question may stop the install.
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"

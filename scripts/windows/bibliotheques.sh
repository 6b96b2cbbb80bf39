#!/usr/bin/env bash
# Cross-builds the libraries the program links besides Qt, from Debian's source packages, into
# PREFIX: libjpeg-turbo and libzip as static libraries (their licences allow it; libzip takes
# MinGW's static zlib), libsndfile (WAV and the other built-in formats only) and SoundTouch (the
# slow listening) as DLLs: LGPL, shipped so that they can be replaced.
# Usage: scripts/windows/bibliotheques.sh SOURCES PREFIX
set -euo pipefail
sources="$1"
prefix="$2"
ici="$(cd "$(dirname "$0")" && pwd)"
export PLUMELUNE_WINDOWS_PREFIX="$prefix"
# pkg-config must see the Windows libraries only, or libsndfile's configure finds the host's
# ogg, vorbis and flac.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
travail="$(mktemp -d)"
trap 'rm -rf "$travail"' EXIT
journal="$prefix.log"
: >"$journal"

construire() { # name source-folder cmake-options...
  local nom="$1" src="$2"
  shift 2
  cmake -S "$src" -B "$travail/$nom" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ici/mingw.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >>"$journal" 2>&1 &&
    cmake --build "$travail/$nom" >>"$journal" 2>&1 &&
    cmake --install "$travail/$nom" >>"$journal" 2>&1 ||
    { echo "échec de la construction de $nom pour Windows ($journal)" >&2; tail -30 "$journal" >&2; exit 1; }
}

construire jpeg "$sources/libjpeg-turbo" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON
construire zip "$sources/libzip" \
  -DBUILD_SHARED_LIBS=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
  -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
  -DENABLE_COMMONCRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF \
  -DBUILD_DOC=OFF -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
  -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
construire sndfile "$sources/libsndfile" \
  -DBUILD_SHARED_LIBS=ON -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
  -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF \
  -DBUILD_REGTEST=OFF -DENABLE_PACKAGE_CONFIG=ON -DINSTALL_PKGCONFIG_MODULE=ON
construire soundtouch "$sources/soundtouch" \
  -DBUILD_SHARED_LIBS=ON -DSOUNDSTRETCH=OFF -DSOUNDTOUCH_DLL=OFF -DOPENMP=OFF

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt 6 qtbase for 64-bit Windows (MinGW-w64) from Debian's own sources, the
# version of the host tools Debian installs (qt6-base-dev: moc, rcc, uic), into the user's cache:
#   ${XDG_CACHE_HOME:-~/.cache}/velquor/qt-<version>-mingw-static
# Only Core, Gui, Widgets and the windows platform plugin, with Qt's bundled copies of zlib,
# PCRE2, libpng, FreeType and HarfBuzz; no OpenGL, D-Bus, ICU, SQL, network, tests or examples.
# Once built, a later run finds it (the stamp names the version and the digest of the options
# and the toolchain) and
# returns at once. Prints the install folder on its last line.
#
# The install is not relocatable: its qt.toolchain.cmake names the toolchain file (copied into
# the cache beside it) and the host Qt in /usr by their absolute paths.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets_manquants cmake ninja-build g++-mingw-w64-x86-64 qt6-base-dev dpkg-dev

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)  # e.g. 6.4.2+dfsg-10
version_qt=${version%%+*}
cache="${XDG_CACHE_HOME:-$HOME/.cache}/velquor"
installation="$cache/qt-$version_qt-mingw-static"
options=(
  -DCMAKE_TOOLCHAIN_FILE="$installation/mingw-w64.cmake"
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_INSTALL_PREFIX="$installation" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  # OpenGL off needs all four, or the windows plugin still asks for its static context.
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF -DFEATURE_dynamicgl=OFF
  # Debian's sources drop the bundled wintab header the tablet events need.
  -DFEATURE_tabletevent=OFF
  # Qt's bundled copies, so that no MinGW system library is picked up.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF
  -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF
  -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_androiddeployqt=OFF
)
empreinte=$( (printf '%s\n' "${options[@]}"; cat cmake/mingw-w64.cmake) | sha256sum | cut -c1-16)
tampon="$installation/.velquor-$version-$empreinte"
if [ -f "$tampon" ]; then
  echo "$installation"
  exit 0
fi

debut=$SECONDS
travail="$cache/qt-$version_qt-mingw-construction"
rm -rf "$travail" "$installation"
mkdir -p "$travail" "$installation"

# The sources: a deb-src twin of the machine's Debian entry, for the time of the download only.
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
sources_src=/etc/apt/sources.list.d/velquor-qt-sources.sources
retirer_sources() {
  if [ -f "$sources_src" ]; then
    $sudo rm -f "$sources_src"
    $sudo apt-get update -q >/dev/null 2>&1 || true
  fi
}
trap retirer_sources EXIT
entree=$(awk 'BEGIN { RS = "" } /URIs:[^\n]*\/debian\/?(\n|$)/ { print; exit }' \
  /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
if [ -z "$entree" ]; then
  echo "No Debian entry in /etc/apt/sources.list.d/debian.sources to take the sources from." >&2
  exit 1
fi
echo "$entree" | sed 's/^Types:.*/Types: deb-src/' | $sudo tee "$sources_src" >/dev/null
$sudo apt-get update -q >/dev/null
(cd "$travail" && apt-get source -q --download-only "qt6-base=$version" >/dev/null &&
  dpkg-source -x --no-check qt6-base_*.dsc sources >/dev/null)
retirer_sources

# The toolchain beside the install: Qt's generated toolchain names it by its path.
cp cmake/mingw-w64.cmake "$installation/mingw-w64.cmake"

journal() {  # step, log: runs the step quietly, shows the log's end when it fails
  local log=$1
  shift
  "$@" >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "Building Qt for Windows failed; whole log: $log" >&2
    exit 1
  }
}
journal "$travail/configuration.log" \
  cmake -S "$travail/sources" -B "$travail/construction" -G Ninja "${options[@]}"
journal "$travail/construction.log" cmake --build "$travail/construction" -j "$(nproc)"
cmake --install "$travail/construction" >/dev/null
rm -rf "$travail"
duree=$((SECONDS - debut))
echo "$version $(du -sh "$installation" | cut -f1) ${duree}s" >"$tampon"
echo "Qt $version for Windows built in ${duree} s: $(du -sh "$installation" | cut -f1)" >&2
echo "$installation"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program (Release, without the tests) and starts it in
# build/demo/, which is made the first time from the demo recipes. With no display it runs the
# program under Xvfb, saves a picture of its main window to build/velquor.png, and exits with 0
# when the window came up.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
source scripts/paquets.sh
installer_paquets_manquants "${PAQUETS_CONSTRUCTION[@]}" xvfb xauth

dossier=build/release
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELQUOR_TESTS=OFF \
  -DVELQUOR_SANITIZE=OFF -DVELQUOR_BENCH=OFF -DVELQUOR_UI=ON
cmake --build "$dossier" --target velquor velquor-outils \
  --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
programme="$racine/$dossier/app/velquor"
outils="$racine/$dossier/cli/velquor-outils"

# The demo collections, made once. They are built aside and moved in place only when the import
# succeeded, so that a failed import is tried again at the next run.
demo=build/demo
if [ ! -d "$demo" ]; then
  provisoire=$(mktemp -d "$racine/build/demo.XXXXXX")
  trap 'rm -rf "$provisoire"' EXIT
  if [ -x "$outils" ]; then
    "$outils" -C "$provisoire" importer "$racine/demo/cocktails-iba.csv"
  fi
  mv "$provisoire" "$demo"
  trap - EXIT
fi
cd "$demo"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$programme"
fi

# No display: a virtual one. The program takes the picture itself once its window is up, then
# ends.
capture="$racine/build/velquor.png"
rm -f "$capture"
statut=0
VELQUOR_CAPTURE="$capture" QT_QPA_PLATFORM=xcb timeout 120 \
  xvfb-run -a -s "-screen 0 1024x768x24" "$programme" || statut=$?
if [ "$statut" -ne 0 ] || [ ! -s "$capture" ]; then
  echo "The window did not come up under Xvfb (status $statut)." >&2
  exit 1
fi
echo "The window came up; its picture is in build/velquor.png."

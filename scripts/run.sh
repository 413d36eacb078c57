#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the program in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets_manquants "${PAQUETS_CONSTRUCTION[@]}" xvfb xauth

dossier=build/release
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELQUOR_TESTS=OFF
cmake --build "$dossier"

if [ ! -x "$dossier/app/velquor" ]; then
  echo "The window program is not there yet: the record store and its tools are built in $dossier."
  exit 0
fi

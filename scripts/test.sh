#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test. Exits non-zero on any failure.
#
# The windows' real-input tests need an X server with a window manager: the script starts its
# own Xvfb on a free display and Openbox on it, gives the display to those tests
# (VELQUOR_AFFICHAGE_REEL), and stops both when it ends, whatever the outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets_manquants "${PAQUETS_CONSTRUCTION[@]}" "${PAQUETS_AFFICHAGE_REEL[@]}" \
  "${PAQUETS_INSTALLATION[@]}" "${PAQUETS_ESSAIS[@]}"
installer_vnu

dossier=build/test
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELQUOR_SANITIZE=ON \
  -DVELQUOR_TESTS=ON -DVELQUOR_BENCH=ON
cmake --build "$dossier"

# The X server of the real-input tests.
source scripts/affichage.sh
travail=$(mktemp -d)
pids=()
arreter() {
  arreter_affichage
  rm -rf "$travail"
}
trap arreter EXIT
demarrer_affichage "$travail"

export QT_QPA_PLATFORM=offscreen
export VELQUOR_AFFICHAGE_REEL="$affichage"
ctest --test-dir "$dossier" --output-on-failure -j "$(nproc)" --timeout 600

# Pictures of the windows for people to look at (not tests): build/screenshots/.
scripts/captures.sh "$dossier"

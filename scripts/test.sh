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

# The X server: Xvfb writes the number of the display it found free once it listens.
travail=$(mktemp -d)
pids=()
arreter() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$travail"
}
trap arreter EXIT
exec {fd_affichage}>"$travail/affichage"
Xvfb -displayfd "$fd_affichage" -screen 0 1024x768x24 -nolisten tcp >"$travail/xvfb.log" 2>&1 &
pids+=($!)
exec {fd_affichage}>&-
attendre() {  # condition, what; polls for 30 s at most
  local fin=$((SECONDS + 30))
  until eval "$1"; do
    if [ "$SECONDS" -ge "$fin" ]; then
      echo "$2 did not come up:" >&2
      cat "$travail"/*.log >&2 || true
      exit 1
    fi
    sleep 0.1
  done
}
attendre '[ -s "$travail/affichage" ]' "Xvfb"
affichage=":$(head -n 1 "$travail/affichage")"
DISPLAY="$affichage" openbox --sm-disable >"$travail/openbox.log" 2>&1 &
pids+=($!)
attendre 'DISPLAY="$affichage" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  "Openbox"

export QT_QPA_PLATFORM=offscreen
export VELQUOR_AFFICHAGE_REEL="$affichage"
ctest --test-dir "$dossier" --output-on-failure -j "$(nproc)" --timeout 600

# Pictures of the windows for people to look at (not tests): build/screenshots/.
scripts/captures.sh "$dossier"

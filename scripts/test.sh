#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets_manquants "${PAQUETS_CONSTRUCTION[@]}"

dossier=build/test
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELQUOR_SANITIZE=ON \
  -DVELQUOR_TESTS=ON -DVELQUOR_BENCH=ON
cmake --build "$dossier"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dossier" --output-on-failure -j "$(nproc)" --timeout 600

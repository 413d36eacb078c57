#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes pictures of the main window, each view and each dialog, at 100 % and 200 %, into
# build/screenshots/, on the demo recipes: for people to look at, not a test.
#   scripts/captures.sh [BUILD_FOLDER]     (default build/test, where scripts/test.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${1:-build/test}
cmake --build "$dossier" --target velquor-captures velquor-outils
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
"$dossier/cli/velquor-outils" -C "$travail" importer "$PWD/demo/cocktails-iba.csv" >/dev/null
# Names of the full 30 characters, the first of their lists, show that a long name is seen whole.
printf '%s\n' 'cocktail,famille,quantite,ingredient,alcoolise,remarques' \
  "Absinthe du dernier inspecteur,Digestifs,2 cl,Bourbon ou whiskey de seigle,oui," \
  >"$travail/longs.csv"
"$dossier/cli/velquor-outils" -C "$travail" importer "$travail/longs.csv" >/dev/null
sortie=$PWD/build/screenshots
(cd "$travail" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  "$OLDPWD/$dossier/captures/velquor-captures" "$sortie")

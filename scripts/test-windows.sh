#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Le Velquor on Windows: installs what is missing, builds Qt for Windows once into the user's
# cache (scripts/qt-windows.sh), cross-builds the window program, the companion and the core
# tests with MinGW-w64 into build/windows/ (statically linked: build/windows/velquor.exe and
# build/windows/velquor-outils.exe each run alone), runs the core tests that need no window
# under Wine, then:
# - runs the same command sequence with the Linux companion and with the Windows one under
#   Wine, in folders and on files whose names no ANSI code page holds, and requires
#   byte-identical pairs and exports;
# - starts velquor.exe under Wine on a private X server in a folder of demo recipes, takes a
#   picture of its main window (build/screenshots/windows/), drives it by real key presses
#   (scripts/scenario-fenetres.py: a family, an ingredient and a cocktail created), drives the
#   Linux program the same way, and requires the same bytes in every file both left;
# - packs the Windows user's ZIP into build/windows/ (cpack).
# Exits non-zero on any failure.
#
# Wine gets a private prefix in build/windows/wine, made once.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD
source scripts/paquets.sh
source scripts/affichage.sh
# googletest: its sources, built here with the cross compiler. The Linux companion needs the
# native compiler; the scenario needs the X server, its tools and ImageMagick for the picture.
installer_paquets_manquants cmake ninja-build g++ g++-mingw-w64-x86-64 wine wine64 googletest \
  "${PAQUETS_AFFICHAGE_REEL[@]}" imagemagick unzip

# Qt for Windows: built once (a quarter of an hour or more on two cores), then found at once.
qt=$(scripts/qt-windows.sh | tail -n 1)
chaine="$qt/lib/cmake/Qt6/qt.toolchain.cmake"

lanceur=()
command -v ccache >/dev/null 2>&1 && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

dossier=build/windows
# Qt's toolchain file leads to the MinGW one; a folder configured with another starts afresh.
neuf=()
if [ -f "$dossier/CMakeCache.txt" ] &&
  ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$chaine" "$dossier/CMakeCache.txt"; then
  neuf=(--fresh)
fi
cmake "${neuf[@]}" -S . -B "$dossier" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$chaine" \
  -DCMAKE_BUILD_TYPE=Release -DVELQUOR_UI=ON -DVELQUOR_BENCH=OFF -DVELQUOR_TESTS=ON \
  "${lanceur[@]}"
cmake --build "$dossier"
cp "$dossier/cli/velquor-outils.exe" "$dossier/app/velquor.exe" "$dossier/"
outils_windows="$racine/$dossier/velquor-outils.exe"
programme_windows="$racine/$dossier/velquor.exe"

# Each .exe runs alone: nothing but the system's own DLLs (no MinGW runtime, no Qt DLL).
for exe in "$outils_windows" "$programme_windows"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
  if echo "$dlls" | grep -qiE 'libstdc|libgcc|libwinpthread|qt6'; then
    echo "$(basename "$exe") needs DLLs that Windows lacks:" $dlls >&2
    exit 1
  fi
done

# The Linux programs to compare with: the test build's when there is one.
outils_linux="$racine/build/test/cli/velquor-outils"
programme_linux="$racine/build/test/app/velquor"
if [ ! -x "$outils_linux" ] || [ ! -x "$programme_linux" ]; then
  cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELQUOR_TESTS=OFF \
    "${lanceur[@]}"
  cmake --build build/linux --target velquor-outils velquor
  outils_linux="$racine/build/linux/cli/velquor-outils"
  programme_linux="$racine/build/linux/app/velquor"
fi

export WINEPREFIX="$racine/$dossier/wine" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
arreter_wine() { wineserver --kill >/dev/null 2>&1 || true; }
pids=()
arreter() {
  arreter_wine
  arreter_affichage
}
trap arreter EXIT

ctest --test-dir "$dossier" --output-on-failure -j 2 --timeout 900

# The companion end to end: the same commands on Linux and under Wine.
travail=$(mktemp -d)
trap 'arreter; rm -rf "$travail"' EXIT
cat >"$travail/ajouts.csv" <<'EOF'
cocktail,famille,quantite,ingredient,alcoolise,remarques
Pêche Mignonne,Apéritifs à l'œuf,"4 cl",Crème de pêche,oui,"Servir frais ; « doux »"
Pêche Mignonne,Apéritifs à l'œuf,2 cl,Jus de citron,non,
Œil-de-Perdrix,Apéritifs à l'œuf,10 cl,Vin rosé,oui,"Une ligne
et une autre, < 5 cl & ""guillemets"""
Mojito,Longs drinks,1,Menthe,non,déjà là
EOF
echo 'cocktail,famille' >"$travail/faux.csv"

# Names that no ANSI code page holds together (Greek, Japanese, an emoji): the folders and the
# files the companion is given, and its messages that name them, must come through whole.
bar='Bar Ωμέγα 東京 ☕'
derouler() {  # program (with its runner), folder; writes the exit codes and lists into the folder
  local dossier_travail=$1
  shift
  mkdir -p "$dossier_travail"
  cp "$racine/demo/cocktails-iba.csv" "$travail/faux.csv" "$dossier_travail/"
  cp "$travail/ajouts.csv" "$dossier_travail/Été ☕ 東京.csv"
  printf 'GIN\nMENTHE\n' >"$dossier_travail/cave Ωμέγα.txt"
  (
    cd "$dossier_travail"
    codes=()
    etape() {
      local code=0
      "$@" >>"$dossier_travail/sorties.txt" 2>>"$dossier_travail/messages.txt" || code=$?
      codes+=("$code")
    }
    etape "$@" importer cocktails-iba.csv
    etape "$@" importer "Été ☕ 東京.csv"
    etape "$@" importer faux.csv
    etape "$@" verifier
    etape "$@" lister cocktails
    etape "$@" lister ingredients
    etape "$@" reorganiser tout
    etape "$@" verifier
    etape "$@" exporter tout
    etape "$@" lister familles
    mkdir -p sous
    cd sous
    etape "$@" -C .. lister cocktails
    cd ../..
    etape "$@" -C "$bar" rechercher ingredients --au-moins-un --fichier "cave Ωμέγα.txt"
    etape "$@" -C "$bar" importer "absent ☕.csv"
    cd "$dossier_travail"
    echo "${codes[*]}" >codes.txt
  )
}
derouler "$travail/linux/$bar" "$outils_linux"
derouler "$travail/windows/$bar" wine "$outils_windows"
wineserver --wait

# What each side wrote: the path in small letters (Windows' "web" and "Web" are one folder), the
# bytes' digest. Console output is compared with Windows' line ends taken off.
empreintes() {
  (cd "$1" && find . -type f ! -name messages.txt ! -name '*.csv' -printf '%P\n' |
    while read -r f; do
      if [ "$f" = sorties.txt ]; then
        printf '%s %s\n' "$(tr -d '\r' <"$f" | sha256sum | cut -c1-64)" "$f"
      else
        printf '%s %s\n' "$(sha256sum <"$f" | cut -c1-64)" "${f,,}"
      fi
    done | LC_ALL=C sort -k2)
}
empreintes "$travail/linux/$bar" >"$travail/linux.txt"
empreintes "$travail/windows/$bar" >"$travail/windows.txt"
if ! diff -u "$travail/linux.txt" "$travail/windows.txt"; then
  echo "Linux and Windows wrote different files (above)." >&2
  exit 1
fi
# The message naming the absent file names it as it was typed.
absent() { grep -F 'absent ☕.csv' "$travail/$1/$bar/messages.txt" | tr -d '\r'; }
if [ -z "$(absent linux)" ] || [ "$(absent linux)" != "$(absent windows)" ]; then
  echo "The message on the absent file differs: '$(absent linux)' and '$(absent windows)'" >&2
  exit 1
fi
fichiers=$(wc -l <"$travail/linux.txt")
read -r -a codes <"$travail/linux/$bar/codes.txt"
# The sequence really did its work: the imports, the refusal of the bad file, the rebuild and
# the exports (the exit codes are compared above too).
if [ "${codes[0]}" != 0 ] || [ "${codes[1]}" != 0 ] || [ "${codes[2]}" != 1 ] ||
  [ "${codes[6]}" != 0 ] || [ "${codes[8]}" != 0 ] || [ "${codes[11]}" != 0 ] ||
  [ "${codes[12]}" = 0 ] || [ "$fichiers" -lt 30 ]; then
  echo "Unexpected run: exit codes ${codes[*]}, $fichiers files" >&2
  cat "$travail/linux/$bar/messages.txt" >&2
  exit 1
fi
echo "Companion end to end: Linux and Windows wrote the same $fichiers files" \
  "(exit codes ${codes[*]})."

# The window program: velquor.exe under Wine and the Linux program, driven by the same key
# presses on a private X server, each in a copy of the same demo recipes.
demarrer_affichage "$travail"
demo="$travail/fenetres/demo"
mkdir -p "$demo"
"$outils_linux" -C "$demo" importer "$racine/demo/cocktails-iba.csv" >/dev/null 2>&1
cp -r "$demo" "$travail/fenetres/linux"
cp -r "$demo" "$travail/fenetres/windows"
captures="$racine/build/screenshots/windows"
mkdir -p "$captures"
rm -f "$captures"/*.png
# The sanitizers' leak check would judge Qt's and fontconfig's caches at exit: not this test.
ASAN_OPTIONS=detect_leaks=0 DISPLAY="$affichage" \
  scripts/scenario-fenetres.py "$travail/fenetres/linux" -- "$programme_linux"
DISPLAY="$affichage" scripts/scenario-fenetres.py "$travail/fenetres/windows" \
  --capture "$captures/fenetre-principale.png" -- wine "$programme_windows"
wineserver --wait
empreintes "$travail/fenetres/demo" >"$travail/demo.txt"
empreintes "$travail/fenetres/linux" >"$travail/fenetres-linux.txt"
empreintes "$travail/fenetres/windows" >"$travail/fenetres-windows.txt"
if ! diff -u "$travail/fenetres-linux.txt" "$travail/fenetres-windows.txt"; then
  echo "The window programs of Linux and Windows wrote different files (above)." >&2
  exit 1
fi
# The scenario did its work (the same on both sides, above): the three collections' files
# changed, and they hold what was typed.
changes=$(diff "$travail/demo.txt" "$travail/fenetres-linux.txt" | grep -c '^>' || true)
fait() { "$outils_linux" -C "$travail/fenetres/linux" lister "$1" | grep -qxF "$2"; }
if [ "$changes" -lt 6 ] || ! fait familles FLIPS || ! fait ingredients GENIEVRE ||
  ! fait ingredients "JAUNE D'OEUF" || ! fait cocktails "FLIP AU GENIEVRE" ||
  ! grep -qaF "Oeuf entier, secoue fort" "$travail/fenetres/linux/FAMILLE.DAT" ||
  ! grep -qaF "Secouer sur glace." "$travail/fenetres/linux/COCKTAIL.DAT"; then
  echo "The scenario did not leave what it typed ($changes files changed):" >&2
  diff "$travail/demo.txt" "$travail/fenetres-linux.txt" >&2 || true
  exit 1
fi
echo "Window program end to end: Linux and Windows left the same" \
  "$(wc -l <"$travail/fenetres-linux.txt") files ($changes changed by the scenario);" \
  "picture: $captures/fenetre-principale.png"

# The package a Windows user takes.
(cd "$dossier" && cpack -G ZIP >/dev/null)
paquet="$dossier/velquor-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dossier/CMakeCache.txt")-windows-x64.zip"
contenu=$(unzip -Z1 "$paquet")
for f in velquor.exe velquor-outils.exe LISEZ-MOI.txt COPYING.txt aide/index.html; do
  if ! grep -q "/$f\$" <<<"$contenu"; then
    echo "$paquet lacks $f:" $contenu >&2
    exit 1
  fi
done
echo "Package: $paquet ($(du -h "$paquet" | cut -f1))"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The core and the companion on Windows: installs what is missing, cross-builds them with
# MinGW-w64 into build/windows/ (statically linked; the companion is left at
# build/windows/velquor-outils.exe), runs the core tests that need no window under Wine, then
# runs the same command sequence with the Linux companion and with the Windows one under Wine,
# in folders and on files whose names no ANSI code page holds, and requires byte-identical pairs
# and exports. Exits non-zero on any failure.
#
# Wine gets a private prefix in build/windows/wine, made once.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD
source scripts/paquets.sh
# googletest: its sources, built here with the cross compiler. The Linux companion needs the
# native compiler.
installer_paquets_manquants cmake ninja-build g++ g++-mingw-w64-x86-64 wine wine64 googletest

lanceur=()
command -v ccache >/dev/null 2>&1 && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

dossier=build/windows
cmake -S . -B "$dossier" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$racine/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELQUOR_UI=OFF -DVELQUOR_BENCH=OFF -DVELQUOR_TESTS=ON \
  "${lanceur[@]}"
cmake --build "$dossier"
cp "$dossier/cli/velquor-outils.exe" "$dossier/velquor-outils.exe"
outils_windows="$racine/$dossier/velquor-outils.exe"

# One .exe that runs alone: nothing but the system's own DLLs.
dlls=$(x86_64-w64-mingw32-objdump -p "$outils_windows" | sed -n 's/.*DLL Name: //p')
if echo "$dlls" | grep -qiE 'libstdc|libgcc|libwinpthread'; then
  echo "velquor-outils.exe needs MinGW's DLLs:" $dlls >&2
  exit 1
fi

# The Linux companion to compare with: the test build's when there is one.
outils_linux="$racine/build/test/cli/velquor-outils"
if [ ! -x "$outils_linux" ]; then
  cmake -S . -B build/linux-outils -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELQUOR_UI=OFF \
    -DVELQUOR_TESTS=OFF "${lanceur[@]}"
  cmake --build build/linux-outils --target velquor-outils
  outils_linux="$racine/build/linux-outils/cli/velquor-outils"
fi

export WINEPREFIX="$racine/$dossier/wine" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
arreter_wine() { wineserver --kill >/dev/null 2>&1 || true; }
trap arreter_wine EXIT

ctest --test-dir "$dossier" --output-on-failure -j 2 --timeout 900

# The companion end to end: the same commands on Linux and under Wine.
travail=$(mktemp -d)
trap 'arreter_wine; rm -rf "$travail"' EXIT
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

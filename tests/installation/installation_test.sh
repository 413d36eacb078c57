#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` into a temporary DESTDIR and into a temporary prefix: the files a system gets,
# the desktop entry and the metadata through their validators, the manual pages against the
# programs they describe, and the menu's launcher starting the program in the recipe folder.
#   installation_test.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
construction=$1
sources=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAILED: $*" >&2; echecs=$((echecs + 1)); }

# ---- DESTDIR and prefix honoured; the list of files ------------------------------------------
DESTDIR="$travail/dest" cmake --install "$construction" --prefix /usr >"$travail/install.log"
racine="$travail/dest/usr"
id=fr.velquor.velquor
attendus=(
  bin/velquor bin/velquor-outils libexec/velquor/velquor-bureau
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/man/man1/velquor.1 share/man/man1/velquor-outils.1
  share/bash-completion/completions/velquor-outils
  share/doc/velquor/copyright
  share/icons/hicolor/scalable/apps/$id.svg
)
for taille in 16 22 24 32 48 64 128 256; do
  attendus+=("share/icons/hicolor/${taille}x${taille}/apps/$id.png")
done
diff <(printf '%s\n' "${attendus[@]}" | sort) <(cd "$racine" && find . -type f | sed 's|^\./||' | sort) ||
  echec "installed files differ from the expected list (< expected, > installed)"
[ -z "$(cd "$travail/dest" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ] ||
  echec "files installed outside the prefix"
for f in bin/velquor bin/velquor-outils libexec/velquor/velquor-bureau; do
  [ -x "$racine/$f" ] || echec "$f is not executable"
done

# Each icon is a PNG of its size (width and height from the header).
for taille in 16 22 24 32 48 64 128 256; do
  f="$racine/share/icons/hicolor/${taille}x${taille}/apps/$id.png"
  entete=$(od -An -tx1 -j12 -N12 "$f" | tr -d ' \n')
  [ "$entete" = "$(printf '49484452%08x%08x' "$taille" "$taille")" ] || echec "icon $taille: $entete"
done
grep -q '<svg' "$racine/share/icons/hicolor/scalable/apps/$id.svg" || echec "scalable icon"

# ---- validators; the paths inside the files are the installed ones, without DESTDIR ----------
# Clean: not even a hint (a desktop entry without a main category is only hinted at).
rapport=$(desktop-file-validate "$racine/share/applications/$id.desktop" 2>&1) &&
  [ -z "$rapport" ] || echec "desktop-file-validate: $rapport"
rapport=$(appstreamcli validate --no-net --pedantic "$racine/share/metainfo/$id.metainfo.xml" 2>&1) &&
  ! grep -q '^[EWIP]:' <<<"$rapport" || echec "appstreamcli validate: $rapport"
grep -qx 'Exec="/usr/libexec/velquor/velquor-bureau"' "$racine/share/applications/$id.desktop" ||
  echec "Exec does not name the installed launcher"
grep -qx "Icon=$id" "$racine/share/applications/$id.desktop" || echec "Icon"
grep -qx 'exec "/usr/bin/velquor"' "$racine/libexec/velquor/velquor-bureau" ||
  echec "the launcher does not start the installed program"
grep -q '/usr/libexec/velquor/velquor-bureau' "$racine/share/man/man1/velquor.1" ||
  echec "velquor.1 does not name the installed launcher"
if grep -rqs -- "$travail" "$racine/share" "$racine/libexec"; then echec "DESTDIR leaked into a file"; fi

# ---- the manual pages: valid, and covering what the programs have ----------------------------
for page in velquor.1 velquor-outils.1; do
  avertissements=$(LC_ALL=C.UTF-8 groff -Kutf8 -man -ww -z "$racine/share/man/man1/$page" 2>&1)
  [ -z "$avertissements" ] || echec "$page: $avertissements"
done
page="$racine/share/man/man1/velquor-outils.1"
aide=$("$construction/cli/velquor-outils" --aide)
# Every command of the help has its paragraph in COMMANDES, with every word it takes.
commandes=$(sed -n '/^\.SH COMMANDES/,/^\.SH /p' "$page" | grep -A1 '^\.TP' | grep '^\.B')
while read -r commande modele; do
  grep -Eq "^\.B[IR]? \"?$commande( |\"|$)" <<<"$commandes" ||
    echec "velquor-outils.1 lacks the command $commande"
  case $modele in
    *[A-Z]*) ;;
    *) for mot in ${modele//|/ }; do
         grep -q "$mot" "$page" || echec "velquor-outils.1 lacks $commande $mot"
       done ;;
  esac
done < <(awk '/^Commandes :/ { d = 1; next } /^Options :/ { d = 0 } d && /^  [a-z]/ { print $1, $2 }' <<<"$aide")
# Every option the command line takes, every exit status it documents.
for option in '\\-C' '\\-\\-aide' '\\-h' '\\-\\-help' '\\-\\-'; do
  grep -q -- "^\.B[IR]\? .*$option" "$page" || echec "velquor-outils.1 lacks the option $option"
done
for code in 0 1 2; do
  sed -n '/^\.SH "CODE DE SORTIE"/,/^\.SH/p' "$page" | grep -qx "\.B $code" ||
    echec "velquor-outils.1 lacks the exit status $code"
done
# The window program's environment variables, as its code reads them.
for variable in $(grep -ho 'qEnvironmentVariable[A-Za-z]*("[A-Z_]*"' "$sources"/app/*.cpp | grep -o '"[A-Z_]*"' | tr -d '"'); do
  grep -q "^\.B $variable" "$racine/share/man/man1/velquor.1" || echec "velquor.1 lacks $variable"
done

# ---- the menu's launcher: installed into a real prefix, started as the menu starts it --------
prefixe="$travail/prefixe"
cmake --install "$construction" --prefix "$prefixe" >"$travail/install2.log"
lanceur="$prefixe/libexec/velquor/velquor-bureau"
export HOME="$travail/maison" XDG_CONFIG_HOME="$travail/maison/.config"
mkdir -p "$XDG_CONFIG_HOME"
echo 'XDG_DOCUMENTS_DIR="$HOME/Mes documents"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
unset VELQUOR_DOSSIER
lancer() {  # starts the launcher from $HOME, as a menu does; opens the cocktail editor, then ends
  (cd "$HOME" && env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 VELQUOR_COMMANDE=103 \
     VELQUOR_CAPTURE="$travail/capture.png" "$lanceur" "$@")
}
lancer >"$travail/lanceur.log" 2>&1 || echec "the launcher failed: $(cat "$travail/lanceur.log")"
recettes="$HOME/Mes documents/Le Velquor"
# First start: the folder made, the cocktail collection created there on first use, as the
# program does in any folder; nothing written in the folder it was started from.
for f in COCKTAIL.NDX COCKTAIL.DAT; do
  [ -f "$recettes/$f" ] || echec "$f not created in the recipe folder"
done
[ -z "$(find "$HOME" -maxdepth 1 -type f)" ] || echec "files written in the starting folder"
# A second start finds its recipes again.
printf 'cocktail,famille,quantite,ingredient,alcoolise,remarques\nNEGRONI,APERITIF,3 cl,GIN,oui,\n' >"$travail/r.csv"
"$prefixe/bin/velquor-outils" -C "$recettes" importer "$travail/r.csv" >/dev/null 2>&1
lancer >/dev/null 2>&1 || echec "second start"
[ "$("$prefixe/bin/velquor-outils" -C "$recettes" lister cocktails)" = NEGRONI ] ||
  echec "the second start lost the recipes"
# Another folder: VELQUOR_DOSSIER, then an argument before it.
VELQUOR_DOSSIER="$travail/ailleurs" lancer >/dev/null 2>&1 || echec "VELQUOR_DOSSIER"
[ -f "$travail/ailleurs/COCKTAIL.DAT" ] || echec "VELQUOR_DOSSIER not used"
VELQUOR_DOSSIER="$travail/ailleurs" lancer "$travail/argument" >/dev/null 2>&1 || echec "argument"
[ -f "$travail/argument/COCKTAIL.DAT" ] || echec "the launcher's argument not used"
# A folder that cannot be made: a French message and status 1, and the program not started.
touch "$travail/fichier"
statut=0
lancer "$travail/fichier/dessous" >"$travail/refus.log" 2>&1 || statut=$?
[ "$statut" -eq 1 ] && grep -q "impossible de travailler dans le dossier" "$travail/refus.log" ||
  echec "an impossible folder gave status $statut: $(cat "$travail/refus.log")"

[ "$echecs" -eq 0 ] || { echo "$echecs failure(s)" >&2; exit 1; }
echo "installation: all checks passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of velquor-outils, loaded as bash-completion loads it and driven as bash
# drives it (COMP_WORDS, COMP_CWORD, the function that `complete -p` names), with the built
# program on the PATH.
#   completion_test.sh COMPLETION_FILE PROGRAM_FOLDER
set -uo pipefail
source "$1"
export PATH="$(cd "$2" && pwd):$PATH"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0

fonction=$(complete -p velquor-outils | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
[ -n "$fonction" ] || { echo "FAILED: no completion for velquor-outils" >&2; exit 1; }

# candidats WORD... : the candidates for the last word of the line "velquor-outils WORD...".
candidats() {
  COMP_WORDS=(velquor-outils "$@")
  COMP_CWORD=$#
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  "$fonction" velquor-outils "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
attendre() {  # expected, then the words
  local attendu=$1
  shift
  local obtenu
  obtenu=$(candidats "$@")
  if [ "$obtenu" != "$attendu" ]; then
    echo "FAILED: velquor-outils $* -> [$obtenu], expected [$attendu]" >&2
    echecs=$((echecs + 1))
  fi
}
contient() {  # the candidates hold every expected word
  local attendus=$1
  shift
  local obtenu mot
  obtenu=" $(candidats "$@") "
  for mot in $attendus; do
    if [[ $obtenu != *" $mot "* ]]; then
      echo "FAILED: velquor-outils $* -> [$obtenu] lacks $mot" >&2
      echecs=$((echecs + 1))
    fi
  done
}

# Commands: every one the help lists, and only those.
contient "exporter importer lister reorganiser verifier" ""
attendre "$(velquor-outils --aide | awk '/^Commandes :/ { d = 1; next } /^Options :/ { d = 0 }
  d && /^  [a-z]/ { print $1 }' | sort -u | tr '\n' ' ' | sed 's/ $//')" ""
attendre "lister" li
# Collections and export kinds.
attendre "cocktails familles ingredients resultats" lister ""
attendre "cocktails" lister co
contient "cocktails familles ingredients recettes tout" exporter ""
attendre "cocktails familles ingredients resultats tout" reorganiser ""
attendre "" verifier ""
# One operand only.
attendre "" lister cocktails ""
# Options, and -C before or after the command.
attendre "--aide" --a
# A command's own options, read from its part of the help.
attendre "--contenant --contient" rechercher ingredients --cont
attendre "--aide --ajouter --au-moins-un --aucun" rechercher --a
attendre "--titre --tout" exporter menu --t
contient "-C" -
mkdir -p "$travail/recettes/sous" "$travail/rien"
touch "$travail/recettes/a.csv" "$travail/recettes/B.CSV" "$travail/recettes/notes.txt"
cd "$travail/recettes"
attendre "sous" -C ""
attendre "cocktails familles ingredients resultats" -C "$travail/rien" lister ""
attendre "cocktails familles ingredients resultats" lister -C "$travail/rien" ""
attendre "lister" -C "$travail/rien" li
# importer: the CSV files and the folders, not the other files.
attendre "B.CSV a.csv sous" importer ""
# After "--" a word beginning with "-" is an operand, not an option.
attendre "" -- lister -x ""

[ "$echecs" -eq 0 ] || { echo "$echecs failure(s)" >&2; exit 1; }
echo "completion: all checks passed"

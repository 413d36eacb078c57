# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion of velquor-outils: the commands, the words they take (collections...), the
# folder of -C and the CSV files of importer.
#
# The commands and their words are read from the program's own help (--aide), the lines of its
# "Commandes :" part: "  commande mot|mot|..." gives the words, "  commande FICHIER.csv" the CSV
# files, "  commande TEXTE" nothing. A command's options are the --words of its lines and of the
# lines under them. A command added to the help is completed as it stands there.

# "commande modele" for each command line of the help of the program $1.
_velquor_outils_commandes() {
  "$1" --aide 2>/dev/null | awk '
    /^Commandes :/ { dans = 1; next }
    /^Options :/ { dans = 0 }
    dans && /^  [a-z]/ { print $1, $2 }'
}

# The options of the command $2 of the program $1, as its part of the help names them.
_velquor_outils_options() {
  "$1" --aide 2>/dev/null | awk -v c="$2" '
    /^Commandes :/ { dans = 1; next }
    /^Options :/ { dans = 0 }
    dans && /^  [a-z]/ { courante = $1 }
    dans && courante == c {
      while (match($0, /--[a-z][a-z-]*/)) { print substr($0, RSTART, RLENGTH); $0 = substr($0, RSTART + RLENGTH) }
    }' | sort -u
}

_velquor_outils() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev= programme=${COMP_WORDS[0]}
  local commande= operandes=0 options=1 i mot
  COMPREPLY=()
  [[ $COMP_CWORD -gt 0 ]] && prev=${COMP_WORDS[COMP_CWORD-1]}
  [[ $programme == "~/"* ]] && programme=$HOME/${programme#"~/"}

  # The words before the one being completed: the command and its operands so far.
  for ((i = 1; i < COMP_CWORD; i++)); do
    mot=${COMP_WORDS[i]}
    if ((options)) && [[ $mot == -- ]]; then
      options=0
    elif ((options)) && [[ $mot == -C ]]; then
      ((i++))
    elif ((options)) && [[ $mot == -* ]]; then
      :
    elif [[ -z $commande ]]; then
      commande=$mot
    else
      ((operandes++))
    fi
  done

  if ((options)) && [[ $prev == -C ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
    return 0
  fi
  if ((options)) && [[ $cur == -* ]]; then
    local propres=
    [[ -n $commande ]] && propres=$(_velquor_outils_options "$programme" "$commande")
    mapfile -t COMPREPLY < <(compgen -W "-C --aide --help $propres" -- "$cur")
    return 0
  fi

  local lignes
  lignes=$(_velquor_outils_commandes "$programme")
  if [[ -z $commande ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(awk '!vu[$1]++ { print $1 }' <<<"$lignes")" -- "$cur")
    return 0
  fi
  ((operandes > 0)) && return 0

  local modele mots=
  while read -r modele; do
    case $modele in
      *.csv)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -X '!*.[cC][sS][vV]' -- "$cur"; compgen -d -- "$cur")
        return 0
        ;;
      *[A-Z]*) ;;
      *) mots+=" ${modele//|/ }" ;;
    esac
  done < <(awk -v c="$commande" '$1 == c && NF > 1 { print $2 }' <<<"$lignes")
  mapfile -t COMPREPLY < <(compgen -W "$mots" -- "$cur")
  return 0
}

complete -F _velquor_outils velquor-outils

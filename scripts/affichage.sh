# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by test.sh and test-windows.sh: a private X server for the windows' tests. Xvfb on a
# display it finds free, with the Openbox window manager on it.
#
#   demarrer_affichage FOLDER   starts both, their logs in FOLDER; sets $affichage (":N") and
#                               adds their process ids to the array $pids, which the caller
#                               stops when it ends (arreter_affichage does it).

attendre_condition() {  # condition, what, logs folder; polls for 30 s at most
  local fin=$((SECONDS + 30))
  until eval "$1"; do
    if [ "$SECONDS" -ge "$fin" ]; then
      echo "$2 did not come up:" >&2
      cat "$3"/*.log >&2 || true
      return 1
    fi
    sleep 0.1
  done
}

demarrer_affichage() {
  local dossier=$1 fd
  # Xvfb writes the number of the display it found free once it listens.
  exec {fd}>"$dossier/affichage"
  Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$dossier/xvfb.log" 2>&1 &
  pids+=($!)
  exec {fd}>&-
  attendre_condition '[ -s "$dossier/affichage" ]' "Xvfb" "$dossier" || return 1
  affichage=":$(head -n 1 "$dossier/affichage")"
  DISPLAY="$affichage" openbox --sm-disable >"$dossier/openbox.log" 2>&1 &
  pids+=($!)
  attendre_condition \
    'DISPLAY="$affichage" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
    "Openbox" "$dossier"
}

arreter_affichage() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  pids=()
}

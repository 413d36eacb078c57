#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one harness of the fuzzing build: fuzz/lancer.sh CIBLE [SECONDES] [DOSSIER_CONSTRUCTION]
# (CIBLE: paire, selection, csv or verifier; 900 seconds by default; build-fuzz by default).
# New inputs go to DOSSIER_CONSTRUCTION/travail/CIBLE, findings and the log to
# DOSSIER_CONSTRUCTION/runs/CIBLE; the committed corpus fuzz/corpus/CIBLE is read as seeds.
# One job, one worker, at low priority: the machine is shared.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cible="${1:?usage : fuzz/lancer.sh CIBLE [SECONDES] [DOSSIER_CONSTRUCTION]}"
secondes="${2:-900}"
construction="$(cd "${3:-$racine/build-fuzz}" && pwd)"
mkdir -p "$construction/travail/$cible" "$construction/runs/$cible"
cd "$construction/runs/$cible"
# The harnesses change directory: every path given to libFuzzer is absolute.
exec nice -n 10 "$construction/fuzz/fuzz_$cible" -max_total_time="$secondes" -jobs=1 -workers=1 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$construction/runs/$cible/" \
  "$construction/travail/$cible" "$racine/fuzz/corpus/$cible"

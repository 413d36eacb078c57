# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the pictures of the AppStream metadata from the program itself (VELQUOR_CAPTURE), on the
# demo recipes with the cocktail editor open, on the offscreen platform: at 100 % and at 200 %.
#   cmake -DPROGRAMME=... -DOUTILS=... -DDEMO=.../cocktails-iba.csv -DSORTIE=... -DTRAVAIL=...
#         -P captures.cmake
string(RANDOM LENGTH 8 hasard)
set(dossier "${TRAVAIL}/captures-${hasard}")
file(MAKE_DIRECTORY "${dossier}")
execute_process(COMMAND "${OUTILS}" -C "${dossier}" importer "${DEMO}" RESULT_VARIABLE statut
                OUTPUT_QUIET ERROR_QUIET)
if(NOT statut EQUAL 0)
  file(REMOVE_RECURSE "${dossier}")
  message(FATAL_ERROR "the demo recipes could not be imported (${statut})")
endif()
foreach(echelle 1 2)
  if(echelle EQUAL 1)
    set(nom fenetre-principale.png)
  else()
    set(nom fenetre-principale@2x.png)
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=${echelle}
            VELQUOR_COMMANDE=103 "VELQUOR_CAPTURE=${SORTIE}/${nom}" "${PROGRAMME}"
    WORKING_DIRECTORY "${dossier}" RESULT_VARIABLE statut)
  if(NOT statut EQUAL 0)
    file(REMOVE_RECURSE "${dossier}")
    message(FATAL_ERROR "no picture at ${echelle}x (${statut})")
  endif()
endforeach()
file(REMOVE_RECURSE "${dossier}")

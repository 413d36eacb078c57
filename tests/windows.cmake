# SPDX-License-Identifier: GPL-3.0-or-later
# The tests of the Windows build, run under Wine by scripts/test-windows.sh. Each executable is
# one ctest test (starting Wine once per test case would cost more than the tests).
#
# Left out, because they rest on POSIX alone:
#   test_ecrivains           two programs on one pair as forked processes (support/processus.cpp)
#   test_coupures            not tried under Wine yet (the stops are in-process since the random
#                            kills of a forked process went)
#   test_import_atomique     the writers' calls written down by strace, setrlimit for a full
#                            disk, forked processes
#   test_cas                 the companion started by posix_spawn; the
#                            companion's end-to-end checks under Wine are in test-windows.sh
#   test_mariadb             posix_spawn, and SQLite, which is not built for Windows here
#   test_coherence           not tried under Wine yet (it no longer rests on glibc)
#   the fuzzing replays      their support creates files through POSIX calls
set(VELQUOR_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELQUOR_GTEST_SOURCES} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(velquor_test_support STATIC support/dossier_temporaire.cpp support/paires.cpp
  support/execution.cpp)
target_link_libraries(velquor_test_support PUBLIC velquor_core GTest::gtest)
target_include_directories(velquor_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

function(velquor_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE velquor_test_support GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

set(store ${CMAKE_CURRENT_SOURCE_DIR}/store)
velquor_test(test_store
  ${store}/pfichier_test.cpp
  ${store}/index_test.cpp
  ${store}/collections_test.cpp
  ${store}/fichiers_abimes_test.cpp
  ${store}/pannes_test.cpp
  ${store}/scenarios_pannes.cpp
)
velquor_test(test_differentiel
  ${store}/differentiel_test.cpp
)
velquor_test(test_collation
  ${store}/collation_test.cpp
)
# Read by the test under Wine, which reaches the Linux file system through its Z: drive.
target_compile_definitions(test_collation PRIVATE
  VELQUOR_ORDRE_PLATEFORME="Z:${store}/ordre_plateforme.txt")

velquor_test(test_recherche ${CMAKE_CURRENT_SOURCE_DIR}/search/recherche_test.cpp)
velquor_test(test_export ${CMAKE_CURRENT_SOURCE_DIR}/export/listes_sql_test.cpp)
target_compile_definitions(test_export PRIVATE
  VELQUOR_EXPORT_ATTENDU="Z:${CMAKE_CURRENT_SOURCE_DIR}/export")
set(cli ${CMAKE_CURRENT_SOURCE_DIR}/cli)
velquor_test(test_outils ${cli}/exporter_test.cpp ${cli}/sauvetage_test.cpp)
target_link_libraries(test_outils PRIVATE velquor_outils)
add_dependencies(test_outils velquor-outils)
target_compile_definitions(test_outils PRIVATE VELQUOR_DEMO_CSV="Z:${PROJECT_SOURCE_DIR}/demo/cocktails-iba.csv"
  VELQUOR_OUTILS="Z:$<TARGET_FILE:velquor-outils>")

# SPDX-License-Identifier: GPL-3.0-or-later
# The package a Windows user takes (cpack -G ZIP): the two programs, each alone in its .exe, the
# help pages, the French read-me on where the recipe files live, and the licence. Nothing is
# installed on the system: the folder is unpacked anywhere and run from there.
install(TARGETS velquor-outils RUNTIME DESTINATION .)
if(VELQUOR_UI)
  install(TARGETS velquor RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/aide/ DESTINATION aide)
# Notepad's line ends.
configure_file(${CMAKE_CURRENT_LIST_DIR}/LISEZ-MOI.txt.in
               ${CMAKE_CURRENT_BINARY_DIR}/LISEZ-MOI.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/COPYING ${CMAKE_CURRENT_BINARY_DIR}/COPYING.txt
               COPYONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LISEZ-MOI.txt ${CMAKE_CURRENT_BINARY_DIR}/COPYING.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velquor)
set(CPACK_PACKAGE_VENDOR "Le Velquor")
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_PACKAGE_FILE_NAME "velquor-${PROJECT_VERSION}-windows-x64")
set(CPACK_STRIP_FILES ON)
include(CPack)

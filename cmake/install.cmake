# Installation and the release archive.
#
#   cmake --install build/native --prefix /opt/kestrovan
#     bin/Kestrovan, bin/kestrovan-passwd
#     share/kestrovan/examples/...       profile, listings, settings, landscape
#     share/doc/Kestrovan/...            README and the administrator's guide
#
# On Windows (the mingw builds) everything lands flat in one folder, as it goes
# into PRTG's "Custom Sensors\EXEXML" folder, and `cpack` packs it as a ZIP:
# Kestrovan-<version>-windows-x64.zip or -windows-x86.zip.
include(GNUInstallDirs)

set(KESTROVAN_EXAMPLES
  ${PROJECT_SOURCE_DIR}/examples/PRD.P00
  ${PROJECT_SOURCE_DIR}/examples/SapSim.ini
  ${PROJECT_SOURCE_DIR}/examples/Tallisan.Prf
  "${PROJECT_SOURCE_DIR}/examples/SAP Tallisan.Gbl"
  ${PROJECT_SOURCE_DIR}/examples/Kestrovan.ini)
set(KESTROVAN_DOCS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/guide.md)

if(WIN32)
  install(TARGETS Kestrovan kestrovan-passwd RUNTIME DESTINATION .)
  install(FILES ${KESTROVAN_EXAMPLES} DESTINATION examples)
  install(FILES ${KESTROVAN_DOCS} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  # One archive a bitness: the sensor must match the librfc32.dll it loads.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_PACKAGE_FILE_NAME "Kestrovan-${PROJECT_VERSION}-windows-x64")
  else()
    set(CPACK_PACKAGE_FILE_NAME "Kestrovan-${PROJECT_VERSION}-windows-x86")
  endif()
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  install(TARGETS Kestrovan kestrovan-passwd RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KESTROVAN_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrovan/examples)
  install(FILES ${KESTROVAN_DOCS} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PACKAGE_NAME Kestrovan)
set(CPACK_PACKAGE_VENDOR Kestrovan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PRTG sensor for the ABAP dictionary of SAP systems on DB2 for IBM i")
include(CPack)

# Installs the game as a desktop program and packages it for Debian (cpack -G DEB).
include(GNUInstallDirs)

set(SWP_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/strickwichtspiel)

install(TARGETS strickwichtspiel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/worte.txt DESTINATION ${SWP_SHARE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The game reads worte.txt from its working folder, so the entry must name absolute folders.
# cpack installs under its own prefix, so they are worked out at install time, not now.
install(CODE "
  set(swp_entry_in [[${PROJECT_SOURCE_DIR}/packaging/strickwichtspiel.desktop.in]])
  set(swp_entry_out [[${PROJECT_BINARY_DIR}/packaging/strickwichtspiel.desktop]])
  set(swp_bindir [[${CMAKE_INSTALL_BINDIR}]])
  set(swp_sharedir [[${SWP_SHARE_DIR}]])
  set(swp_appsdir [[${CMAKE_INSTALL_DATADIR}/applications]])
")
install(CODE [[
  cmake_path(ABSOLUTE_PATH swp_bindir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  cmake_path(ABSOLUTE_PATH swp_sharedir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  cmake_path(ABSOLUTE_PATH swp_appsdir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  set(SWP_PATH "${swp_sharedir}")
  set(SWP_EXEC "${swp_bindir}/strickwichtspiel")
  if(SWP_EXEC MATCHES " ")
    set(SWP_EXEC "\"${SWP_EXEC}\"")
  endif()
  configure_file("${swp_entry_in}" "${swp_entry_out}" @ONLY)
  file(INSTALL "${swp_entry_out}" DESTINATION "${swp_appsdir}")
]])

set(CPACK_PACKAGE_NAME strickwichtspiel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Strickwichtspiel-Team <team@strickwichtspiel.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Worträtsel: Buchstaben raten, bevor der Galgen steht")
set(CPACK_PACKAGE_DESCRIPTION
    "Ein Wort aus der Liste wird verdeckt angezeigt. Jeder falsch geratene Buchstabe baut den Galgen ein Stück weiter auf; wer das Wort vorher errät, ist frei.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The linked Qt libraries come from dpkg-shlibdeps; the platform plugin and the fonts that
# stand in for the window's faces are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-lato")
find_program(SWP_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SWP_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libc6, libstdc++6, libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4)")
endif()
include(CPack)

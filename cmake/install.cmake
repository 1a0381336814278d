# Installs the game as a desktop program, for a user (--prefix ~/.local) and for debian/.
include(GNUInstallDirs)

# Debian keeps games apart from other programs; a user install (--prefix ~/.local) follows suit.
set(SWP_GAMES_DIR games CACHE STRING "Folder of the program, relative to the install prefix")
set(SWP_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/games/strickwichtspiel)
set(swp_out ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS strickwichtspiel RUNTIME DESTINATION ${SWP_GAMES_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/worte.txt DESTINATION ${SWP_SHARE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

configure_file(${PROJECT_SOURCE_DIR}/packaging/${SWP_APP_ID}.metainfo.xml.in
    ${swp_out}/${SWP_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/strickwichtspiel.6.in
    ${swp_out}/man/strickwichtspiel.6 @ONLY)
install(FILES ${swp_out}/${SWP_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${swp_out}/man/strickwichtspiel.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The game reads worte.txt from its working folder, so the entry must name absolute folders.
# The prefix is chosen at install time (--prefix), so they are worked out then.
install(CODE "
  set(swp_entry_in [[${PROJECT_SOURCE_DIR}/packaging/${SWP_APP_ID}.desktop.in]])
  set(swp_entry_out [[${swp_out}/${SWP_APP_ID}.desktop]])
  set(SWP_EXEC [[${SWP_GAMES_DIR}/strickwichtspiel]])
  set(SWP_PATH [[${SWP_SHARE_DIR}]])
  set(swp_appsdir [[${CMAKE_INSTALL_DATADIR}/applications]])
")
install(CODE [[
  cmake_path(ABSOLUTE_PATH SWP_EXEC BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  cmake_path(ABSOLUTE_PATH SWP_PATH BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  cmake_path(ABSOLUTE_PATH swp_appsdir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
  if(SWP_EXEC MATCHES " ")
    set(SWP_EXEC "\"${SWP_EXEC}\"")
  endif()
  configure_file("${swp_entry_in}" "${swp_entry_out}" @ONLY)
  file(INSTALL "${swp_entry_out}" DESTINATION "${swp_appsdir}")
]])

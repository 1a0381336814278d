# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Installs the game as a desktop program and packages it for Debian (cpack -G DEB).
include(GNUInstallDirs)

# Debian keeps games apart from other programs; a user install (--prefix ~/.local) follows suit.
set(SWP_GAMES_DIR games CACHE STRING "Folder of the program, relative to the install prefix")
set(SWP_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/games/strickwichtspiel)
set(SWP_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/strickwichtspiel)
set(swp_out ${PROJECT_BINARY_DIR}/packaging)
set(CPACK_PACKAGE_CONTACT "Strickwichtspiel-Team <team@strickwichtspiel.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

install(TARGETS strickwichtspiel RUNTIME DESTINATION ${SWP_GAMES_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/worte.txt DESTINATION ${SWP_SHARE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The release's version and date go into the texts that name them.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${SWP_RELEASE_DATE}")
set(swp_day_text ${CMAKE_MATCH_3})
math(EXPR swp_year "${CMAKE_MATCH_1}")
math(EXPR swp_month "${CMAKE_MATCH_2}")
math(EXPR swp_day "${CMAKE_MATCH_3}")
# The changelog wants the weekday (RFC 5322); Sakamoto's method.
set(swp_month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR swp_index "${swp_month} - 1")
list(GET swp_month_offsets ${swp_index} swp_offset)
set(swp_y ${swp_year})
if(swp_month LESS 3)
  math(EXPR swp_y "${swp_y} - 1")
endif()
math(EXPR swp_weekday "(${swp_y} + ${swp_y}/4 - ${swp_y}/100 + ${swp_y}/400 + ${swp_offset} + ${swp_day}) % 7")
set(swp_weekdays Sun Mon Tue Wed Thu Fri Sat)
set(swp_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET swp_weekdays ${swp_weekday} swp_weekday_name)
list(GET swp_months ${swp_index} swp_month_name)
set(SWP_RELEASE_RFC5322 "${swp_weekday_name}, ${swp_day_text} ${swp_month_name} ${swp_year} 12:00:00 +0000")

configure_file(${PROJECT_SOURCE_DIR}/packaging/${SWP_APP_ID}.metainfo.xml.in
    ${swp_out}/${SWP_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/strickwichtspiel.6.in
    ${swp_out}/man/strickwichtspiel.6 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${swp_out}/doc/changelog @ONLY)
install(FILES ${swp_out}/${SWP_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${SWP_DOC_DIR})

# Debian ships manual pages and changelogs compressed, without a time stamp in the gzip header.
find_program(SWP_GZIP gzip)
if(SWP_GZIP)
  add_custom_command(OUTPUT ${swp_out}/man/strickwichtspiel.6.gz ${swp_out}/doc/changelog.gz
      COMMAND ${SWP_GZIP} -9nkf ${swp_out}/man/strickwichtspiel.6 ${swp_out}/doc/changelog
      DEPENDS ${swp_out}/man/strickwichtspiel.6 ${swp_out}/doc/changelog
      VERBATIM)
  add_custom_target(compressed_docs ALL
      DEPENDS ${swp_out}/man/strickwichtspiel.6.gz ${swp_out}/doc/changelog.gz)
  install(FILES ${swp_out}/man/strickwichtspiel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${swp_out}/doc/changelog.gz DESTINATION ${SWP_DOC_DIR})
else()
  install(FILES ${swp_out}/man/strickwichtspiel.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${swp_out}/doc/changelog DESTINATION ${SWP_DOC_DIR})
endif()

# The game reads worte.txt from its working folder, so the entry must name absolute folders.
# cpack installs under its own prefix, so they are worked out at install time, not now.
install(CODE "
  set(swp_entry_in [[${PROJECT_SOURCE_DIR}/packaging/${SWP_APP_ID}.desktop.in]])
  set(swp_entry_out [[${swp_out}/${SWP_APP_ID}.desktop]])
  set(swp_bindir [[${SWP_GAMES_DIR}]])
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
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Worträtsel: Buchstaben raten, bevor der Galgen steht")
# dpkg wants the long description in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [[
Ein deutsches Wortratespiel für den Desktop: Ein Wort aus der Liste wird
verdeckt angezeigt, Strich für Strich. Jeder Buchstabe, der im Wort vorkommt,
wird an allen seinen Stellen aufgedeckt, Umlaute eingeschlossen. Jeder falsch
geratene Buchstabe baut den Galgen ein Stück weiter auf; wer das Wort errät,
bevor der achte Fehler ihn vollendet, hat gewonnen.

Die Wörter stehen in einer einfachen Textdatei, worte.txt, die das Spiel aus
seinem Arbeitsordner liest; eine eigene Liste spielt man, indem man das Spiel
in ihrem Ordner startet.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The linked Qt libraries come from dpkg-shlibdeps, and with Qt Gui come the X11 platform and
# the JPEG plugins. Qt's German texts for its dialogs and the faces that stand in for the
# window's fonts are loaded at run time, so they are named here. Liberation 2 is
# fonts-liberation from Debian 13 on, and fonts-liberation2 before (1.x differs in its glyphs).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, fonts-liberation (>= 1:2) | fonts-liberation2, fonts-lato")
# Without it the game runs through XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
find_program(SWP_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SWP_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libc6, libstdc++6, libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4)")
endif()
# What Debian's own packaging does beyond cpack: folder rights and the compiler's notes.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/fixup.cmake)
set(CPACK_SWP_GAME "${SWP_GAMES_DIR}/strickwichtspiel")
set(CPACK_SWP_LINTIAN_OVERRIDES "${PROJECT_SOURCE_DIR}/packaging/lintian-overrides")
set(CPACK_SWP_OBJCOPY "${CMAKE_OBJCOPY}")
include(CPack)

# The Windows release: what `cmake --install` puts into one folder that runs where it lies;
# scripts/windows makes the zip of it and the installer (packaging/windows/strickwichtspiel.nsi).
install(TARGETS strickwichtspiel RUNTIME DESTINATION .)
# bin/ is laid out as the release; swp_windows_qt_runtime says what of it ships.
foreach(file ${SWP_WINDOWS_SHIPPED})
  cmake_path(GET file PARENT_PATH folder)
  if(NOT folder)
    set(folder .)
  endif()
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${file} DESTINATION ${folder})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/worte.txt DESTINATION .)

# Windows readers open .txt in Notepad, which wants CR LF.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE swp_licence)
string(REGEX REPLACE "\r?\n" "\r\n" swp_licence "${swp_licence}")
file(WRITE ${PROJECT_BINARY_DIR}/release/LICENSE.txt "${swp_licence}")
install(FILES ${PROJECT_BINARY_DIR}/release/LICENSE.txt DESTINATION .)
# The notice names the Qt that was built and the source package it was built from, which
# Qt's recipe (swp_qt_build in scripts/lib.sh) writes beside it.
file(STRINGS ${SWP_QT_PREFIX}/debian-source.txt SWP_QT_SOURCE LIMIT_COUNT 1)
if(NOT SWP_QT_SOURCE MATCHES "^qt6-base [^ ]+$")
  message(FATAL_ERROR "${SWP_QT_PREFIX}/debian-source.txt names no qt6-base version")
endif()
string(REPLACE ";" ", " SWP_QT_FILES "${SWP_WINDOWS_QT_FILES}")
string(REPLACE " " "=" SWP_QT_SOURCE_PIN "${SWP_QT_SOURCE}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt.in
    ${PROJECT_BINARY_DIR}/release/THIRD-PARTY.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/release/THIRD-PARTY.txt DESTINATION .)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.0.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses
    RENAME gcc-mingw-w64-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses
    RENAME mingw-w64-copyright.txt)

# Every shipped binary loses its symbols, the runtime and Qt's as well as the game's.
set(swp_binaries ${SWP_WINDOWS_SHIPPED})
list(FILTER swp_binaries INCLUDE REGEX "[.]dll$")
install(CODE "
  foreach(file strickwichtspiel.exe ${swp_binaries})
    execute_process(COMMAND [[${CMAKE_STRIP}]] --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\")
  endforeach()")

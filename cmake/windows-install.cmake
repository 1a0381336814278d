# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# The Windows release: one folder that runs where it lies (cpack -G ZIP) and an installer
# (cpack -G NSIS) that puts the same folder under Program Files.
set(swp_dest .)
install(TARGETS strickwichtspiel RUNTIME DESTINATION ${swp_dest})
# The binaries shipped beside it, by their place in the release; Qt Test and the offscreen
# platform serve the tests only.
set(swp_binaries "")
foreach(dll ${SWP_RUNTIME_DLLS} ${SWP_QT_RUNTIME_DLLS})
  get_filename_component(name ${dll} NAME)
  if(NOT name MATCHES "Qt6Test")
    install(FILES ${dll} DESTINATION ${swp_dest})
    list(APPEND swp_binaries ${name})
  endif()
endforeach()
foreach(plugin ${SWP_QT_PLUGINS})
  if(NOT plugin MATCHES "offscreen")
    get_filename_component(folder ${plugin} DIRECTORY)
    install(FILES ${SWP_QT_PLUGIN_DIR}/${plugin} DESTINATION ${swp_dest}/${folder})
    list(APPEND swp_binaries ${plugin})
  endif()
endforeach()
install(FILES ${SWP_QTBASE_DE} DESTINATION ${swp_dest}/translations)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/qt.conf DESTINATION ${swp_dest})
install(FILES ${PROJECT_SOURCE_DIR}/data/worte.txt DESTINATION ${swp_dest})

# Windows readers open .txt in Notepad, which wants CR LF.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE swp_licence)
string(REGEX REPLACE "\r?\n" "\r\n" swp_licence "${swp_licence}")
file(WRITE ${PROJECT_BINARY_DIR}/release/LICENSE.txt "${swp_licence}")
install(FILES ${PROJECT_BINARY_DIR}/release/LICENSE.txt DESTINATION ${swp_dest})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt DESTINATION ${swp_dest})
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION ${swp_dest}/licenses
    RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION ${swp_dest}/licenses
    RENAME GPL-3.0.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION ${swp_dest}/licenses
    RENAME gcc-mingw-w64-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION ${swp_dest}/licenses
    RENAME mingw-w64-copyright.txt)

set(CPACK_PACKAGE_NAME Strickwichtspiel)
set(CPACK_PACKAGE_VENDOR "Strickwichtspiel-Team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Worträtsel: Buchstaben raten, bevor der Galgen steht")
set(CPACK_PACKAGE_FILE_NAME Strickwichtspiel-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Strickwichtspiel)
# Every shipped binary loses its symbols, the runtime and Qt's as well as the game's.
set(CPACK_STRIP_FILES ON)
install(CODE "
  foreach(file strickwichtspiel.exe ${swp_binaries})
    execute_process(COMMAND [[${CMAKE_STRIP}]] --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\")
  endforeach()")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/windows-cpack-options.cmake)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/release/LICENSE.txt)

set(CPACK_NSIS_PACKAGE_NAME Strickwichtspiel)
set(CPACK_NSIS_DISPLAY_NAME Strickwichtspiel)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/icon.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/icon.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME strickwichtspiel.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The game reads worte.txt from its working folder: the link starts it in $INSTDIR.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "SetOutPath '$INSTDIR'\nCreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Strickwichtspiel.lnk' '$INSTDIR\\\\strickwichtspiel.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Strickwichtspiel.lnk'")
# 64-bit stub: the game is 64-bit, and a 32-bit installer would land in Program Files (x86).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows-cpack.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows-cpack.cmake)

# cpack's installer speaks the system's language out of sixty, English first, and some of its
# own lines only in English; ours speaks German, as the game does. CMake's template is taken
# as it is and changed only there, and its file list is the sorted one of windows-cpack.cmake.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in swp_nsis)
string(REGEX REPLACE "(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+"
    "  !insertmacro MUI_LANGUAGE \"German\"\n" swp_nsis "${swp_nsis}")
# Each text must be there: a changed template stops the build rather than ship English.
function(swp_nsis_replace from to)
  string(FIND "${swp_nsis}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template has no ${from}")
  endif()
  string(REPLACE "${from}" "${to}" swp_nsis "${swp_nsis}")
  set(swp_nsis "${swp_nsis}" PARENT_SCOPE)
endfunction()
swp_nsis_replace("@CPACK_NSIS_DELETE_FILES@\n@CPACK_NSIS_DELETE_DIRECTORIES@"
    "!include \"@CPACK_TOPLEVEL_DIRECTORY@/uninstall-files.nsh\"")
# cpack writes some of what it packs at packing time; their dates would differ each time.
swp_nsis_replace("  ;Keep these lines before any File command"
    "  SetDateSave off\n  ;Keep these lines before any File command")
# The program's key goes, and its vendor's would stay behind, empty.
set(swp_key "SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@")
swp_nsis_replace("  DeleteRegKey /ifempty ${swp_key}\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n\n"
    "  DeleteRegKey /ifempty ${swp_key}\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n  DeleteRegKey /ifempty ${swp_key}\"\n\n")
# The foot of each page names the game, not the NSIS build that made the installer; cpack's own
# setting trims the text with an option makensis has only on Windows.
swp_nsis_replace("@CPACK_NSIS_BRANDING_TEXT_CODE@"
    "BrandingText \"@CPACK_NSIS_PACKAGE_NAME@ @CPACK_PACKAGE_VERSION@\"")
swp_nsis_replace("Uninstall.lnk" "@CPACK_NSIS_PACKAGE_NAME@ deinstallieren.lnk")
swp_nsis_replace("\"Set install registry entry: '$1' to '$0'\""
    "\"Registrierungseintrag gesetzt: '$1' = '$0'\"")
swp_nsis_replace("is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?"
    "ist schon installiert. $\\n$\\nSoll die alte Version vor der neuen deinstalliert werden?")
swp_nsis_replace("\"Uninstall failed.\"" "\"Die alte Version ließ sich nicht deinstallieren.\"")
file(WRITE ${PROJECT_BINARY_DIR}/cpack/NSIS.template.in "${swp_nsis}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/cpack)

set(CPACK_GENERATOR ZIP NSIS)
include(CPack)

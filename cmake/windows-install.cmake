# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# The Windows release: one folder that runs where it lies (cpack -G ZIP) and an installer
# (cpack -G NSIS) that installs the same folder, for the player alone or for all users.
install(TARGETS strickwichtspiel RUNTIME DESTINATION .)
# bin/ is laid out as the release; swp_windows_qt_runtime says what of it ships.
foreach(file ${SWP_WINDOWS_SHIPPED})
  get_filename_component(folder ${file} DIRECTORY)
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
# scripts/windows-qt.sh writes beside it.
file(STRINGS ${SWP_QT_PREFIX}/debian-source.txt SWP_QT_SOURCE LIMIT_COUNT 1)
if(NOT SWP_QT_SOURCE MATCHES "^qt6-base [^ ]+$")
  message(FATAL_ERROR "${SWP_QT_PREFIX}/debian-source.txt names no qt6-base version")
endif()
string(REPLACE ";" ", " SWP_QT_FILES "${SWP_WINDOWS_QT_FILES}")
string(REPLACE " " "=" SWP_QT_SOURCE_PIN "${SWP_QT_SOURCE}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt.in
    ${PROJECT_BINARY_DIR}/release/THIRD-PARTY.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/release/THIRD-PARTY.txt DESTINATION .)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses
    RENAME LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses
    RENAME GPL-3.0.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses
    RENAME gcc-mingw-w64-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses
    RENAME mingw-w64-copyright.txt)

set(CPACK_PACKAGE_NAME Strickwichtspiel)
set(CPACK_PACKAGE_VENDOR "Strickwichtspiel-Team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Worträtsel: Buchstaben raten, bevor der Galgen steht")
set(CPACK_PACKAGE_FILE_NAME Strickwichtspiel-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Strickwichtspiel)
# Without the version, so that a new version finds the old one to replace.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Strickwichtspiel)
# Every shipped binary loses its symbols, the runtime and Qt's as well as the game's.
set(CPACK_STRIP_FILES ON)
set(swp_binaries ${SWP_WINDOWS_SHIPPED})
list(FILTER swp_binaries INCLUDE REGEX "[.]dll$")
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

# For the current user, with no administrator asked, unless an administrator chooses all users
# on the page NSIS's MultiUser adds, or with /AllUsers. The template's own choice, all users
# for every administrator, goes.
swp_nsis_replace("  ;Require administrator access\n  RequestExecutionLevel admin\n" [[
  !define MULTIUSER_EXECUTIONLEVEL Highest
  !define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
  !define MULTIUSER_INSTALLMODE_COMMANDLINE
  !define MULTIUSER_USE_PROGRAMFILES64
  !define MULTIUSER_INSTALLMODE_INSTDIR "@CPACK_PACKAGE_INSTALL_DIRECTORY@"
  !define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
  !define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME ""
  !define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Nur ein Administrator kann $(^Name) für alle Benutzer installieren."
  !include MultiUser.nsh
]])
# MultiUser's command line brings a StrStr of its own.
swp_nsis_replace([[Function ${un}StrStr]] [[Function ${un}CPackStrStr]])
swp_nsis_replace("Call StrStr" "Call CPackStrStr")
swp_nsis_replace("Call un.StrStr" "Call un.CPackStrStr")
swp_nsis_replace("  !insertmacro MUI_PAGE_DIRECTORY\n"
    "  !insertmacro MULTIUSER_PAGE_INSTALLMODE\n  !insertmacro MUI_PAGE_DIRECTORY\n")
string(REGEX REPLACE "Function un.onInit\n.*FunctionEnd\n\n;--- Add/Remove"
    "Function un.onInit\n  !insertmacro MULTIUSER_UNINIT\nFunctionEnd\n\n;--- Add/Remove" swp_nsis "${swp_nsis}")
if(NOT swp_nsis MATCHES "MULTIUSER_UNINIT")
  message(FATAL_ERROR "CMake's NSIS template has no un.onInit to replace")
endif()
# MultiUser sets the folder for the mode; one named with /D stays.
swp_nsis_replace("Function .onInit\n" [[
Function .onInit
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  StrCmp $R9 "@CPACK_NSIS_INSTALL_ROOT@\@CPACK_PACKAGE_INSTALL_DIRECTORY@" +2
    StrCpy $INSTDIR $R9
]])
# The template's own choice of folder and mode (all users for any administrator) goes.
string(REGEX REPLACE "\n  ; check to see if /D has been used.*\n  done:\n[^\n]*\n[^\n]*\n[^\n]*\n\n"
    "\n" swp_nsis "${swp_nsis}")
if(swp_nsis MATCHES "SV_ALLUSERS \"AllUsers\"")
  message(FATAL_ERROR "CMake's NSIS template chooses the mode where it was not expected")
endif()
# The old version of the same mode goes first.
swp_nsis_replace("ReadRegStr $0 HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
    "ReadRegStr $0 SHCTX \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
swp_nsis_replace("ExecWait '\"$0\" /S _?=$3'"
    "ExecWait '\"$0\" /S /$MultiUser.InstallMode _?=$3'")
# Notepad saves UTF-8, which the game reads.
swp_nsis_replace("@CPACK_NSIS_CREATE_ICONS_EXTRA@\n" [[
@CPACK_NSIS_CREATE_ICONS_EXTRA@
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Wortliste bearbeiten.lnk" "$WINDIR\notepad.exe" '"$INSTDIR\worte.txt"'
]])
swp_nsis_replace("@CPACK_NSIS_DELETE_ICONS_EXTRA@\n" [[
@CPACK_NSIS_DELETE_ICONS_EXTRA@
  Delete "$SMPROGRAMS\$MUI_TEMP\Wortliste bearbeiten.lnk"
]])
# The word list is the player's: one they edited stays through a new installation and through
# uninstalling; an unchanged one is replaced or removed with the rest.
swp_nsis_replace("  @CPACK_NSIS_FULL_INSTALL@\n" [[
  @CPACK_NSIS_FULL_INSTALL@
  ${IfNot} ${FileExists} "$INSTDIR\worte.txt"
    File "/oname=$INSTDIR\worte.txt" "@CPACK_TOPLEVEL_DIRECTORY@/worte.txt"
  ${EndIf}
]])
swp_nsis_replace(";Uninstaller Section\n" [[
;Uninstaller Section

; $R2 = 1 when the files $R0 and $R1 hold the same bytes, else 0.
Function un.swpSameBytes
  StrCpy $R2 0
  ClearErrors
  FileOpen $R3 $R0 r
  IfErrors done
  FileOpen $R4 $R1 r
  IfErrors closeFirst
  FileSeek $R3 0 END $R5
  FileSeek $R4 0 END $R6
  StrCmp $R5 $R6 0 closeBoth
  FileSeek $R3 0 SET
  FileSeek $R4 0 SET
  loop:
    ClearErrors
    FileReadByte $R3 $R5
    IfErrors same
    FileReadByte $R4 $R6
    StrCmp $R5 $R6 loop closeBoth
  same:
    StrCpy $R2 1
  closeBoth:
    FileClose $R4
  closeFirst:
    FileClose $R3
  done:
FunctionEnd
]])
swp_nsis_replace("@CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS@\n" [[
@CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS@
  InitPluginsDir
  File "/oname=$PLUGINSDIR\worte.txt" "@CPACK_TOPLEVEL_DIRECTORY@/worte.txt"
  StrCpy $R0 "$INSTDIR\worte.txt"
  StrCpy $R1 "$PLUGINSDIR\worte.txt"
  Call un.swpSameBytes
  StrCmp $R2 1 0 +2
    Delete "$INSTDIR\worte.txt"
]])
file(WRITE ${PROJECT_BINARY_DIR}/cpack/NSIS.template.in "${swp_nsis}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/cpack)

set(CPACK_GENERATOR ZIP NSIS)
include(CPack)

; The Windows installer, in German: for the player alone without asking for an administrator,
; or for all users when an administrator chooses so on its second page or with /AllUsers.
; scripts/windows builds it from the files the build installs:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=FOLDER -DFILES=LIST -DOUTFILE=SETUP.exe
; LIST holds '${SwpFile} "\FOLDER" "SOURCE" "TARGET"' for every file of FOLDER but worte.txt,
; then '${SwpFolder} "\FOLDER"' for every folder, deepest first.

; 64-bit: the game is, and a 32-bit installer would land in Program Files (x86).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define NAME Strickwichtspiel
!define PUBLISHER Strickwichtspiel-Team
; Without the version, so that a new version finds the old one to replace.
!define APP_KEY "Software\${PUBLISHER}\${NAME}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
; The uninstaller finds the mode it was installed in here.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME ""
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Nur ein Administrator kann $(^Name) für alle Benutzer installieren."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ICON "../../assets/icon.ico"
!define MUI_UNICON "../../assets/icon.ico"
!define MUI_ABORTWARNING
Var StartMenuFolder
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_STARTMENUPAGE_DEFAULTFOLDER "${NAME}"
!define MUI_STARTMENUPAGE_REGISTRY_ROOT SHCTX
!define MUI_STARTMENUPAGE_REGISTRY_KEY "${APP_KEY}"
!define MUI_STARTMENUPAGE_REGISTRY_VALUENAME "Start Menu Folder"
!insertmacro MUI_PAGE_STARTMENU Application $StartMenuFolder
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE German

!macro SwpInstallFile FOLDER SOURCE TARGET
  SetOutPath "$INSTDIR${FOLDER}"
  File "${STAGE}/${SOURCE}"
!macroend
!macro SwpRemoveFile FOLDER SOURCE TARGET
  Delete "$INSTDIR\${TARGET}"
!macroend
!macro SwpRemoveFolder FOLDER
  RMDir "$INSTDIR${FOLDER}"
!macroend
!macro SwpNothing FOLDER
!macroend

Function .onInit
  ; MultiUser sets the folder for the mode; one named with /D stays.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R9 != ""
    StrCpy $INSTDIR $R9
  ${EndIf}
  ; The old version of the same mode goes first, by its own uninstaller.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 != ""
    MessageBox MB_YESNO|MB_ICONEXCLAMATION \
      "${NAME} ist schon installiert.$\n$\nSoll die alte Version vor der neuen deinstalliert werden?" \
      /SD IDYES IDYES +2
    Abort
    ; Its folder: the quoted "FOLDER\Uninstall.exe" without quotes and name (15 characters).
    StrCpy $1 $0 -15 1
    ClearErrors
    ExecWait '$0 /S /$MultiUser.InstallMode _?=$1'
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "Die alte Version ließ sich nicht deinstallieren." /SD IDOK
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

Section
  !define SwpFile "!insertmacro SwpInstallFile"
  !define SwpFolder "!insertmacro SwpNothing"
  !include "${FILES}"
  !undef SwpFile
  !undef SwpFolder
  ; The word list is the player's: one they edited stays.
  ${IfNot} ${FileExists} "$INSTDIR\worte.txt"
    SetOutPath "$INSTDIR"
    File "${STAGE}/worte.txt"
  ${EndIf}

  WriteRegStr SHCTX "${APP_KEY}" "" "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\strickwichtspiel.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application
    CreateDirectory "$SMPROGRAMS\$StartMenuFolder"
    ; The game reads worte.txt from its working folder: the link starts it in $INSTDIR.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\$StartMenuFolder\${NAME}.lnk" "$INSTDIR\strickwichtspiel.exe"
    ; Notepad saves UTF-8, which the game reads.
    CreateShortCut "$SMPROGRAMS\$StartMenuFolder\Wortliste bearbeiten.lnk" "$WINDIR\notepad.exe" \
      '"$INSTDIR\worte.txt"'
    CreateShortCut "$SMPROGRAMS\$StartMenuFolder\${NAME} deinstallieren.lnk" "$INSTDIR\Uninstall.exe"
  !insertmacro MUI_STARTMENU_WRITE_END
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

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

Section Uninstall
  ; A list the player edited stays; the shipped one, carried here to compare, goes.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\worte.txt" "${STAGE}/worte.txt"
  StrCpy $R0 "$INSTDIR\worte.txt"
  StrCpy $R1 "$PLUGINSDIR\worte.txt"
  Call un.swpSameBytes
  ${If} $R2 == 1
    Delete "$INSTDIR\worte.txt"
  ${EndIf}
  !define SwpFile "!insertmacro SwpRemoveFile"
  !define SwpFolder "!insertmacro SwpRemoveFolder"
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  !insertmacro MUI_STARTMENU_GETFOLDER Application $R0
  Delete "$SMPROGRAMS\$R0\${NAME}.lnk"
  Delete "$SMPROGRAMS\$R0\Wortliste bearbeiten.lnk"
  Delete "$SMPROGRAMS\$R0\${NAME} deinstallieren.lnk"
  RMDir "$SMPROGRAMS\$R0"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${APP_KEY}"
  ; The publisher's key would stay behind, empty.
  DeleteRegKey /ifempty SHCTX "Software\${PUBLISHER}"
SectionEnd

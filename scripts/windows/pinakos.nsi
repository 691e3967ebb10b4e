; The Italian installer of Pinakos for Windows (makensis, from scripts/package.sh windows).
;
; Installs for the current user only, into %LOCALAPPDATA%\Programs\Pinakos:
; no administrator needed, and the program may write its catalogs into its
; own folder, as it does. Start-menu shortcut, optional desktop shortcut, an
; entry with the icon in "App installate"; the uninstaller removes the program
; and asks before removing catalogs, photos, documents and the password file
; (keeping them unless told otherwise, and always when silent).
;
; Defines given by scripts/package.sh:
;   VERSION   the program's version (1.0)
;   SOURCE    the program folder to install
;   FILES     an include file listing the program's own files, for the uninstaller
;   ICON      the program icon (pinakos.ico)
;   OUTFILE   the installer to write

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define APP "Pinakos"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pinakos"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "Software\${APP}" "Cartella"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1040 "ProductName" "${APP}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${APP}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "${APP}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pinakos.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia ${APP}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Section "${APP}" SecProgram
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r /x unins000.dll "${SOURCE}\*.*"
  ; The password file is the user's: a new installation over an old one keeps it.
  SetOverwrite off
  File "${SOURCE}\unins000.dll"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\Disinstalla.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\pinakos.exe" "" "$INSTDIR\pinakos.exe" 0

  WriteRegStr HKCU "Software\${APP}" "Cartella" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pinakos.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Collegamento sul desktop" SecDesktop
  SetShellVarContext current
  CreateShortcut "$DESKTOP\${APP}.lnk" "$INSTDIR\pinakos.exe" "" "$INSTDIR\pinakos.exe" 0
SectionEnd

LangString DESC_SecProgram ${LANG_ITALIAN} "Il programma, la guida e le librerie che gli servono."
LangString DESC_SecDesktop ${LANG_ITALIAN} "Un collegamento a ${APP} sul desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_SecProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DESC_SecDesktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  SetShellVarContext current
  ; The program's own files, as installed.
  !include "${FILES}"
  Delete "$INSTDIR\Disinstalla.exe"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$DESKTOP\${APP}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\${APP}"

  ; What the user made: kept unless asked (and always kept when silent).
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Eliminare anche i cataloghi, le foto, i documenti allegati e la password di ${APP}?$\r$\n$\r$\nSe si sceglie No restano nella cartella $INSTDIR." \
    /SD IDNO IDYES removeData IDNO keepData
  removeData:
    Delete "$INSTDIR\*.art"
    RMDir /r "$INSTDIR\Pinakos"
    RMDir /r "$INSTDIR\Documenti_Allegati"
    Delete "$INSTDIR\unins000.dll"
    Delete "$INSTDIR\Inventario_Opere.xls"
  keepData:
  RMDir "$INSTDIR"
SectionEnd

; The Windows setup program of Tessio. scripts/windows builds it with
;   makensis -DSTAGE=<program folder> -DGENERATED=<build>/nsis -DOUTFILE=<setup.exe> tessio.nsi
; STAGE is the folder that `cmake --install` laid out. GENERATED holds version.nsh (VERSION and COPYRIGHT,
; written when the build is configured), and the lists that packaging/windows/nsis-lists.cmake makes from
; the install manifest: files.nsh (the installed files, so that the uninstaller removes exactly those) and
; guides.nsh (a Start-menu shortcut for the user guide of each language). "/S" installs and uninstalls
; silently.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!ifndef STAGE | GENERATED | OUTFILE
  !error "define STAGE, GENERATED and OUTFILE"
!endif
!include /CHARSET=UTF8 "${GENERATED}\version.nsh"

!define PRODUCT "Tessio"
!define PUBLISHER "Varnel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel Tessio"
; Case files, for every user of the computer: .WAU names the type, the type its name, icon and command.
!define CASE_EXTENSION "Software\Classes\.WAU"
!define CASE_TYPE "Tessio.Case"
!define CASE_TYPE_KEY "Software\Classes\${CASE_TYPE}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varnel\Tessio"
RequestExecutionLevel admin
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

; Tessio's icon (tools/render-icons) and the picture of the welcome and finish pages (tools/render-welcome),
; beside this file.
!define MUI_ICON "tessio.ico"
!define MUI_UNICON "tessio.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "welcome.bmp"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessio.exe"
; The setup program asks for its language, the system's preselected (or the one chosen when Tessio was
; installed before); the uninstaller speaks the one chosen. Silent installs ask nothing.
!define MUI_LANGDLL_ALWAYSSHOW
; Asked before any language is chosen, so in all three.
!define MUI_LANGDLL_WINDOWTITLE "Tessio"
!define MUI_LANGDLL_INFO "Escolha o idioma / Elija el idioma / Choose a language"
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the language of a system that speaks none of the three. The licence stays the MIT text.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString NEEDS_64BIT ${LANG_ENGLISH} "Tessio needs 64-bit Windows."
LangString NEEDS_64BIT ${LANG_PORTUGUESEBR} "O Tessio precisa do Windows de 64 bits."
LangString NEEDS_64BIT ${LANG_SPANISH} "Tessio necesita Windows de 64 bits."
; The name of the case files' type, as Explorer shows it.
LangString CASE_TYPE_NAME ${LANG_ENGLISH} "Tessio case"
LangString CASE_TYPE_NAME ${LANG_PORTUGUESEBR} "Caso do Tessio"
LangString CASE_TYPE_NAME ${LANG_SPANISH} "Caso de Tessio"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "$(NEEDS_64BIT)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MUI_LANGDLL_DISPLAY
  ; For every user of the computer: shortcuts in the common Start menu.
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
  SetShellVarContext all
FunctionEnd

Section "Tessio" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Tessio"
  CreateShortcut "$SMPROGRAMS\Tessio\Tessio.lnk" "$INSTDIR\tessio.exe"
  !include /CHARSET=UTF8 "${GENERATED}\guides.nsh"

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessio.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; A double click on a case file opens it in Tessio.
  WriteRegStr HKLM "${CASE_EXTENSION}" "" "${CASE_TYPE}"
  WriteRegStr HKLM "${CASE_TYPE_KEY}" "" "$(CASE_TYPE_NAME)"
  WriteRegStr HKLM "${CASE_TYPE_KEY}\DefaultIcon" "" '"$INSTDIR\tessio.exe",0'
  WriteRegStr HKLM "${CASE_TYPE_KEY}\shell\open\command" "" '"$INSTDIR\tessio.exe" "%1"'
  ; SHCNE_ASSOCCHANGED: Explorer shows the new icon without a restart.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  ; Exactly the installed files, so that a folder chosen by hand loses nothing else. The settings the
  ; program keeps in the registry stay for a later installation.
  !include /CHARSET=UTF8 "${GENERATED}\files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  RMDir /r "$SMPROGRAMS\Tessio"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The case file type; .WAU only while it still names it (another program may have taken it since),
  ; and its key only when nothing else is left in it.
  DeleteRegKey HKLM "${CASE_TYPE_KEY}"
  ReadRegStr $0 HKLM "${CASE_EXTENSION}" ""
  ${If} $0 == "${CASE_TYPE}"
    DeleteRegValue HKLM "${CASE_EXTENSION}" ""
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${CASE_EXTENSION}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

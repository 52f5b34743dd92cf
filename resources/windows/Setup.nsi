; The setup program of Coralux, Coralux-VERSION-setup.exe, built by NSIS's
; makensis from resources/CMakeLists.txt, which defines VERSION, SCR (the
; built Coralux.scr), HELP (ReadMe.chm), ICON and OUTFILE.
;
; The host's Screen Saver Settings list the .scr files of the Windows and
; System32 folders, so the saver is installed for the machine, with the
; administrator's consent: Coralux.scr into the 64-bit System32 folder, the
; help and the uninstaller into Program Files\Coralux. For the installing
; user it writes "Path" (the help's folder, the one value the program never
; writes) and makes Coralux the current screen saver. Other users find the
; help through the Start menu's "Coralux Screensaver Help" and through the
; entry in Apps & features. /S installs and uninstalls silently.

Unicode true
; The saver is a 64-bit program; so is its setup, which then sees the real
; System32 folder and the 64-bit registry without redirection.
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define PRODUCT "Coralux Screensaver"
!define PUBLISHER "Quillworth Software"
!define SETTINGS_KEY "Software\Quillworth Software\Coralux Screensaver"
!define COMPANY_KEY "Software\Quillworth Software"
!define DESKTOP_KEY "Control Panel\Desktop"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Coralux"
!define HELP_SHORTCUT "$SMPROGRAMS\Coralux Screensaver Help.lnk"
!define DEFAULT_TIMEOUT "600" ; seconds, what the host's own settings offer first
!define SPI_SETSCREENSAVETIMEOUT 15
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3 ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE
!define ERROR_ELEVATION_REQUIRED 740

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Coralux"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "Coralux-${VERSION}-setup.exe"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$SYSDIR\control.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "desk.cpl,,@screensaver"
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver Settings"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Installing for the machine needs an administrator; without one the setup
; says so and ends with the system's "elevation required".
!macro REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed for every user of this computer: please run the setup as an administrator." /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro REQUIRE_ADMIN
FunctionEnd

Function un.onInit
  !insertmacro REQUIRE_ADMIN
FunctionEnd

; Makes Coralux the installing user's screen saver. A timeout and the
; "active" mark the user already has stay as they are; the system is told,
; so that the running session takes the change without a new logon.
Function MakeCurrentSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\Coralux.scr"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveTimeOut"
  ${If} $0 == ""
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveTimeOut" "${DEFAULT_TIMEOUT}"
    System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVETIMEOUT}, i ${DEFAULT_TIMEOUT}, p 0, i ${SPIF_UPDATE_AND_SEND})"
  ${EndIf}
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${If} $1 == ""
    StrCpy $1 "1"
  ${EndIf}
  System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i $1, p 0, i ${SPIF_UPDATE_AND_SEND})"
FunctionEnd

Section "-Coralux"
  SetOutPath "$SYSDIR"
  File "/oname=Coralux.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  File "/oname=ReadMe.chm" "${HELP}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${HELP_SHORTCUT}" "$INSTDIR\ReadMe.chm"

  WriteRegStr HKCU "${SETTINGS_KEY}" "Path" "$INSTDIR\"
  Call MakeCurrentSaver

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Coralux.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Readme" "$INSTDIR\ReadMe.chm"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "$SYSDIR" "/M=Coralux.scr /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Coralux"
  Delete /REBOOTOK "$SYSDIR\Coralux.scr"
  Delete "$INSTDIR\ReadMe.chm"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${HELP_SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Only the saver this setup installed is taken back; another one the user
  ; chose since stays chosen.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\Coralux.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${If} $1 != ""
      System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i $1, p 0, i ${SPIF_UPDATE_AND_SEND})"
    ${EndIf}
  ${EndIf}

  ; "Path" names the folder just removed; the user's own settings stay.
  DeleteRegValue HKCU "${SETTINGS_KEY}" "Path"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
SectionEnd

Section /o "un.Also remove my Coralux settings"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
SectionEnd

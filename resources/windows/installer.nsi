; The per-user installer of Desktop Sorvane for 64-bit Windows.
;   makensis -DVERSION=0.1.0 -DSTAGE=<installed tree> -DOUTFILE=<setup.exe> installer.nsi
; STAGE is what `cmake --install` put in place for the Windows build.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"

!define NAME "Desktop Sorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DesktopSorvane"

Name "${NAME}"
OutFile "${OUTFILE}"
; Per user: no administrator is asked, and the program folder is the user's
; own, so config.dat and the stored pictures can live beside the program.
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_FINISHPAGE_RUN "$INSTDIR\desktop-sorvane.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\desktop-sorvane.exe"
  File "${STAGE}\template.html"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\samples"
  File "${STAGE}\samples\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The program, and the way back to the earlier wallpaper beside it.
  CreateDirectory "$SMPROGRAMS\${NAME}"
  CreateShortcut "$SMPROGRAMS\${NAME}\${NAME}.lnk" "$INSTDIR\desktop-sorvane.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}\Stop the Desktop Slide Show.lnk" \
    "$INSTDIR\desktop-sorvane.exe" "--stop-desktop"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Desktop Sorvane developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\desktop-sorvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Takes away what the installer put there and nothing else: the user's
; pictures (images\) and settings (config.dat) stay, and so does the folder
; while they are in it.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${NAME}\${NAME}.lnk"
  Delete "$SMPROGRAMS\${NAME}\Stop the Desktop Slide Show.lnk"
  RMDir "$SMPROGRAMS\${NAME}"
  Delete "$INSTDIR\desktop-sorvane.exe"
  Delete "$INSTDIR\template.html"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\samples"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

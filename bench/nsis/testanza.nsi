; The same product, the same six files, as an NSIS installer: the yardstick
; for setup.exe's size. Built by bench/installer_size.sh, never shipped.
Unicode false
SetCompressor /SOLID lzma
Name "Testanza 1.20"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES\Testanza"
RequestExecutionLevel admin
LicenseData "${LICENSE}"
Page license
Page directory
Page instfiles

Section
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\Testanza.exe"
  File "${PAYLOAD}\Testanza.hlp"
  File "${PAYLOAD}\Uninstall.exe"
  File "${PAYLOAD}\Testanza.txt"
  File "${PAYLOAD}\US-Caps_FITB.TZ1"
  File "${PAYLOAD}\US-Caps_MULT.TZ1"
  CreateShortCut "$DESKTOP\Testanza.lnk" "$INSTDIR\Testanza.exe"
  CreateDirectory "$SMPROGRAMS\Testanza"
  CreateShortCut "$SMPROGRAMS\Testanza\Testanza.lnk" "$INSTDIR\Testanza.exe"
  CreateShortCut "$SMPROGRAMS\Testanza\Testanza Help.lnk" "$INSTDIR\Testanza.hlp"
  CreateShortCut "$SMPROGRAMS\Testanza\Uninstall Testanza.lnk" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "SOFTWARE\DU Dodoridu\Testanza\1.20" "" "0"
  WriteRegStr HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Testanza.exe" "" "$INSTDIR\Testanza.exe"
  WriteRegStr HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Testanza.exe" "Path" "$INSTDIR"
  WriteRegStr HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Testanza" "DisplayName" "Testanza 1.20"
  WriteRegStr HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Testanza" "UninstallString" '"$INSTDIR\Uninstall.exe"'
SectionEnd

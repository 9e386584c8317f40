; The Windows installer of Tarnvik. tools/package-windows.sh builds it from
; the folder that also goes into the portable zip:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.0 -DVERSION_QUAD=2.0.0.0
;     -DSTAGE=DIR -DUNINSTALL_LIST=FILE.nsh -DICON=tarnvik.ico
;     -DOUTFILE=Tarnvik-2.0-setup.exe packaging/windows/tarnvik.nsi
; STAGE holds tarnvik.exe, tarnvik-cli.exe, the DLLs they load and the Qt
; plugins in platforms/ and styles/; all of it goes to
; C:\Program Files\Tarnvik. UNINSTALL_LIST holds the uninstaller's Delete
; and RMDir lines for exactly those files and folders, so that uninstalling
; takes away what was installed and nothing else, even from a folder the
; user picked that holds other files.
; "/S" installs or uninstalls without asking.

; A 64-bit installer for a 64-bit program: it writes the registry's and
; the file system's 64-bit views, and Windows itself turns it away on a
; 32-bit system, where the program would not run either.
Target amd64-unicode
Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnvik"

Name "Tarnvik ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarnvik"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "Tarnvik"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Tarnvik ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where Windows speaks neither.
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Section
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; One shortcut for every user, named as the program.
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Tarnvik.lnk" "$INSTDIR\tarnvik.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarnvik"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarnvik.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tarnvik"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tarnvik.lnk"
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: a file the user put there keeps the folder, and the folder the
  ; user chose is never emptied wholesale.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The settings under HKCU\Software\Tarnvik (search roots, window size)
  ; belong to the user and stay: a reinstall or an update finds them as
  ; they were. The uninstaller also runs elevated, often as another
  ; account, whose HKCU is not the user's.
SectionEnd

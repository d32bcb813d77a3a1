; The Vorlune installer, in Simplified Chinese, per user, no administrator
; rights. scripts/lib/make-packages.sh runs makensis on it with:
;   -DVERSION=4.2 -DARCH=win64|win32 -DDIST=<folder of the product>
;   -DOUTFILE=<installer to write>
; The catalogue "Kestrova", Kestrova.bak and Kestrova.ini are the user's
; data: the installer writes the empty catalogue only where none exists and
; never replaces any of them; the uninstaller keeps them unless the user
; ticks the box that says they will be deleted.

!if "${ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Vorlune"
!define EXE "Kestrova.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlune"
!define PUBLISHER "Vorlune 开发组"
!define MENU_FOLDER "$SMPROGRAMS\Vorlune"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The catalogue beside the program must be writable, which Program Files is
; not for a standard user: the default is the user's own programs folder.
InstallDir "$LOCALAPPDATA\Programs\Vorlune"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!define MUI_WELCOMEPAGE_TEXT "本向导将在您的计算机上安装 ${PRODUCT} ${VERSION}。$\r$\n$\r$\n如果已经安装过 ${PRODUCT}，升级只替换程序和帮助文件，您的编目数据库（全部快照）、它的备份和设置保持不变。$\r$\n$\r$\n安装前请先退出正在运行的 ${PRODUCT}。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.DataPage un.DataPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; Pushes 1 when the program in $INSTDIR runs or its catalogue is open: a
; running executable cannot be opened for writing, an open catalogue cannot
; be opened without sharing. Pushes 0 otherwise.
!macro IN_USE_CHECK prefix
Function ${prefix}InUse
  Push $0
  Push $1
  Push $2
  StrCpy $2 0
  ${If} ${FileExists} "$INSTDIR\${EXE}"
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${EXE}", i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 P<> -1
      System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 = 32
      StrCpy $2 1
    ${EndIf}
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Kestrova"
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\Kestrova", i 0x80000000, i 0, p 0, i 3, i 0x80, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 P<> -1
      System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 = 32
      StrCpy $2 1
    ${EndIf}
  ${EndIf}
  Exch $2
  Exch 2
  Pop $0
  Pop $1
FunctionEnd
!macroend
!insertmacro IN_USE_CHECK ""
!insertmacro IN_USE_CHECK "un."

!define IN_USE_TEXT "${PRODUCT} 正在从 $INSTDIR 运行，或者它的编目数据库正被打开。$\r$\n$\r$\n请先退出 ${PRODUCT}，然后再运行本程序。没有更改任何文件。"

Function DirectoryLeave
  Call InUse
  Pop $0
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONSTOP "${IN_USE_TEXT}"
    Abort
  ${EndIf}
FunctionEnd

Section "Vorlune" SecProgram
  SectionIn RO
  ; Checked again here: silent mode has no pages, and the program may have
  ; been started since the folder was chosen. Nothing is written before.
  Call InUse
  Pop $0
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONSTOP "${IN_USE_TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${DIST}/${EXE}"
  File "${DIST}/Kestrova.chm"
  ; The empty catalogue only where none exists.
  SetOverwrite off
  File "${DIST}/Kestrova"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Vorlune.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  CreateShortcut "${MENU_FOLDER}\Vorlune 帮助.lnk" "$INSTDIR\Kestrova.chm"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The uninstaller's page for the user's data: one box, unticked.
Var DeleteDataBox
Var DeleteData

Function un.DataPage
  !insertmacro MUI_HEADER_TEXT "您的数据" "选择是否保留编目数据库和设置。"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 48u "默认情况下，卸载只删除程序文件、快捷方式和已安装程序列表中的条目。编目数据库 Kestrova（您的全部快照）、它的备份 Kestrova.bak 和设置文件 Kestrova.ini 保留在 $INSTDIR 中，重新安装后可以继续使用。"
  Pop $0
  ${NSD_CreateCheckbox} 0 56u 100% 24u "同时删除编目数据库、备份和设置（全部快照将被永久删除，无法恢复）"
  Pop $DeleteDataBox
  ${NSD_SetState} $DeleteDataBox ${BST_UNCHECKED}
  nsDialogs::Show
FunctionEnd

Function un.DataPageLeave
  ${NSD_GetState} $DeleteDataBox $DeleteData
FunctionEnd

Section "Uninstall"
  Call un.InUse
  Pop $0
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONSTOP "${IN_USE_TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Kestrova.chm"
  ; Silent mode shows no page, so $DeleteData stays empty: data kept.
  ${If} $DeleteData == ${BST_CHECKED}
    Delete "$INSTDIR\Kestrova"
    Delete "$INSTDIR\Kestrova-wal"
    Delete "$INSTDIR\Kestrova-shm"
    Delete "$INSTDIR\Kestrova-journal"
    Delete "$INSTDIR\Kestrova2"
    Delete "$INSTDIR\Kestrova.bak"
    Delete "$INSTDIR\Kestrova.ini"
  ${EndIf}

  Delete "${MENU_FOLDER}\Vorlune.lnk"
  Delete "${MENU_FOLDER}\Vorlune 帮助.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Last, so that its absence tells that the rest is done.
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd

; Tessivo's installer, built on Linux by scripts/package:
;   makensis -DVERSION=1.2.3 -DVERSION_QUAD=1.2.3.0 -DSTAGE=<folder with the files>
;            -DOUTFILE=<setup.exe> -DICON=<tessivo.ico> installer/tessivo.nsi
;
; A per-user install: no administrator rights, the program goes to
; %LOCALAPPDATA%\Programs\Tessivo, its shortcut to the user's Start menu and
; its "Apps & features" entry under HKEY_CURRENT_USER. A 64-bit installer, so
; that it sees the registry as the 64-bit program does (the Run keys).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!ifndef VERSION | VERSION_QUAD | STAGE | OUTFILE | ICON
  !error "VERSION, VERSION_QUAD, STAGE, OUTFILE and ICON must be defined (see scripts/package)"
!endif

!define PRODUCT "Tessivo"
!define PUBLISHER "Quorvel"
!define EXE "tessivo.exe"
!define UNINSTALLER "uninstall.exe"
!define SENDTO_NAME "Add to Tessivo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessivo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define OPTIONS_KEY "Software\Tessivo"
; The window class of the program's main window. Only that window has it;
; its caption is shared with the About box.
!define WINDOW_CLASS "TessivoMainWindow"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; EndRunningTessivo: ends every running copy of $INSTDIR\tessivo.exe, so its
; file can be replaced or removed. Each is asked to close: WM_CLOSE to its
; main window runs its exit sequence (the list and the options are saved,
; the icon removed); one still running after 5 s (its question whether to
; end although the list could not be saved, say) is terminated. Every wait is bounded,
; so a silent run cannot hang. Copies of Tessivo started from elsewhere (a
; portable one) are left alone.
!macro END_RUNNING_TESSIVO prefix
Function ${prefix}EndRunningTessivo
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  ; The program's path as Windows reports it for the process. The
  ; uninstaller's temporary copy gets its folder with a trailing backslash.
  StrCpy $R6 "$INSTDIR" "" -1
  ${If} $R6 == "\"
    StrCpy $R6 "$INSTDIR${EXE}"
  ${Else}
    StrCpy $R6 "$INSTDIR\${EXE}"
  ${EndIf}
  StrCpy $R4 0 ; copies ended, a bound against a window that keeps coming back
  StrCpy $R0 0
  ${Do}
    ; The next top-level window of the class, hidden ones (the program in
    ; the tray) included.
    System::Call 'user32::FindWindowExW(p 0, p R0, w "${WINDOW_CLASS}", p 0) p .R0'
    ${If} $R0 P= 0
    ${OrIf} $R4 >= 10
      ${Break}
    ${EndIf}
    StrCpy $R1 0
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    ; SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i R1) p .R2'
    ${If} $R2 P= 0
      ${Continue}
    ${EndIf}
    StrCpy $R3 ""
    System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN})'
    ${If} $R3 == $R6 ; StrCmp ignores case, as Windows paths do
      DetailPrint "Closing the running ${PRODUCT}"
      System::Call 'user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)'
      System::Call 'kernel32::WaitForSingleObject(p R2, i 5000) i .R5'
      ${If} $R5 != 0 ; not WAIT_OBJECT_0: it did not end
        DetailPrint "Ending ${PRODUCT}, which did not close"
        System::Call 'kernel32::TerminateProcess(p R2, i 1)'
        System::Call 'kernel32::WaitForSingleObject(p R2, i 5000)'
      ${EndIf}
      IntOp $R4 $R4 + 1
      StrCpy $R0 0 ; its windows are gone: search again from the start
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R2)'
  ${Loop}
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro END_RUNNING_TESSIVO ""
!insertmacro END_RUNNING_TESSIVO "un."

; Set when this run finds no earlier installation: a failed run then takes
; away everything it made. Over an earlier installation a failed run leaves
; that one's files and entries as they are.
Var FreshInstall

; InstallFailed: the step named on the stack failed. Says why (a message box
; when not silent; always in the installer's details and in
; %TEMP%\Tessivo-setup.log), removes what a fresh install made, and ends the
; installer with exit code 2, so a silent install never reports success
; without a program installed.
Function InstallFailed
  Exch $R0
  DetailPrint "Installation failed: $R0"
  ClearErrors
  FileOpen $R1 "$TEMP\${PRODUCT}-setup.log" w
  ${IfNot} ${Errors}
    FileWrite $R1 "${PRODUCT} ${VERSION} was not installed into $INSTDIR: $R0$\r$\n"
    FileClose $R1
  ${EndIf}
  ${If} $FreshInstall == 1
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$SENDTO\${SENDTO_NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; A folder in a file's place is the user's, and is left alone.
    ${IfNot} ${FileExists} "$INSTDIR\${EXE}\*.*"
      Delete "$INSTDIR\${EXE}"
    ${EndIf}
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
    RMDir "$INSTDIR"
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} could not be installed: $R0" /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd

!macro FAIL_IF_ERRORS reason
  ${If} ${Errors}
    Push "${reason}"
    Call InstallFailed
  ${EndIf}
!macroend

Section "Tessivo"
  SetShellVarContext current
  StrCpy $FreshInstall 1
  ClearErrors
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${Errors}
    StrCpy $FreshInstall 0
  ${EndIf}
  Call EndRunningTessivo

  ; Each step is checked: a file where the folder should be, a folder where
  ; the program should be, a full disk or a refused write ends the install.
  ${If} ${FileExists} "$INSTDIR"
  ${AndIfNot} ${FileExists} "$INSTDIR\*.*"
    Push "$INSTDIR is a file, not a folder."
    Call InstallFailed
  ${EndIf}
  ClearErrors
  SetOutPath "$INSTDIR"
  !insertmacro FAIL_IF_ERRORS "the folder $INSTDIR cannot be made."
  ${If} ${FileExists} "$INSTDIR\${EXE}\*.*"
    Push "$INSTDIR\${EXE} is a folder; remove it and try again."
    Call InstallFailed
  ${EndIf}
  ClearErrors
  File "${STAGE}\${EXE}"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\THIRD-PARTY-NOTICES.txt"
  !insertmacro FAIL_IF_ERRORS "the program's files cannot be written into $INSTDIR."
  ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
    Push "$INSTDIR\${EXE} is missing after copying."
    Call InstallFailed
  ${EndIf}
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  !insertmacro FAIL_IF_ERRORS "the uninstaller cannot be written into $INSTDIR."

  ClearErrors
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "Tessivo wallpaper changer"
  !insertmacro FAIL_IF_ERRORS "the Start-menu shortcut cannot be made."

  ; Explorer's "Send to" menu: the files and folders chosen there follow
  ; the shortcut's own argument, so the program gets "/add <them>".
  ClearErrors
  CreateShortcut "$SENDTO\${SENDTO_NAME}.lnk" "$INSTDIR\${EXE}" "/add" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "Add the chosen pictures and folders to Tessivo's list"
  !insertmacro FAIL_IF_ERRORS "the Send-to shortcut cannot be made."

  ; The uninstall entry comes last: it says the program is installed.
  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro FAIL_IF_ERRORS "the uninstall entry cannot be written."
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.EndRunningTessivo

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SENDTO\${SENDTO_NAME}.lnk"
  ; Starting with Windows: the program's own value, per user or for the
  ; machine. A standard user cannot change the machine's key; that value then
  ; stays, and the system skips it once the program is gone.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The options and the last list are the user's data: removed only when the
  ; user says so, and kept by a silent uninstall (ready for a reinstall).
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove your ${PRODUCT} options and the list of pictures it remembers?$\n$\n\
     (The pictures themselves are not touched.)" /SD IDNO IDNO keep_user_data
    DeleteRegKey HKCU "${OPTIONS_KEY}"
    Delete "$INSTDIR\LastList.lst"
    RMDir /r "$APPDATA\${PRODUCT}"
  keep_user_data:

  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: nothing the user put in the folder is removed.
  RMDir "$INSTDIR"
SectionEnd

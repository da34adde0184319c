; Tavrin Eyes 2.0 setup: puts the eyes, skinner and the post-install opener side by side in
; "Program Files\Tavrin Eyes", with a desktop shortcut, a Start menu folder and an entry in
; Add/Remove Programs, and writes the uninstaller that takes all of it away again.
;
; Built by the cross build:
;   makensis -DPROGRAMS_DIR=<folder of the three programs> -DAPP_ICON=<app.ico> -DOUTFILE=<setup.exe>
;            [-DWIZARD_BITMAP=<164 x 314 picture for the welcome and finish pages>] TavrinEyes.nsi
;
; Decisions:
; - A 64-bit setup: the programs are 64-bit, so the setup sees the same Program Files folder and
;   registry view as they do (the Run value they write is the one the uninstaller removes).
; - Installed for all users with administrator rights: the programs go into Program Files and the
;   uninstall entry into HKLM, both of which need them, and the eyes register themselves to start
;   with Windows in HKLM on their first run, which works when that first run comes from the setup.
;   The shortcuts therefore go to the all-users desktop and Start menu, like the programs.
; - The setup never touches the user's settings (HKCU), so installing again keeps them; only the
;   uninstaller removes them.

!ifndef PROGRAMS_DIR
  !error "PROGRAMS_DIR: the folder of the three programs"
!endif
!ifndef APP_ICON
  !error "APP_ICON: the application icon"
!endif
!ifndef OUTFILE
  !error "OUTFILE: the setup file to write"
!endif

Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Tavrin Eyes"
!define VERSION "2.0"
!define PUBLISHER "Brellik's Software"
!define SITE "http://www.tavrineyes.example"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrinEyes"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PUBLISHER_KEY "Software\Brellik's Software"
!define PRODUCT_KEY "${PUBLISHER_KEY}\Tavrin Eyes"
!define SETTINGS_KEY "${PRODUCT_KEY}\2.0"
!define START_MENU "$SMPROGRAMS\${PRODUCT}"
; Every window of the three programs has this class: the eyes' two, skinner's splash, the opener's.
!define WINDOW_CLASS "TavrinEyesForm"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; Installing again offers the folder of the installation already there.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PUBLISHER}"

; ---------------------------------------------------------------------------------------------
; Pages

!define MUI_ICON "${APP_ICON}"
!define MUI_UNICON "${APP_ICON}"
!define MUI_ABORTWARNING
!ifdef WIZARD_BITMAP
  !define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!endif
!define MUI_UNABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartEyes
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE un.ConfirmLeave
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The setup file's version information.
VIProductVersion "2.0.0.0"
VIFileVersion "2.0.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "TavrinEyes-${VERSION}-setup.exe"

; ---------------------------------------------------------------------------------------------
; Running programs of an installation folder.
;
; Finds the top-level windows of the programs' class, takes each one's process and looks at the
; executable it runs: only processes whose executable lies directly in $INSTDIR count, so copies
; running from another folder are left alone.
;   Push <0 = count, 1 = end them>; Call [un.]RunningPrograms; Pop <windows counted | processes ended>
; Ending a process (TerminateProcess, then waiting for it) destroys its windows, so the search
; starts over after each one; a bounded number of rounds keeps a process that cannot be ended from
; holding the setup in a loop.

!macro RUNNING_PROGRAMS_FUNCTION un
Function ${un}RunningPrograms
  Exch $0      ; mode
  Push $1      ; window
  Push $2      ; its process id
  Push $3      ; process handle
  Push $4      ; executable path, then its folder
  Push $5      ; buffer size
  Push $6      ; results of calls
  Push $7      ; the installation folder, long form
  Push $8      ; count
  Push $9      ; rounds left

  ; Compare long paths on both sides ("C:\PROGRA~1\..." and "C:\Program Files\..." are one folder).
  System::Call 'kernel32::GetLongPathNameW(w "$INSTDIR", w .r7, i ${NSIS_MAX_STRLEN}) i .r6'
  ${If} $6 = 0
    StrCpy $7 $INSTDIR
  ${EndIf}

  StrCpy $8 0
  StrCpy $9 50
  StrCpy $1 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r1, w "${WINDOW_CLASS}", p 0) p .r1'
    ${If} $1 P= 0
      ${Break}
    ${EndIf}
    StrCpy $2 0
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i 0 r2)'
    ; PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i r2) p .r3'
    ${If} $3 P<> 0
      StrCpy $5 ${NSIS_MAX_STRLEN}
      System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i r5 r5) i .r6'
      ${If} $6 <> 0
        System::Call 'kernel32::GetLongPathNameW(w r4, w .r4, i ${NSIS_MAX_STRLEN})'
        ${GetParent} $4 $4
        ${If} $4 == $7
          ${If} $0 = 0
            IntOp $8 $8 + 1
          ${Else}
            DetailPrint "Closing $4\... (process $2)"
            System::Call 'kernel32::TerminateProcess(p r3, i 1) i .r6'
            ${If} $6 <> 0
              System::Call 'kernel32::WaitForSingleObject(p r3, i 10000) i .r6'
              IntOp $8 $8 + 1
              IntOp $9 $9 - 1
              ${If} $9 > 0
                StrCpy $1 0   ; its windows are gone: search from the top again
              ${EndIf}
            ${EndIf}
          ${EndIf}
        ${EndIf}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${Loop}

  StrCpy $0 $8
  Pop $9
  Pop $8
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro RUNNING_PROGRAMS_FUNCTION ""
!insertmacro RUNNING_PROGRAMS_FUNCTION "un."

!macro REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} can only be installed and removed by an administrator." /SD IDOK
    SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

; ---------------------------------------------------------------------------------------------
; Setup

Function .onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
FunctionEnd

; Leaving the folder page: the files of a running copy in that folder cannot be replaced, so say
; that it will be closed, or stay on the page.
Function DirectoryLeave
  Push 0
  Call RunningPrograms
  Pop $0
  ${If} $0 > 0
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "${PRODUCT} is running from this folder. Setup will close it to replace its files.$\r$\n$\r$\nClick OK to continue, or Cancel to choose another folder." IDOK +2
    Abort
  ${EndIf}
FunctionEnd

Section "-${PRODUCT}"
  ; Upgrading: end the programs running from this folder first (a silent setup does it unasked).
  Push 1
  Call RunningPrograms
  Pop $0

  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${PROGRAMS_DIR}/TavrinEyes.exe"
  File "${PROGRAMS_DIR}/skinner.exe"
  File "${PROGRAMS_DIR}/TavrinEyes_PIL.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut name the programs themselves tell users to click: "TavrinEyes Desktop icon".
  CreateShortcut "$DESKTOP\TavrinEyes.lnk" "$INSTDIR\TavrinEyes.exe" "" "$INSTDIR\TavrinEyes.exe" 0 \
    SW_SHOWNORMAL "" "A pair of eyes that follow your mouse"
  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\TavrinEyes.exe" "" "$INSTDIR\TavrinEyes.exe" 0 \
    SW_SHOWNORMAL "" "A pair of eyes that follow your mouse"
  CreateShortcut "${START_MENU}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe" "" "$INSTDIR\Uninstall.exe" 0 \
    SW_SHOWNORMAL "" "Remove ${PRODUCT} from this computer"

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TavrinEyes.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The finish page's check box.
Function StartEyes
  Exec '"$INSTDIR\TavrinEyes.exe"'
FunctionEnd

; After an interactive setup the opener shows the maker's welcome page; a silent one stays quiet.
Function .onInstSuccess
  ${IfNot} ${Silent}
    Exec '"$INSTDIR\TavrinEyes_PIL.exe"'
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstaller

Function un.onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
FunctionEnd

; Leaving the confirmation page: ask before closing a running copy of this installation.
Function un.ConfirmLeave
  Push 0
  Call un.RunningPrograms
  Pop $0
  ${If} $0 > 0
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "${PRODUCT} is running. It will be closed so that it can be removed.$\r$\n$\r$\nClick OK to close it and continue, or Cancel to keep it running." IDOK +2
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Push 1
  Call un.RunningPrograms
  Pop $0

  Delete "$INSTDIR\TavrinEyes.exe"
  Delete "$INSTDIR\skinner.exe"
  Delete "$INSTDIR\TavrinEyes_PIL.exe"
  Delete "$INSTDIR\Uninstall.exe"

  Delete "$DESKTOP\TavrinEyes.lnk"
  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\Uninstall ${PRODUCT}.lnk"
  RMDir "${START_MENU}"

  ; What the eyes wrote: the start-with-Windows value and their settings. The publisher's and the
  ; product's keys go only when nothing else of theirs is left in them.
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "${PUBLISHER_KEY}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
SectionEnd

; Tavrin Eyes 2.0 setup: puts the eyes, skinner and the post-install opener side by side in
; "Program Files\Tavrin Eyes", with a desktop shortcut, a Start menu folder and an entry in
; Add/Remove Programs, and writes the uninstaller that takes all of it away again.
;
; Built by the cross build:
;   makensis -DPROGRAMS_DIR=<folder of the three programs> -DAPP_ICON=<app.ico> -DOUTFILE=<setup.exe>
;            -DUSER_START=<UserStart.exe, the helper that starts programs through the desktop shell>
;            [-DWIZARD_BITMAP=<164 x 314 picture for the welcome and finish pages>]
;            [-DPLUGINS_DIR=<the NSIS plugins to pack, copies of NSIS's own, signed when signing>]
;            [-DDEV_SCRIPT=<the repository's dev script, which signs what makensis makes>] TavrinEyes.nsi
; (the build's installer/make-setup.sh runs it so).
;
; Decisions:
; - A 64-bit setup: the programs are 64-bit, so the setup sees the same Program Files folder and
;   registry view as they do (the Run value they write is the one the uninstaller removes).
; - Installed for all users with administrator rights: the programs go into Program Files and the
;   uninstall entry into HKLM, both of which need them. The shortcuts therefore go to the all-users
;   desktop and Start menu, like the programs.
; - Nothing the setup starts runs with its administrator rights: the eyes and the post-install
;   opener are started by the desktop shell already running for the signed-in user (UserStart.exe
;   asks it), at that user's normal level, so the pages they open later are not elevated and their
;   settings go into that user's profile. Where no such shell answers, the setup starts nothing
;   and says so on the finish page: a shell it started itself would run with its rights. The
;   start-with-Windows value in HKLM, which the eyes' first start can then no longer write, is
;   written by the setup itself, with the text the eyes write.
; - Running copies are closed as a user closes them: a close request (WM_CLOSE) to their window,
;   which also reaches a copy whose process the setup may not open (a standard user's, when the
;   setup runs as the administrator who approved it). Only a copy that does not close within a few
;   seconds is ended by force.
; - One installation: installing again offers the folder of the one already there, and installing
;   into another folder moves it (the earlier folder's programs go, the shortcuts and the uninstall
;   entry name the new one).
; - Files in use: a running copy the setup cannot close (another user's, on another desktop) keeps
;   its program file, which Windows neither overwrites nor deletes but lets be renamed. It is moved
;   aside and deleted at the next restart; a file that cannot even be renamed is replaced or deleted
;   at the next restart. The details list says what waits for a restart.
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
!ifndef USER_START
  !error "USER_START: the helper that starts programs through the desktop shell"
!endif

; Signing, when the dev script drives the build (it signs only while `./dev sign` runs, and then
; with the key it is given): the helper is signed in a copy, the uninstaller before it is stored in
; the setup, the setup once it is written. So a signed setup carries no unsigned program of ours.
!ifdef DEV_SCRIPT
  !tempfile USER_START_COPY
  !system '"${DEV_SCRIPT}" sign-built UserStart.exe "${USER_START_COPY}" "${USER_START}"' = 0
  !define USER_START_FILE "${USER_START_COPY}"
  !uninstfinalize '"${DEV_SCRIPT}" sign-built Uninstall.exe "%1"' = 0
  !finalize '"${DEV_SCRIPT}" sign-built "the setup" "%1"' = 0
!else
  !define USER_START_FILE "${USER_START}"
!endif

Target amd64-unicode
; The plugins the setup and the uninstaller load come from this folder, so that a signed setup unpacks
; only signed ones. After Target: a plugin found again in NSIS's own folder, which Target scans, would
; otherwise take the place of this folder's.
!ifdef PLUGINS_DIR
  !addplugindir /amd64-unicode "${PLUGINS_DIR}"
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

; TITLE, PUBLISHER, SETTINGS_KEY, WINDOW_CLASS, the programs and the addresses: the programs' own.
!include "${PRODUCT_IDENTITY}"
!define PRODUCT "${TITLE}"
!define VERSION "2.0"
!define SITE "${SITE_ADDRESS}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrinEyes"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Windows' own startup switch (Task Manager's): a value of the same name marks a program turned off.
!define STARTUP_APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define PUBLISHER_KEY "Software\${PUBLISHER}"
!define PRODUCT_KEY "${PUBLISHER_KEY}\${TITLE}"
!define START_MENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; Installing again offers the folder of the installation already there.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The folder of the installation already there when the setup started ("" for none), and whether
; this installation moves it into another folder.
Var EarlierDir
Var MovesEarlier
; Set when a new program waits for the next restart to take its old one's place.
Var ReplacedAtRestart
; Set when something of an installation waits for the next restart to be deleted.
Var WaitsForRestart
; Set when no desktop shell of the signed-in user answers, so that the setup starts nothing.
Var NoDesktopShell
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
; Room for the note that nothing can be started.
!define MUI_FINISHPAGE_TEXT_LARGE
; How the eyes' menu is reached, also without a mouse.
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} has been installed on your computer.$\r$\n$\r$\nFor the eyes' menu (About, skins, On Top, Close), right-click the eyes, or click them and press Shift+F10.$\r$\n$\r$\nClick Finish to close this wizard."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
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
; executable it runs: only processes whose executable lies directly in the given folder count, so
; copies running from another folder are left alone. A process the setup may not open (a standard
; user's, when the setup runs as the administrator who approved it) cannot tell its folder, and
; counts too: its window is the programs' own. It sees the windows of the setup's own desktop only:
; what it cannot end is dealt with when the files are replaced (RemoveFile).
;   Push <folder>; Push <0 = count, 1 = close them>; Call [un.]RunningPrograms
;   Pop <windows counted | processes closed>
; Only shown windows count: a program's hidden ones (the menu's holder, a closed About window) only
; hide again on a close request. Closing asks first, as a user does: a close request (WM_CLOSE) to
; every shown window of the process, which ends the eyes as their menu's Close does, whichever of
; them stands first (an open About window only hides). Only a process still running after
; CLOSE_WAIT_MS is ended by force, and only one the setup could open. A closed window is gone, so
; the search starts over after each one; one that stays is passed over, and a bounded number of
; rounds keeps the setup out of a loop in any case.

!define CLOSE_WAIT_MS 5000
!define CLOSE_POLL_MS 50

!macro RUNNING_PROGRAMS_FUNCTION un
Function ${un}RunningPrograms
  Exch $0      ; mode
  Exch
  Exch $R0     ; folder
  Push $1      ; window
  Push $2      ; its process id
  Push $3      ; process handle (0: the process could not be opened)
  Push $4      ; executable path, then its folder
  Push $5      ; buffer size, then milliseconds waited
  Push $6      ; results of calls
  Push $7      ; the installation folder, long form
  Push $8      ; count
  Push $9      ; rounds left
  Push $R1     ; whether this window's process counts
  Push $R2     ; another window of that process
  Push $R3     ; its process id

  ; Compare long paths on both sides ("C:\PROGRA~1\..." and "C:\Program Files\..." are one folder).
  System::Call 'kernel32::GetLongPathNameW(w R0, w .r7, i ${NSIS_MAX_STRLEN}) i .r6'
  ${If} $6 = 0
    StrCpy $7 $R0
  ${EndIf}

  StrCpy $8 0
  StrCpy $9 50
  StrCpy $1 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r1, w "${WINDOW_CLASS}", p 0) p .r1'
    ${If} $1 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::IsWindowVisible(p r1) i .r6'
    ${If} $6 = 0
      ${Continue}
    ${EndIf}
    StrCpy $2 0
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i 0 r2)'
    ; PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, or else without the
    ; right to end it.
    System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i r2) p .r3'
    ${If} $3 P= 0
      System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r2) p .r3'
    ${EndIf}
    StrCpy $R1 1
    StrCpy $4 "a folder Setup may not read"
    ${If} $3 P<> 0
      StrCpy $5 ${NSIS_MAX_STRLEN}
      System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i r5 r5) i .r6'
      ${If} $6 <> 0
        System::Call 'kernel32::GetLongPathNameW(w r4, w .r4, i ${NSIS_MAX_STRLEN})'
        ${GetParent} $4 $4
        ${If} $4 != $7
          StrCpy $R1 0
        ${EndIf}
      ${EndIf}
    ${EndIf}
    ${If} $R1 = 1
      ${If} $0 = 0
        IntOp $8 $8 + 1
      ${Else}
        DetailPrint "Closing the copy running from $4 (process $2)"
        StrCpy $R2 0
        ${Do}
          System::Call 'user32::FindWindowExW(p 0, p R2, w "${WINDOW_CLASS}", p 0) p .R2'
          ${If} $R2 P= 0
            ${Break}
          ${EndIf}
          StrCpy $R3 0
          System::Call 'user32::GetWindowThreadProcessId(p R2, *i 0 R3)'
          System::Call 'user32::IsWindowVisible(p R2) i .r6'
          ${If} $R3 = $2
          ${AndIf} $6 <> 0
            System::Call 'user32::PostMessageW(p R2, i ${WM_CLOSE}, p 0, p 0)'
          ${EndIf}
        ${Loop}
        ; Until the process ends (or, for one that could not be opened, its window goes).
        StrCpy $5 0
        ${Do}
          ${If} $3 P<> 0
            System::Call 'kernel32::WaitForSingleObject(p r3, i ${CLOSE_POLL_MS}) i .r6'
            ${If} $6 = 0
              ${Break}
            ${EndIf}
          ${Else}
            System::Call 'user32::IsWindow(p r1) i .r6'
            ${If} $6 = 0
              ${Break}
            ${EndIf}
            Sleep ${CLOSE_POLL_MS}
          ${EndIf}
          IntOp $5 $5 + ${CLOSE_POLL_MS}
        ${LoopUntil} $5 >= ${CLOSE_WAIT_MS}
        ${If} $5 >= ${CLOSE_WAIT_MS}
        ${AndIf} $3 P<> 0
          DetailPrint "Process $2 did not close: ending it"
          System::Call 'kernel32::TerminateProcess(p r3, i 1) i .r6'
          ${If} $6 <> 0
            System::Call 'kernel32::WaitForSingleObject(p r3, i 10000) i .r6'
            StrCpy $5 0
          ${EndIf}
        ${EndIf}
        ${If} $5 < ${CLOSE_WAIT_MS}
          IntOp $8 $8 + 1
          IntOp $9 $9 - 1
          ${If} $9 > 0
            StrCpy $1 0   ; its windows are gone: search from the top again
          ${EndIf}
        ${Else}
          DetailPrint "Process $2 did not close: its files are replaced as files in use"
        ${EndIf}
      ${EndIf}
    ${EndIf}
    ${If} $3 P<> 0
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${Loop}

  StrCpy $0 $8
  Pop $R3
  Pop $R2
  Pop $R1
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
  Exch
  Pop $R0
FunctionEnd
!macroend
!insertmacro RUNNING_PROGRAMS_FUNCTION ""
!insertmacro RUNNING_PROGRAMS_FUNCTION "un."

;---------------------------------------------------------------------------------------------
; Paths and files shared by the setup and the uninstaller.

!macro PATH_FUNCTIONS un
; A path in its long form ("C:\PROGRA~1\..." is "C:\Program Files\..."), or as given when it does
; not exist.   Push <path>; Call [un.]LongPath; Pop <path>
Function ${un}LongPath
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 <> 0
  ${AndIf} $2 < ${NSIS_MAX_STRLEN}
    StrCpy $0 $1
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The main program's path in a folder, composed as the eyes compose their own: one backslash
; between the folder and the name, also for the root of a drive.
;   Push <folder>; Call [un.]MainProgram; Pop <path>
Function ${un}MainProgram
  Exch $0
  Push $1
  StrCpy $1 $0 1 -1
  ${If} $1 != "\"
    StrCpy $0 "$0\"
  ${EndIf}
  StrCpy $0 "$0${EYES_PROGRAM}"
  Pop $1
  Exch $0
FunctionEnd

; Whether a start-with-Windows value names the main program of a folder: its text is that
; program's path, in double quotes or not, in any letter case, long or short.
;   Push <value text>; Push <folder>; Call [un.]NamesMainProgram; Pop <1 | 0>
Function ${un}NamesMainProgram
  Exch $1      ; folder
  Exch
  Exch $0      ; text
  Push $2
  StrCpy $2 $0 1
  ${If} $2 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $2 $0 1 -1
    ${If} $2 == '"'
      StrCpy $0 $0 -1
    ${EndIf}
  ${EndIf}
  Push $0
  Call ${un}LongPath
  Pop $0
  Push $1
  Call ${un}MainProgram
  Call ${un}LongPath
  Pop $1
  ${If} $0 == $1   ; StrCmp: letter case does not count
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $2
  Exch $0
  Exch
  Pop $1
FunctionEnd

; Deletes a file (or the files a wildcard names) now, or else at the next restart, without asking
; for a restart: what waits is noted in the details and in $WaitsForRestart.
;   Push <path>; Call [un.]DeleteAtRestart
Function ${un}DeleteAtRestart
  Exch $0
  Push $1
  StrCpy $1 0
  ${If} ${RebootFlag}
    StrCpy $1 1
  ${EndIf}
  SetRebootFlag false
  Delete /REBOOTOK $0
  ${If} ${RebootFlag}
    StrCpy $WaitsForRestart 1
    DetailPrint "$0 is in use: it is deleted at the next restart"
  ${EndIf}
  ${If} $1 = 1
    SetRebootFlag true
  ${Else}
    SetRebootFlag false
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; Takes a program file of an installation folder out of the way. Windows neither overwrites nor
; deletes the file of a running program, but lets it be renamed within its folder: so a file that
; cannot be deleted is renamed to "<name>.<n>.old", which the program goes on running from, and
; that copy is deleted at the next restart.
;   Push <path>; Call [un.]RemoveFile; Pop <gone | aside | busy>
; "busy": the file could not even be renamed (a process holds it open and shares it for reading
; only) and is still there; the caller decides what waits for the restart.
Function ${un}RemoveFile
  Exch $0      ; path, then the result
  Push $1      ; the name aside
  Push $2      ; its number
  ClearErrors
  Delete $0
  ${IfNot} ${Errors}
    StrCpy $0 gone
  ${Else}
    StrCpy $2 1
    ${DoWhile} ${FileExists} "$0.$2.old"
      IntOp $2 $2 + 1
    ${Loop}
    StrCpy $1 "$0.$2.old"
    ClearErrors
    Rename $0 $1
    ${If} ${Errors}
      StrCpy $0 busy
    ${Else}
      DetailPrint "$0 is in use: moved aside to $1"
      Push $1
      Call ${un}DeleteAtRestart
      StrCpy $0 aside
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Removes one program of a folder, with what earlier setups left of it: copies moved aside and a
; new copy that was to replace it at the next restart.
;   Push <path>; Call [un.]RemoveProgram
Function ${un}RemoveProgram
  Exch $0
  Push $1
  Push "$0.*.old"
  Call ${un}DeleteAtRestart
  Push "$0.new"
  Call ${un}DeleteAtRestart
  Push $0
  Call ${un}RemoveFile
  Pop $1
  ${If} $1 == busy
    Push $0
    Call ${un}DeleteAtRestart
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; Removes an installation folder once it is empty, or at the next restart when files of it wait
; for that restart; files the user put there keep it.
;   Push <folder>; Call [un.]RemoveFolder
Function ${un}RemoveFolder
  Exch $0
  ClearErrors
  RMDir $0
  ${If} ${Errors}
  ${AndIf} $WaitsForRestart = 1
    Push $1
    StrCpy $1 0
    ${If} ${RebootFlag}
      StrCpy $1 1
    ${EndIf}
    RMDir /REBOOTOK $0
    DetailPrint "$0 is removed at the next restart, once it is empty"
    ${If} $1 = 0
      SetRebootFlag false
    ${EndIf}
    Pop $1
  ${EndIf}
  Pop $0
FunctionEnd
!macroend
!insertmacro PATH_FUNCTIONS ""
!insertmacro PATH_FUNCTIONS "un."

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
  InitPluginsDir
  File "/oname=$PLUGINSDIR\UserStart.exe" "${USER_START_FILE}"
  ; The installation already there, which installing into another folder moves.
  ReadRegStr $EarlierDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
FunctionEnd

; Leaving the folder page: the files of a running copy in that folder cannot be replaced, so say
; that it will be closed, or stay on the page.
Function DirectoryLeave
  Push $INSTDIR
  Push 0
  Call RunningPrograms
  Pop $0
  ${If} $0 > 0
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "${PRODUCT} is running from this folder. Setup will close it to replace its files.$\r$\n$\r$\nClick OK to continue, or Cancel to choose another folder." IDOK +2
    Abort
  ${EndIf}
FunctionEnd

; Puts one program into the installation folder. When the old one is in use and cannot even be
; moved aside, the new one is written beside it and takes its place at the next restart.
!macro INSTALL_PROGRAM name
  Push "$INSTDIR\${name}.*.old"   ; copies moved aside by an earlier setup, if they have ended since
  Call DeleteAtRestart
  ; A new copy an earlier setup left to take the old one's place at the restart would then replace
  ; this one.
  Delete "$INSTDIR\${name}.new"
  Push "$INSTDIR\${name}"
  Call RemoveFile
  Pop $0
  ${If} $0 == busy
    File "/oname=$INSTDIR\${name}.new" "${PROGRAMS_DIR}/${name}"
    Rename /REBOOTOK "$INSTDIR\${name}.new" "$INSTDIR\${name}"
    DetailPrint "$INSTDIR\${name} is in use: the new one takes its place at the next restart"
    StrCpy $ReplacedAtRestart 1
  ${Else}
    File "${PROGRAMS_DIR}/${name}"
  ${EndIf}
!macroend

; The start-with-Windows value, with the text the eyes' first start writes: the main program's path,
; in double quotes when it holds a blank. A first installation gets it. Installing again keeps the
; user's choice: a value that names the earlier installation's program (or this one's) is written
; anew, an absent one stays absent (the user turned "Run at Startup" off) and one that names another
; program stays as it is.
Function WriteStartupValue
  Push $0      ; the value there
  Push $1      ; whether to write it
  Push $2      ; the text
  StrCpy $1 0
  ClearErrors
  ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
  ${If} $EarlierDir == ""
    StrCpy $1 1
  ${ElseIfNot} ${Errors}
    Push $0
    Push $EarlierDir
    Call NamesMainProgram
    Pop $1
    ${If} $1 = 0
      Push $0
      Push $INSTDIR
      Call NamesMainProgram
      Pop $1
    ${EndIf}
  ${EndIf}
  ${If} $1 = 1
    Push $INSTDIR
    Call MainProgram
    Pop $2
    System::Call 'shlwapi::StrChrW(w r2, i 32) p .r1'
    ${If} $1 P<> 0
      StrCpy $2 '"$2"'
    ${EndIf}
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" $2
    ${If} $EarlierDir == ""
      ; A first installation starts with Windows: no "turned off" left from an earlier one.
      DeleteRegValue HKLM "${STARTUP_APPROVED_KEY}" "${PRODUCT}"
      DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${PRODUCT}"
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Installing into another folder than the installation already there moves it: its programs and
; its uninstaller go, and its folder when nothing else is left in it. The shortcuts and the
; uninstall entry keep their names and are written anew for the new folder; the settings stay.
Function RemoveEarlierInstallation
  DetailPrint "Removing the earlier installation in $EarlierDir"
  StrCpy $WaitsForRestart 0
  Push "$EarlierDir\${EYES_PROGRAM}"
  Call RemoveProgram
  Push "$EarlierDir\${SKINNER_PROGRAM}"
  Call RemoveProgram
  Push "$EarlierDir\${OPENER_PROGRAM}"
  Call RemoveProgram
  Push "$EarlierDir\Uninstall.exe"
  Call RemoveProgram
  Push $EarlierDir
  Call RemoveFolder
FunctionEnd

; UserStart.exe's answers: started (or, asked with --check, a desktop shell answers); no desktop
; shell answered, so nothing was started.
!define USER_START_DONE 0
!define USER_START_NO_SHELL 2

Section "-${PRODUCT}"
  ; Whether this installation moves the one already there into another folder.
  StrCpy $MovesEarlier 0
  ${If} $EarlierDir != ""
    Push $EarlierDir
    Call LongPath
    Pop $0
    Push $INSTDIR
    Call LongPath
    Pop $1
    ${If} $0 != $1
      StrCpy $MovesEarlier 1
    ${EndIf}
  ${EndIf}

  ; Upgrading: end the programs running from this folder, and from the one of an installation that
  ; moves here, first (a silent setup does it unasked).
  Push $INSTDIR
  Push 1
  Call RunningPrograms
  Pop $0
  ${If} $MovesEarlier = 1
    Push $EarlierDir
    Push 1
    Call RunningPrograms
    Pop $0
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite on
  StrCpy $ReplacedAtRestart 0
  !insertmacro INSTALL_PROGRAM ${EYES_PROGRAM}
  !insertmacro INSTALL_PROGRAM ${SKINNER_PROGRAM}
  !insertmacro INSTALL_PROGRAM ${OPENER_PROGRAM}
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut name the programs themselves tell users to click: "TavrinEyes Desktop icon".
  CreateShortcut "$DESKTOP\TavrinEyes.lnk" "$INSTDIR\${EYES_PROGRAM}" "" "$INSTDIR\${EYES_PROGRAM}" 0 \
    SW_SHOWNORMAL "" "A pair of eyes that follow your mouse"
  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\${EYES_PROGRAM}" "" "$INSTDIR\${EYES_PROGRAM}" 0 \
    SW_SHOWNORMAL "" "A pair of eyes that follow your mouse"
  CreateShortcut "${START_MENU}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe" "" "$INSTDIR\Uninstall.exe" 0 \
    SW_SHOWNORMAL "" "Remove ${PRODUCT} from this computer"

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EYES_PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ; Before the earlier installation goes: its program, which the Run value may name, must still be
  ; there to tell a short path from a long one.
  Call WriteStartupValue
  ${If} $MovesEarlier = 1
    Call RemoveEarlierInstallation
  ${EndIf}

  ; Only a new program waiting for its place asks for a restart (the finish page then offers one);
  ; an old copy waiting to be deleted does not.
  SetRebootFlag false
  ${If} $ReplacedAtRestart = 1
    SetRebootFlag true
  ${EndIf}

  ; Whether the desktop of the signed-in user answers, asked here, where the progress page goes on
  ; drawing while the answer takes (up to 30 s from a shell that hangs), rather than from the finish
  ; page, which would stand frozen meanwhile.
  StrCpy $NoDesktopShell 0
  ${IfNot} ${Silent}
    DetailPrint "Asking the Windows desktop to start ${PRODUCT} for you at the end"
    ClearErrors
    ExecWait '"$PLUGINSDIR\UserStart.exe" --check' $0
    ${If} ${Errors}
    ${OrIf} $0 <> ${USER_START_DONE}
      StrCpy $NoDesktopShell 1
      DetailPrint "The Windows desktop did not answer: Setup will start nothing"
    ${EndIf}
  ${EndIf}
SectionEnd

; Starts an installed program at the signed-in user's normal level rather than with the setup's
; administrator rights: UserStart.exe asks the desktop shell running for the signed-in user to
; start it, so it runs in that user's session, unelevated, a child of the shell and not of the setup.
; Where no desktop shell answers it starts nothing (a shell started by the setup would be elevated).
;   Push <program path>; Call StartAsUser; Pop <UserStart.exe's exit code>
Function StartAsUser
  Exch $0
  ClearErrors
  ExecWait '"$PLUGINSDIR\UserStart.exe" "$0"' $0
  ${If} ${Errors}
    StrCpy $0 ${USER_START_NO_SHELL}
  ${EndIf}
  Exch $0
FunctionEnd

; The finish page: when no desktop shell of the signed-in user answered, it says that nothing will be
; started, and offers no start.
Function FinishShow
  ${If} $NoDesktopShell = 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:${PRODUCT} ${VERSION} has been installed.$\r$\n$\r$\nSetup starts nothing now: the Windows desktop of the signed-in user did not answer, and what Setup started itself would run with administrator rights. Start ${PRODUCT} from its desktop icon or the Start menu."
  ${EndIf}
FunctionEnd

; The finish page's check box.
Function StartEyes
  Push "$INSTDIR\${EYES_PROGRAM}"
  Call StartAsUser
  Pop $0
  ${If} $0 <> ${USER_START_DONE}
    MessageBox MB_OK|MB_ICONINFORMATION "${PRODUCT} could not be started for you (the Windows desktop did not answer). Start it from its desktop icon or the Start menu." /SD IDOK
  ${EndIf}
FunctionEnd

; After an interactive setup the opener shows the maker's welcome page; a silent one stays quiet, and
; so does one that found no desktop shell to start it (the finish page said so).
Function .onInstSuccess
  ${IfNot} ${Silent}
  ${AndIf} $NoDesktopShell <> 1
    Push "$INSTDIR\${OPENER_PROGRAM}"
    Call StartAsUser
    Pop $0
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
  Push $INSTDIR
  Push 0
  Call un.RunningPrograms
  Pop $0
  ${If} $0 > 0
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "${PRODUCT} is running. It will be closed so that it can be removed.$\r$\n$\r$\nClick OK to close it and continue, or Cancel to keep it running." IDOK +2
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Push $INSTDIR
  Push 1
  Call un.RunningPrograms
  Pop $0

  ; The start-with-Windows value goes only when it names this installation's program (read while
  ; that program is still there, so that a short path can be told from a long one); a value that
  ; names another copy of the eyes stays.
  ClearErrors
  ReadRegStr $1 HKLM "${RUN_KEY}" "${PRODUCT}"
  ${IfNot} ${Errors}
    Push $1
    Push $INSTDIR
    Call un.NamesMainProgram
    Pop $0
    ${If} $0 = 1
      DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
      ; Windows' own on/off mark for it goes too (this user's; other users' profiles are not loaded).
      DeleteRegValue HKLM "${STARTUP_APPROVED_KEY}" "${PRODUCT}"
      DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${PRODUCT}"
    ${EndIf}
  ${EndIf}

  ; A copy still running (another user's, which this uninstaller cannot close) keeps its file until
  ; the next restart.
  StrCpy $WaitsForRestart 0
  Push "$INSTDIR\${EYES_PROGRAM}"
  Call un.RemoveProgram
  Push "$INSTDIR\${SKINNER_PROGRAM}"
  Call un.RemoveProgram
  Push "$INSTDIR\${OPENER_PROGRAM}"
  Call un.RemoveProgram
  Delete "$INSTDIR\Uninstall.exe"

  Delete "$DESKTOP\TavrinEyes.lnk"
  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\Uninstall ${PRODUCT}.lnk"
  RMDir "${START_MENU}"

  ; What the eyes wrote: their settings. The publisher's and the product's keys go only when
  ; nothing else of theirs is left in them.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "${PUBLISHER_KEY}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Only when empty: files the user put there stay.
  Push $INSTDIR
  Call un.RemoveFolder
SectionEnd

!ifdef USER_START_COPY
  !delfile "${USER_START_COPY}"
!endif

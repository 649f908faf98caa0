; The Windows installer of Tarvex: installs the program for the current user, without
; administrator rights, under %LOCALAPPDATA%\Programs\Tarvex, with a Start-menu shortcut and an
; entry in Apps & features from which it is removed again. Installed again (an upgrade), it
; offers the folder of the installed copy and replaces the program there, so that shortcuts to
; it keep working.
;   makensis -DPROGRAM=<tarvex.exe> -DICON=<tarvex.ico> -DOUTPUT=<setup.exe> -DVERSION=1.0
;            -DTARGET=x86-unicode|amd64-unicode tarvex.nsi
; The 32-bit installer (x86-unicode) is the one shipped; the 64-bit twin's is made for its tests.
; With -DSIGN="<command> %1" the installer and its uninstaller are signed as makensis writes
; them (the command gets each file's path for %1).
Target ${TARGET}
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Win\WinNT.nsh"

!define PRODUCT "Tarvex"
!define SHORTCUT "进制转换工具"
!define PUBLISHER "Olmira"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex"
; The running program's window, which is asked to close before its files are replaced or
; removed.
!define WINDOW_CLASS "Tarvex.Form1"
!define STILL_RUNNING "Tarvex 仍在运行，无法关闭：它可能以管理员身份运行，或没有响应。请在其通知区域图标的菜单中选“退出”，然后点“重试”。"
!define FILES_KEPT "有文件正在使用或无法删除，未能卸载完全。卸载信息已保留：请关闭使用这些文件的程序后再次卸载。"

!ifdef SIGN
!finalize '${SIGN}'
!uninstfinalize '${SIGN}'
!endif

Name "${PRODUCT} ${VERSION}"
Caption "${PRODUCT} ${VERSION} 安装"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the installed copy is; /D= on the command line still wins.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvex.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks every running Tarvex to close through its window, as its close button does, and waits
; until each one's process has ended: its files cannot be replaced or removed before. One Tarvex
; runs in a session, but an elevated one and a normal one, or copies of older versions, can run
; side by side. A window that stays (an elevated Tarvex does not hear a user's installer, as
; Windows keeps a program from sending to one with more rights) is named in a box of its own,
; which the user answers once it is closed; a silent run ends there, with status 2.
!macro CloseRunningTarvex un
Function ${un}CloseRunningTarvex
    ${Do}
        ; Each window is asked once, front to back. One that is still there after it was asked
        ; is passed over by the search, which goes on behind it.
        StrCpy $0 0
        ${Do}
            FindWindow $1 "${WINDOW_CLASS}" "" 0 $0
            ${If} $1 == 0
                ${ExitDo}
            ${EndIf}
            System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
            System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r3'
            SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
            StrCpy $4 closed
            IsWindow $1 0 +2
            StrCpy $4 open
            ${If} $4 == closed
                System::Call 'kernel32::WaitForSingleObject(p r3, i 10000)'
            ${Else}
                StrCpy $0 $1
            ${EndIf}
            System::Call 'kernel32::CloseHandle(p r3)'
        ${Loop}
        FindWindow $1 "${WINDOW_CLASS}"
        ${If} $1 == 0
            Return
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILL_RUNNING}" /SD IDCANCEL IDRETRY +2
        Abort "${STILL_RUNNING}"
    ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningTarvex ""
!insertmacro CloseRunningTarvex "un."

Section
    Call CloseRunningTarvex
    ; A copy in another folder, which the user chose over the one offered, goes: the entry
    ; below names only this one, and would leave that copy orphaned.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
        Delete "$0\tarvex.exe"
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}
    ; The uninstaller removes the folder of per-user programs only if this installer made it.
    ${IfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
        WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder" 1
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "/oname=tarvex.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\tarvex.exe" "" "$INSTDIR\tarvex.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${SHORTCUT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvex.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Removes what the installer put there, and nothing else: a folder that holds files of the
; user's stays. The program goes first: NSIS runs the uninstaller from a copy of itself, so that
; its own file always goes, and a program that cannot be removed (in use, or refused) keeps the
; uninstaller and the uninstall entry, from which the user can uninstall again: the box says
; so, and a silent uninstall ends with status 2. Only a caller that runs it with _?=<folder>
; sees that status: without it, the uninstaller goes on in a copy of itself and its first
; process ends at once. Run with _?= from the folder itself, it cannot remove its own file, and
; keeps the entry.
Section "Uninstall"
    Call un.CloseRunningTarvex
    ClearErrors
    Delete "$INSTDIR\tarvex.exe"
    ; Testing the error flag clears it.
    ${If} ${Errors}
        SetErrors
    ${Else}
        Delete "$INSTDIR\uninstall.exe"
    ${EndIf}
    ${If} ${Errors}
        DetailPrint "${FILES_KEPT}"
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FILES_KEPT}" /SD IDOK
        SetErrorLevel 2
        Return
    ${EndIf}
    Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
    RMDir "$INSTDIR"
    ; The folder of per-user programs, when the installer made it and nothing else is in it.
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder"
    ${If} $0 == 1
        RMDir "$LOCALAPPDATA\Programs"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

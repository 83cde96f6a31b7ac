; Installer of the Windows program, made by the build's windows_packages
; target: makensis -DVERSION=<full version> -DCOPYRIGHT=... -DURL=<home page>
;   -DSTAGE=<run folder copy> -DFILES=<file list made by filelist.cmake>
;   -DOUTFILE=<setup.exe>
; Silent with /S. Its pages are in Chinese (Simplified) on a Chinese system
; and in English elsewhere. The uninstaller removes what was installed, and
; nothing else: a rule file the user added stays, and so do the user's
; settings (HKCU\Software\Larkvale\Pairavel).

Unicode true
; A 64-bit installer for a 64-bit program: the default 32-bit stub would also
; need the 32-bit subsystem, which not every Windows (or Wine) has.
Target amd64-unicode
SetCompressor /SOLID lzma

; The same files make the same installer: no file times stored (the
; installed files get the time they are written).
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Amorquant"

Name "$(ProductName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Amorquant"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Amorquant"
VIAddVersionKey /LANG=1033 "CompanyName" "Larkvale"
VIAddVersionKey /LANG=1033 "FileDescription" "Amorquant setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${STAGE}\img\Quorvel_01.ico"
!define MUI_UNICON "${STAGE}\img\Quorvel_01.ico"
!define MUI_ABORTWARNING
; The finish page offers to start the program, in its folder as the
; shortcut does.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one for systems in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ShortcutDescription ${LANG_ENGLISH} "Puts a value on a prospective girlfriend or boyfriend"
LangString ShortcutDescription ${LANG_SIMPCHINESE} "为未来的女朋友或男朋友估价"

; The name a user reads: the installer's title, the Start-menu shortcut and
; the list of installed programs. The shortcut's name is kept in the
; uninstall entry, so that an uninstaller run in the other language still
; finds it.
LangString ProductName ${LANG_ENGLISH} "Amorquant"
LangString ProductName ${LANG_SIMPCHINESE} "恋人估价器"
!define SHORTCUT "$SMPROGRAMS\$(ProductName).lnk"

;;; Running copies. A running program's files can be neither replaced nor
;;; removed: before touching them the installer and uninstaller look for
;;; the mutex the program holds (RUNNING_MUTEX, from cmake/windows.cmake)
;;; and ask for it to be closed, Retry or Cancel (Cancel when silent). Files
;;; that still cannot be written or removed stop them, never skipped, so no
;;; run reports success with the old files left in place.
!include "LogicLib.nsh"
AllowSkipFiles off

LangString CloseToInstall ${LANG_ENGLISH} "Amorquant is running. Close it, then click Retry to install, or Cancel to stop."
LangString CloseToInstall ${LANG_SIMPCHINESE} "恋人估价器正在运行。请先关闭它，再点“重试”继续安装；点“取消”则停止安装。"
LangString CloseToUninstall ${LANG_ENGLISH} "Amorquant is running. Close it, then click Retry to uninstall, or Cancel to stop."
LangString CloseToUninstall ${LANG_SIMPCHINESE} "恋人估价器正在运行。请先关闭它，再点“重试”继续卸载；点“取消”则停止卸载。"
LangString FileLeft ${LANG_ENGLISH} "$0 could not be removed. Close Amorquant and any program using this file, then click Retry, or Cancel to stop: Amorquant then stays installed, to be uninstalled later."
LangString FileLeft ${LANG_SIMPCHINESE} "无法删除 $0。请关闭恋人估价器和正在使用这个文件的程序，再点“重试”；点“取消”则停止卸载，程序保留，可以稍后再卸载。"

; Waits, asking with the message, until no copy runs; Cancel aborts.
; OpenMutex is refused (access denied) when the copy is another user's.
!macro WaitForClosedProgram MESSAGE
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0 ?e'
        Pop $1
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 <> 5
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MESSAGE}" /SD IDCANCEL IDRETRY +2
        Abort
    ${Loop}
!macroend
;;; End of running copies.

Function StartProgram
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\amorquant.exe"'
FunctionEnd

Section "Amorquant"
    SetShellVarContext all
    !insertmacro WaitForClosedProgram "$(CloseToInstall)"
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program reads its data from its working folder: the shortcut
    ; starts it in the install folder (the output path at this point).
    SetOutPath "$INSTDIR"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\amorquant.exe" "" \
        "$INSTDIR\amorquant.exe" 0 SW_SHOWNORMAL "" "$(ShortcutDescription)"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Shortcut" "${SHORTCUT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Larkvale"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\amorquant.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB, as the system's list of programs shows it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer put there, so that a rule file of the user's (and
; a folder chosen by hand that holds other files) stays.
Section "Uninstall"
    SetShellVarContext all
    ${Do}
        !insertmacro WaitForClosedProgram "$(CloseToUninstall)"
        !insertmacro UninstallFiles
        !insertmacro FindFileLeft $0
        ${If} $0 == ""
            ${Break}
        ${EndIf}
        ; The uninstaller and its entry stay, to try again later.
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(FileLeft)" /SD IDCANCEL IDRETRY +2
        Abort
    ${Loop}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "Shortcut"
    ; Installers before the Chinese name wrote no value: theirs was this.
    StrCmp $0 "" 0 +2
    StrCpy $0 "$SMPROGRAMS\Amorquant.lnk"
    Delete "$0"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

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

Name "Amorquant"
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

Function StartProgram
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\amorquant.exe"'
FunctionEnd

Section "Amorquant"
    SetShellVarContext all
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program reads its data from its working folder: the shortcut
    ; starts it in the install folder (the output path at this point).
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Amorquant.lnk" "$INSTDIR\amorquant.exe" "" \
        "$INSTDIR\amorquant.exe" 0 SW_SHOWNORMAL "" "$(ShortcutDescription)"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Amorquant"
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
    Delete "$SMPROGRAMS\Amorquant.lnk"
    !insertmacro UninstallFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

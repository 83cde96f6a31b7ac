; Installer of the Windows program, made by the build's windows_packages
; target: makensis -DVERSION=<full version> -DSTAGE=<run folder copy> -DOUTFILE=<setup.exe>
; Silent with /S. The uninstaller removes what was installed and leaves the
; user's settings (HKCU\Software\Larkvale\Pairavel).

Unicode true
; A 64-bit installer for a 64-bit program: the default 32-bit stub would also
; need the 32-bit subsystem, which not every Windows (or Wine) has.
Target amd64-unicode
SetCompressor /SOLID lzma

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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Amorquant"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}/amorquant.exe"
    File "${STAGE}/amorquant-check.exe"
    File /r "${STAGE}/rules"
    File /r "${STAGE}/img"
    File /r "${STAGE}/locales"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program reads its data from its working folder: the shortcut
    ; starts it in the install folder (the output path at this point).
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Amorquant.lnk" "$INSTDIR\amorquant.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Amorquant"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Larkvale"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\amorquant.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: a folder chosen by hand may hold
; other files.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Amorquant.lnk"
    Delete "$INSTDIR\amorquant.exe"
    Delete "$INSTDIR\amorquant-check.exe"
    RMDir /r "$INSTDIR\rules"
    RMDir /r "$INSTDIR\img"
    RMDir /r "$INSTDIR\locales"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

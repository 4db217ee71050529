; Brelo's installer for Windows: for the current user, without administrator rights. Built by
; scripts/paquete-windows, which passes VERSION, ORIGEN (the unpacked ZIP's folder), SALIDA,
; TAMANO (the installed size in KiB) and ARCHIVOS (the list of what it installs, as the macros
; Instalar and Desinstalar).
Unicode true
; A 64-bit installer for a 64-bit program; it also runs where only 64-bit Windows code can.
Target amd64-unicode
Name "Brelo ${VERSION}"
OutFile "${SALIDA}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Brelo"
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "${ARCHIVOS}"

!define MUI_ICON "${ORIGEN}\brelo.ico"
!define MUI_UNICON "${ORIGEN}\brelo.ico"
!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brelo"
!define CLASE "Software\Classes\Brelo.Mensaje"

; Windows keeps a running program's files: replaced or removed while Brelo or brelo-cli runs,
; some would stay behind. Both are closed first, or nothing is done.
!macro Cerrado programa
    IfFileExists "$INSTDIR\${programa}" 0 cerrado_${programa}
    abierto_${programa}:
    ClearErrors
    FileOpen $0 "$INSTDIR\${programa}" a
    IfErrors 0 libre_${programa}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${programa} esta abierto: cierrelo y pulse Reintentar." /SD IDCANCEL IDRETRY abierto_${programa}
    SetErrorLevel 2
    Abort "${programa} esta abierto: no se cambio nada."
    libre_${programa}:
    FileClose $0
    cerrado_${programa}:
!macroend

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

Section "Brelo" Programa
    SectionIn RO
    SetShellVarContext current
    !insertmacro Cerrado brelo.exe
    !insertmacro Cerrado brelo-cli.exe
    !insertmacro Instalar
    WriteUninstaller "$INSTDIR\desinstalar.exe"
    ; The shortcut starts Brelo in the operator's Documents: the first folder it offers for
    ; messages and Salida.txt is never the program's own, which an uninstall empties.
    SetOutPath "$DOCUMENTS"
    CreateShortcut "$SMPROGRAMS\Brelo.lnk" "$INSTDIR\brelo.exe" "" "$INSTDIR\brelo.exe" 0 \
        SW_SHOWNORMAL "" "Mensajes para los carteles Brelo"
    ; Double-clicked message files, new and old, open in Brelo with its icon.
    WriteRegStr HKCU "Software\Classes\.mn2" "" "Brelo.Mensaje"
    WriteRegStr HKCU "Software\Classes\.mnm" "" "Brelo.Mensaje"
    WriteRegStr HKCU "${CLASE}" "" "Mensaje de Brelo"
    WriteRegStr HKCU "${CLASE}\DefaultIcon" "" "$INSTDIR\brelo.exe,0"
    WriteRegStr HKCU "${CLASE}\shell\open" "" "&Abrir con Brelo"
    WriteRegStr HKCU "${CLASE}\shell\open\command" "" '"$INSTDIR\brelo.exe" "%1"'
    WriteRegStr HKCU "${CLAVE}" "DisplayName" "Brelo"
    WriteRegStr HKCU "${CLAVE}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${CLAVE}" "Publisher" "Equipo Brelo"
    WriteRegStr HKCU "${CLAVE}" "DisplayIcon" "$INSTDIR\brelo.exe,0"
    WriteRegStr HKCU "${CLAVE}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${CLAVE}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
    WriteRegStr HKCU "${CLAVE}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
    WriteRegDWORD HKCU "${CLAVE}" "EstimatedSize" ${TAMANO}
    WriteRegDWORD HKCU "${CLAVE}" "NoModify" 1
    WriteRegDWORD HKCU "${CLAVE}" "NoRepair" 1
    ; Explorer learns of the new file type at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Off unless the operator ticks it (or gives /AGENDA to a silent install): the agenda sends to
; the signs on its own, every time the operator logs on, with its console window minimised.
Section /o "Iniciar la agenda al entrar en Windows" Agenda
    SetShellVarContext current
    SetOutPath "$DOCUMENTS"
    CreateShortcut "$SMSTARTUP\Agenda de Brelo.lnk" "$INSTDIR\brelo-cli.exe" \
        'agenda "$LOCALAPPDATA\Brelo2\agenda.txt"' "$INSTDIR\brelo.exe" 0 SW_SHOWMINIMIZED "" \
        "Envia los mensajes de la agenda a los carteles"
SectionEnd

!include "FileFunc.nsh"
Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AGENDA" $1
    IfErrors +2
    SectionSetFlags ${Agenda} ${SF_SELECTED}
FunctionEnd

; Only what the installer wrote goes: the operator may have saved messages into the program's
; folder, or installed into a folder of their own. The settings (HKCU\Software\Brelo2) stay
; too: a new version finds them.
Section "Uninstall"
    SetShellVarContext current
    !insertmacro Cerrado brelo.exe
    !insertmacro Cerrado brelo-cli.exe
    Delete "$SMPROGRAMS\Brelo.lnk"
    Delete "$SMSTARTUP\Agenda de Brelo.lnk"
    !insertmacro Desinstalar
    Delete "$INSTDIR\desinstalar.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${CLASE}"
    ReadRegStr $0 HKCU "Software\Classes\.mn2" ""
    StrCmp $0 "Brelo.Mensaje" 0 +2
    DeleteRegKey HKCU "Software\Classes\.mn2"
    ReadRegStr $0 HKCU "Software\Classes\.mnm" ""
    StrCmp $0 "Brelo.Mensaje" 0 +2
    DeleteRegKey HKCU "Software\Classes\.mnm"
    DeleteRegKey HKCU "${CLAVE}"
SectionEnd

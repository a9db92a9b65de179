; The installer's options, a section each on the components page: the desktop
; shortcut (on by default), the folder of tellurin-cli.exe on the user's PATH,
; and OpenStreetMap files opened by the viewer.  A silent install chooses them
; on its command line (1 on, 0 off):
;   Tellurin-<version>-win64.exe /S /DESKTOP=0 /PATH=1 /ASSOC=1 /D=<folder>
; Each option records in the uninstall key exactly what it added, and the
; uninstaller takes away that and nothing else.

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

; TELLURIN_UNINSTALL_KEY, the add/remove-programs entry, is defined by the build.
!define TELLURIN_ENVIRONMENT "Environment"
!define TELLURIN_CLASSES "Software\Classes"
!define TELLURIN_PROGID "Tellurin.OsmFile"
!define TELLURIN_SHCNE_ASSOCCHANGED 0x08000000

Section "Ярлык на рабочем столе" SecDesktop
  CreateShortCut "$DESKTOP\Tellurin.lnk" "$INSTDIR\tellurin.exe"
  WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinDesktopShortcut" "$DESKTOP\Tellurin.lnk"
SectionEnd

; The entry is appended to the user's PATH (HKCU\Environment, the value made
; if there is none); what was appended, with its separator, is recorded, so
; the uninstaller can cut exactly it.  A PATH longer than NSIS's strings hold is
; left alone rather than written back cut short.
Section /o "tellurin-cli в PATH" SecPath
  ClearErrors
  ReadRegStr $0 HKCU "${TELLURIN_ENVIRONMENT}" "PATH"
  ${If} ${Errors}
    StrCpy $0 ""
    StrCpy $3 "1"  ; the value is ours
  ${Else}
    StrCpy $3 "0"
  ${EndIf}
  StrLen $1 "$0;$INSTDIR"
  ${If} $1 >= ${NSIS_MAX_STRLEN}
    DetailPrint "PATH слишком длинная: папка не добавлена"
    Return
  ${EndIf}
  Push "$0"
  Push "$INSTDIR"
  Call TellurinPathHolds
  Pop $1
  ${If} $1 == "1"
    Return  ; already there, by the user's hand or a former installation
  ${EndIf}
  StrCpy $2 "$0" 1 -1
  ${If} $0 == ""
  ${OrIf} $2 == ";"
    StrCpy $1 "$INSTDIR"
  ${Else}
    StrCpy $1 ";$INSTDIR"
  ${EndIf}
  WriteRegExpandStr HKCU "${TELLURIN_ENVIRONMENT}" "PATH" "$0$1"
  WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinPathAppended" "$1"
  WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinPathCreated" "$3"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

; .osm and .pbf (an OpenStreetMap extract's usual last extension) open in the
; viewer where the user has no other program for them; .bz2 and .gz only gain
; Tellurin under «Открыть с помощью», so that other archives keep theirs.
Section "Файлы OpenStreetMap" SecAssoc
  WriteRegStr HKCU "${TELLURIN_CLASSES}\${TELLURIN_PROGID}" "" "Данные OpenStreetMap"
  WriteRegStr HKCU "${TELLURIN_CLASSES}\${TELLURIN_PROGID}\DefaultIcon" "" "$INSTDIR\tellurin.exe,0"
  WriteRegStr HKCU "${TELLURIN_CLASSES}\${TELLURIN_PROGID}\shell\open\command" "" '"$INSTDIR\tellurin.exe" "%1"'
  Push ".osm"
  Push "1"
  Call TellurinAssociate
  Push ".pbf"
  Push "1"
  Call TellurinAssociate
  Push ".bz2"
  Push "0"
  Call TellurinAssociate
  Push ".gz"
  Push "0"
  Call TellurinAssociate
  WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinAssociated" "1"
  System::Call 'shell32::SHChangeNotify(i ${TELLURIN_SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

LangString DESC_SecDesktop ${LANG_RUSSIAN} "Ярлык Tellurin на рабочем столе."
LangString DESC_SecPath ${LANG_RUSSIAN} "Папка программы добавляется в переменную PATH пользователя: tellurin-cli запускается из командной строки без указания папки."
LangString DESC_SecAssoc ${LANG_RUSSIAN} "Файлы .osm и .osm.pbf открываются в Tellurin, .osm.bz2 и .osm.gz — через «Открыть с помощью»: открытый файл предлагается импортировать как город."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DESC_SecDesktop)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} $(DESC_SecPath)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAssoc} $(DESC_SecAssoc)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; EXTENSION OURS: Tellurin among the programs offered for the extension, and its
; default program where OURS is 1 and the user's classes name none.  Records
; per extension whether its key was new and whether the default is ours.
Function TellurinAssociate
  Exch $1  ; ours
  Exch
  Exch $0  ; extension
  Push $2
  ClearErrors
  EnumRegKey $2 HKCU "${TELLURIN_CLASSES}\$0" 0
  ${If} ${Errors}
    WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinNewKey$0" "1"
  ${EndIf}
  WriteRegStr HKCU "${TELLURIN_CLASSES}\$0\OpenWithProgids" "${TELLURIN_PROGID}" ""
  ${If} $1 == "1"
    ClearErrors
    ReadRegStr $2 HKCU "${TELLURIN_CLASSES}\$0" ""
    ${If} ${Errors}
    ${OrIf} $2 == ""
      WriteRegStr HKCU "${TELLURIN_CLASSES}\$0" "" "${TELLURIN_PROGID}"
      WriteRegStr SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinDefault$0" "1"
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $0
  Pop $1
FunctionEnd

; PATH ENTRY -> 1 when ENTRY is one of PATH's entries (case aside), else 0.
Function TellurinPathHolds
  Exch $1  ; entry
  Exch
  Exch $0  ; PATH
  Push $2
  Push $3
  StrCpy $0 ";$0;"
  StrLen $3 ";$1;"
  StrCpy $2 0
  ${Do}
    StrCpy $R9 $0 $3 $2
    ${If} $R9 == ";$1;"
      StrCpy $0 1
      ${Break}
    ${EndIf}
    ${If} $R9 == ""
      StrCpy $0 0
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  Pop $3
  Pop $2
  Exch
  Pop $1
  Exch $0
FunctionEnd

; Takes away what the sections recorded (called by the uninstaller before the
; uninstall key goes).
Function un.TellurinRemoveOptions
  ReadRegStr $0 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinDesktopShortcut"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}

  ReadRegStr $1 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinPathAppended"
  ${If} $1 != ""
    ReadRegStr $0 HKCU "${TELLURIN_ENVIRONMENT}" "PATH"
    StrLen $2 "$1"
    StrLen $3 "$0"
    StrCpy $4 "$0" "" -$2
    ${If} $4 == "$1"
    ${AndIf} $3 < ${NSIS_MAX_STRLEN}
      IntOp $3 $3 - $2
      StrCpy $0 "$0" $3
      ReadRegStr $5 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinPathCreated"
      ${If} $0 == ""
      ${AndIf} $5 == "1"
        DeleteRegValue HKCU "${TELLURIN_ENVIRONMENT}" "PATH"
      ${Else}
        WriteRegExpandStr HKCU "${TELLURIN_ENVIRONMENT}" "PATH" "$0"
      ${EndIf}
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
    ${EndIf}
  ${EndIf}

  ReadRegStr $0 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinAssociated"
  ${If} $0 == "1"
    DeleteRegKey HKCU "${TELLURIN_CLASSES}\${TELLURIN_PROGID}"
    Push ".osm"
    Call un.TellurinDissociate
    Push ".pbf"
    Call un.TellurinDissociate
    Push ".bz2"
    Call un.TellurinDissociate
    Push ".gz"
    Call un.TellurinDissociate
    System::Call 'shell32::SHChangeNotify(i ${TELLURIN_SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  ${EndIf}
FunctionEnd

Function un.TellurinDissociate
  Exch $0  ; extension
  Push $1
  DeleteRegValue HKCU "${TELLURIN_CLASSES}\$0\OpenWithProgids" "${TELLURIN_PROGID}"
  DeleteRegKey /ifempty HKCU "${TELLURIN_CLASSES}\$0\OpenWithProgids"
  ReadRegStr $1 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinDefault$0"
  ${If} $1 == "1"
    ReadRegStr $1 HKCU "${TELLURIN_CLASSES}\$0" ""
    ${If} $1 == "${TELLURIN_PROGID}"
      DeleteRegValue HKCU "${TELLURIN_CLASSES}\$0" ""
    ${EndIf}
  ${EndIf}
  ReadRegStr $1 SHCTX "${TELLURIN_UNINSTALL_KEY}" "TellurinNewKey$0"
  ${If} $1 == "1"
    DeleteRegKey /ifempty HKCU "${TELLURIN_CLASSES}\$0"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; The options named on the command line (see the top) select or clear their
; sections; called from .onInit.
Function TellurinOptionsFromCommandLine
  ${GetParameters} $0
  Push $0
  Push "/DESKTOP="
  Push ${SecDesktop}
  Call TellurinOptionSwitch
  Push $0
  Push "/PATH="
  Push ${SecPath}
  Call TellurinOptionSwitch
  Push $0
  Push "/ASSOC="
  Push ${SecAssoc}
  Call TellurinOptionSwitch
FunctionEnd

; PARAMETERS SWITCH SECTION: 1 after the switch selects the section, 0 clears it.
Function TellurinOptionSwitch
  Exch $2  ; section
  Exch
  Exch $1  ; switch
  Exch 2
  Exch $0  ; parameters
  Push $3
  ClearErrors
  ${GetOptions} $0 $1 $3
  ${IfNot} ${Errors}
    ${If} $3 == "1"
      !insertmacro SelectSection $2
    ${ElseIf} $3 == "0"
      !insertmacro UnselectSection $2
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $0
  Pop $2
  Pop $1
FunctionEnd

; The window's title without the blank subcaption of MUI's pages, set as
; each page shows (cmake/WindowsInstall.cmake).
Function TellurinTitle
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^SetupCaption)"
FunctionEnd

Function un.TellurinTitle
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^UninstallCaption)"
FunctionEnd

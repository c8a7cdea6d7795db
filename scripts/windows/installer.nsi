; The Windows installer of the BOM query program, built by package.sh:
;
;   makensis -INPUTCHARSET UTF8 -DSOURCE_FOLDER=<portable folder>
;            -DOUTPUT_FILE=<setup.exe> installer.nsi
;
; Installs the portable folder into Program Files with a Start-menu entry
; and an entry in the system's list of programs, and can write the four
; connection settings into the machine's registry (which only an
; administrator may change, hence the installer asks for those rights).
; A silent install (/S) writes them when given on the command line:
;   bomquery-setup-x64.exe /S /SERVER=srv /DATABASE=erp /USER=sa /PASSWORD=pw
; The uninstaller removes the files, the entries and those four values.

; A 64-bit installer, as the program is.
Target amd64-unicode
!include MUI2.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "BOM查询"
!define SETTINGS_KEY "SOFTWARE\TORVA\BELKO\DBLinkInfo"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\bomquery"

Name "${PRODUCT}"
OutFile "${OUTPUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

Var Server
Var Database
Var User
Var Password
Var WriteSettings
Var ServerBox
Var DatabaseBox
Var UserBox
Var PasswordBox
Var WriteBox

!insertmacro MUI_PAGE_DIRECTORY
Page custom SettingsPage SettingsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetRegView 64
  ; What is stored already is offered again; a first install offers the
  ; demo database that comes with the program.
  ReadRegStr $Server HKLM "${SETTINGS_KEY}" "dbserver"
  ReadRegStr $Database HKLM "${SETTINGS_KEY}" "dbdatabase"
  ReadRegStr $User HKLM "${SETTINGS_KEY}" "dbuser"
  ReadRegStr $Password HKLM "${SETTINGS_KEY}" "dbpassword"
  StrCpy $WriteSettings ${BST_CHECKED}
  ${If} $Server == ""
    StrCpy $Server "embedded"
    StrCpy $Database ""
    StrCpy $User "demo"
  ${EndIf}
  ${If} ${Silent}
    StrCpy $WriteSettings ${BST_UNCHECKED}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/SERVER=" $1
    ${IfNot} ${Errors}
      StrCpy $WriteSettings ${BST_CHECKED}
      StrCpy $Server $1
      ${GetOptions} $0 "/DATABASE=" $Database
      ${GetOptions} $0 "/USER=" $User
      ${GetOptions} $0 "/PASSWORD=" $Password
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SettingsPage
  !insertmacro MUI_HEADER_TEXT "数据库连接" "程序连接的数据库（留空数据库且服务器为 embedded 时使用演示数据库）"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckBox} 0 0 100% 12u "写入连接设置（本机所有用户）"
  Pop $WriteBox
  ${NSD_SetState} $WriteBox $WriteSettings
  ${NSD_CreateLabel} 0 22u 25% 12u "服务器："
  Pop $0
  ${NSD_CreateText} 25% 20u 75% 12u $Server
  Pop $ServerBox
  ${NSD_CreateLabel} 0 40u 25% 12u "数据库："
  Pop $0
  ${NSD_CreateText} 25% 38u 75% 12u $Database
  Pop $DatabaseBox
  ${NSD_CreateLabel} 0 58u 25% 12u "用户名："
  Pop $0
  ${NSD_CreateText} 25% 56u 75% 12u $User
  Pop $UserBox
  ${NSD_CreateLabel} 0 76u 25% 12u "密码："
  Pop $0
  ${NSD_CreatePassword} 25% 74u 75% 12u $Password
  Pop $PasswordBox
  nsDialogs::Show
FunctionEnd

Function SettingsPageLeave
  ${NSD_GetState} $WriteBox $WriteSettings
  ${NSD_GetText} $ServerBox $Server
  ${NSD_GetText} $DatabaseBox $Database
  ${NSD_GetText} $UserBox $User
  ${NSD_GetText} $PasswordBox $Password
FunctionEnd

Section "Program"
  SetRegView 64
  ; For every user of the machine, as the settings are.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_FOLDER}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\prj_lorquin.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\prj_lorquin.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} $WriteSettings == ${BST_CHECKED}
    ${If} $Server == "embedded"
    ${AndIf} $Database == ""
      StrCpy $Database "$INSTDIR\db\demo.sqlite3"
    ${EndIf}
    ClearErrors
    WriteRegStr HKLM "${SETTINGS_KEY}" "dbserver" $Server
    WriteRegStr HKLM "${SETTINGS_KEY}" "dbdatabase" $Database
    WriteRegStr HKLM "${SETTINGS_KEY}" "dbuser" $User
    WriteRegStr HKLM "${SETTINGS_KEY}" "dbpassword" $Password
    ${If} ${Errors}
      MessageBox MB_ICONSTOP "无法写入连接设置。" /SD IDOK
      SetErrorLevel 2
    ${EndIf}
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "dbserver"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "dbdatabase"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "dbuser"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "dbpassword"
  ; The keys go only where nothing else is left in them.
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\TORVA\BELKO"
  DeleteRegKey /ifempty HKLM "SOFTWARE\TORVA"
SectionEnd

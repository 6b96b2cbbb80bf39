; The Windows installer:
;   makensis -DVERSION=2.0 -DSOURCE=<program folder> -DICONE=<.ico> -DSORTIE=<setup.exe>
;            -DGROUPES=<.nsh creating the groups' folders>
; The program goes to Program Files, for every user of the computer; the exercises, the
; records and the ini go to the public documents (C:\Users\Public\Documents\Plumelune), which
; every pupil's account can write. The uninstaller removes the program and keeps them.
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

Name "Plumelune ${VERSION}"
OutFile "${SORTIE}"
InstallDir "$PROGRAMFILES64\Plumelune"
BrandingText "Plumelune ${VERSION}"

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\plumelune.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\Plumelune"

Section "Plumelune"
  SetShellVarContext all
  SetRegView 64
  ; The program, replaced at each installation.
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File /r /x "_Medias" /x "_Bilans" "${SOURCE}\*.*"
  ; The program never writes beside itself once installed: see DossierDonnees.
  FileOpen $0 "$INSTDIR\plumelune.installe" w
  FileWrite $0 "Programme installé : ses données sont dans les documents publics.$\r$\n"
  FileClose $0

  ; The class's data, never overwritten: a new version keeps the teacher's ini, exercises
  ; and records.
  SetOutPath "$DOCUMENTS\Plumelune"
  SetOverwrite off
  File "${SOURCE}\plumelune.ini"
  File /r "${SOURCE}\_Medias"
  ; The records folder and its groups, empty folders that File does not carry.
  CreateDirectory "$DOCUMENTS\Plumelune\_Bilans"
  !include "${GROUPES}"
  ; Every account of the computer (BUILTIN\Users) may change what another one wrote.
  nsExec::Exec 'icacls "$DOCUMENTS\Plumelune" /grant *S-1-5-32-545:(OI)(CI)M /T /Q'

  CreateShortcut "$SMPROGRAMS\Plumelune.lnk" "$INSTDIR\plumelune.exe"
  WriteUninstaller "$INSTDIR\desinstaller.exe"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayName" "Plumelune"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "Publisher" "Plumelune"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\plumelune.exe"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\Plumelune.lnk"
  ; The program folder only, and only if it is one: the class's exercises and records stay in
  ; the public documents.
  IfFileExists "$INSTDIR\plumelune.installe" 0 +2
    RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${CLE_DESINSTALLATION}"
SectionEnd

The first install on a new machine of the default preset, Windows 7 Ultimate
SP1 32-bit, by the default person: an administrator who consents to the
program's request for administrator rights. The licence is accepted,
Continue pressed, and Finish after the run.

  $ lynsim new M >/dev/null && cp -a M BEFORE
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit
  elevation: consent Yes
  shown: frmSetup "LYN Setup"
  control: Image4 picture
  control: Image5 picture
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: T1 "LYNWOOD CATALOG SUITE 6.7..."
  control: Image2 picture
  control: Image1 picture
  control: lblClientOS "Operating System:  Windows 7 Ultimate Edition, 32-bit (Build 7601, Service Pack 1)"
  control: OpAccept(0) ""
  control: lblAcceptYes "I accept the terms of the license agreement."
  control: OpAccept(1) "" selected
  control: lblAcceptNo "I do not accept the terms of the license agreement."
  control: cmdOK "Continue" disabled
  control: cmdExit "Cancel"
  click: lblAcceptYes
  selected: OpAccept(1) false
  selected: OpAccept(0) true
  enabled: cmdOK true
  click: cmdOK
  enabled: cmdOK false
  caption: cmdExit "Finish"
  visible: cmdExit false
  visible: picInstall true
  visible: Image4 false
  visible: Image5 false
  visible: lblPleaseRead false
  visible: T1 false
  visible: Image2 false
  visible: Image1 false
  visible: lblClientOS false
  visible: OpAccept(0) false
  visible: lblAcceptYes false
  visible: OpAccept(1) false
  visible: lblAcceptNo false
  visible: cmdOK false
  visible: lblInstallDir true
  visible: lblProgFileDir true
  visible: Image3 true
  visible: Image6 true
  visible: lblExtrating true
  visible: lblExprogress true
  visible: Image1 true
  visible: Image2 true
  caption: lblProgFileDir "C:\Program Files\LYN"
  caption: lblExprogress "."
  caption: lblExprogress ".."
  caption: lblExprogress "..."
  caption: lblExprogress "...."
  caption: lblExprogress "....."
  caption: lblExprogress "......"
  caption: lblExprogress "......."
  caption: lblExprogress "........"
  caption: lblExprogress "........."
  caption: lblExprogress "."
  caption: lblExprogress ".."
  caption: lblExprogress "..."
  caption: lblExprogress "...."
  caption: lblExprogress "....."
  caption: lblExprogress "......"
  caption: lblExprogress "......."
  caption: lblExprogress "........"
  caption: lblExprogress "........."
  caption: lblExprogress "."
  caption: lblExprogress ".."
  caption: lblExprogress "..."
  caption: lblExprogress "...."
  caption: lblExprogress "....."
  caption: lblExprogress "......"
  caption: lblExprogress "......."
  caption: lblExprogress "........"
  caption: lblExprogress "........."
  caption: lblExprogress "."
  caption: lblExprogress ".."
  caption: lblExprogress "..."
  caption: lblExprogress "...."
  caption: lblExprogress "....."
  caption: lblExprogress "......"
  caption: lblExprogress "......."
  caption: lblExprogress "........"
  caption: lblExprogress "........."
  caption: lblExprogress "."
  caption: lblExprogress ".."
  caption: lblExprogress "..."
  caption: lblExprogress "...."
  caption: lblExprogress "....."
  caption: lblExprogress "......"
  caption: lblExprogress "......."
  caption: lblExprogress "........"
  caption: lblExprogress "....Done"
  visible: imgTick(0) true
  visible: lblInstalling true
  visible: lblInprogress true
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "...."
  caption: lblInprogress "....."
  caption: lblInprogress "......"
  caption: lblInprogress "......."
  caption: lblInprogress "........"
  caption: lblInprogress "........."
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "...."
  caption: lblInprogress "....."
  caption: lblInprogress "......"
  caption: lblInprogress "......."
  caption: lblInprogress "........"
  caption: lblInprogress "........."
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "...."
  caption: lblInprogress "....."
  caption: lblInprogress "......"
  caption: lblInprogress "......."
  caption: lblInprogress "........"
  caption: lblInprogress "........."
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "...."
  caption: lblInprogress "....."
  caption: lblInprogress "......"
  caption: lblInprogress "......."
  caption: lblInprogress "........"
  caption: lblInprogress "........."
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "...."
  caption: lblInprogress "....."
  caption: lblInprogress "......"
  caption: lblInprogress "......."
  caption: lblInprogress "........"
  caption: lblInprogress "........."
  caption: lblInprogress "."
  caption: lblInprogress ".."
  caption: lblInprogress "..."
  caption: lblInprogress "....Done"
  visible: imgTick(1) true
  visible: lblRegistering true
  visible: lblRegprogress true
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "...."
  caption: lblRegprogress "....."
  caption: lblRegprogress "......"
  caption: lblRegprogress "......."
  caption: lblRegprogress "........"
  caption: lblRegprogress "........."
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "...."
  caption: lblRegprogress "....."
  caption: lblRegprogress "......"
  caption: lblRegprogress "......."
  caption: lblRegprogress "........"
  caption: lblRegprogress "........."
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "...."
  caption: lblRegprogress "....."
  caption: lblRegprogress "......"
  caption: lblRegprogress "......."
  caption: lblRegprogress "........"
  caption: lblRegprogress "........."
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "...."
  caption: lblRegprogress "....."
  caption: lblRegprogress "......"
  caption: lblRegprogress "......."
  caption: lblRegprogress "........"
  caption: lblRegprogress "........."
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "...."
  caption: lblRegprogress "....."
  caption: lblRegprogress "......"
  caption: lblRegprogress "......."
  caption: lblRegprogress "........"
  caption: lblRegprogress "........."
  caption: lblRegprogress "."
  caption: lblRegprogress ".."
  caption: lblRegprogress "..."
  caption: lblRegprogress "....Done"
  visible: imgTick(2) true
  visible: lblProgramGroup true
  visible: lblPGprogress true
  caption: lblPGprogress "."
  caption: lblPGprogress ".."
  caption: lblPGprogress "..."
  caption: lblPGprogress "...."
  caption: lblPGprogress "....."
  caption: lblPGprogress "....Done"
  visible: imgTick(3) true
  visible: imgTick(4) true
  visible: lblRegUninstall true
  visible: lblUninstallprogress true
  caption: lblUninstallprogress "....Done"
  visible: cmdExit true
  click: cmdExit
  ended: Finish

Both logs, byte for byte:

  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/first-install.UnInstallLYN.log
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/first-install.InstallInfo.log

What the run changed. The permission timer found "all access" missing on the
system folder and granted the Users group full control: the Windows and
system folders, TrustedInstaller's, refused without a word (no access line
for them), SOFTWARE took the grant. The temporary folder is gone again.

  $ lynsim diff BEFORE M
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  file added: C:\Program Files\LYN\InstallInfo.log
  file added: C:\Program Files\LYN\LYN.exe
  file added: C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  file added: C:\Program Files\LYN\Maps\Map02_OldTown.jpg
  file added: C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  file added: C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  file added: C:\Program Files\LYN\Maps\Map05_MarketSquare.jpg
  file added: C:\Program Files\LYN\Maps\Map06_Lighthouse.jpg
  file added: C:\Program Files\LYN\Maps\Map07_Millbrook.jpg
  file added: C:\Program Files\LYN\Maps\Map08_StationRoad.jpg
  file added: C:\Program Files\LYN\Maps\Map09_CastleHill.jpg
  file added: C:\Program Files\LYN\Maps\Map10_Docklands.jpg
  file added: C:\Program Files\LYN\Maps\Map11_Parkside.jpg
  file added: C:\Program Files\LYN\Maps\Map12_Westgate.jpg
  file added: C:\Program Files\LYN\Maps\Map13_Fenland.jpg
  file added: C:\Program Files\LYN\Maps\Map14_Overview.jpg
  file added: C:\Program Files\LYN\QY.chm
  file added: C:\Program Files\LYN\ssvd.dtb
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  file added: C:\Users\Owner\Desktop\LYN.lnk
  file added: C:\Windows\UnInstallLYN.log
  file added: C:\Windows\UninstallLYN67.exe
  file added: C:\Windows\system32\COMCTL32.OCX
  file added: C:\Windows\system32\COMDLG32.OCX
  file added: C:\Windows\system32\MSCOMCTL.OCX
  file added: C:\Windows\system32\MSFLXGRD.OCX
  file added: C:\Windows\system32\RICHTX32.OCX
  file added: C:\Windows\system32\VB5DB.dll
  file added: C:\Windows\system32\msjint40.dll
  file added: C:\Windows\system32\msjter40.dll
  file added: C:\Windows\system32\msjtes40.dll
  file added: C:\Windows\system32\msrd2x40.dll
  file added: C:\Windows\system32\msrd3x40.dll
  file added: C:\Windows\system32\msrepl40.dll
  file added: C:\Windows\system32\mswdat10.dll
  file added: C:\Windows\system32\mswstr10.dll
  folder added: C:\Program Files\LYN
  folder added: C:\Program Files\LYN\Maps
  folder added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  key added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  registration added: C:\Windows\system32\COMCTL32.OCX
  registration added: C:\Windows\system32\COMDLG32.OCX
  registration added: C:\Windows\system32\MSCOMCTL.OCX
  registration added: C:\Windows\system32\MSFLXGRD.OCX
  registration added: C:\Windows\system32\RICHTX32.OCX
  registration added: C:\Windows\system32\VB5DB.dll
  registration added: C:\Windows\system32\msjint40.dll
  registration added: C:\Windows\system32\msjter40.dll
  registration added: C:\Windows\system32\msjtes40.dll
  registration added: C:\Windows\system32\msrd2x40.dll
  registration added: C:\Windows\system32\msrd3x40.dll
  registration added: C:\Windows\system32\msrepl40.dll
  registration added: C:\Windows\system32\mswdat10.dll
  registration added: C:\Windows\system32\mswstr10.dll
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayIcon"="C:\\Program Files\\LYN\\LYN.exe" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayName"="Lynwood Catalog Suite" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayVersion"="6.7.0.0" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "EstimatedSize"=dword:00005710 (REG_DWORD)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "Publisher"="Orrin Works" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "UninstallString"="C:\\Windows\\UninstallLYN67.exe" (REG_SZ)
  [1]

The folders the run made took the grant too, passed on to everything below:

  $ lynsim acl M 'C:\Program Files\LYN' | head -1
  C:\Program Files\LYN BUILTIN\Users:(OI)(CI)(F)
  $ lynsim acl M 'C:\Program Files\LYN\Maps' | head -1
  C:\Program Files\LYN\Maps BUILTIN\Users:(OI)(CI)(F)
  $ lynsim acl M 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN' | head -1
  C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN NT AUTHORITY\SYSTEM:(I)(OI)(CI)(F)

The run looks for a folder as a search does, which passes over hidden and
system entries: a hidden shared folder counts as missing, so the run makes it
again (which fails, as it is there) and grants it like a folder it made.

  $ lynsim new HIDDEN >/dev/null
  $ attrib HIDDEN H C:\Program Files\Common Files\Microsoft Shared
  $ lynsim run HIDDEN --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1
  ended: Finish
  $ lynsim acl HIDDEN 'C:\Program Files\Common Files\Microsoft Shared' | head -1
  C:\Program Files\Common Files\Microsoft Shared BUILTIN\Users:(OI)(CI)(F)

On Windows XP an administrator already holds all access to the system
folders, so security stays off and nothing is granted: the program folder
keeps the list it inherits.

  $ lynsim new XP --preset winxp-pro >/dev/null && lynsim run XP --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1
  ended: Finish
  $ lynsim acl XP 'C:\Program Files\LYN'
  C:\Program Files\LYN BUILTIN\Administrators:(I)(OI)(CI)(F)
                       NT AUTHORITY\SYSTEM:(I)(OI)(CI)(F)
                       BUILTIN\Power Users:(I)(OI)(CI)(M)
                       BUILTIN\Users:(I)(OI)(CI)(RX)
                       OWNER-PC\Owner:(I)(F)
                       CREATOR OWNER:(I)(OI)(CI)(IO)(F)

A second run finds the product in the program folder, says so and ends; it
changes nothing.

  $ cp -a M FIRST
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK | tail -n 8
  caption: lblProgFileDir "C:\Program Files\LYN"
  msgbox: "Installation Already Exists" [OK] critical "The LYN program is already installed on this computer.
    
    If you wish to re-install, please uninstall the current
    
    installation first.  This Setup will now terminate."
  answer: OK
  ended: Installation Already Exists
  $ lynsim diff FIRST M

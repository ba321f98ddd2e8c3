An emulated machine that reports what Wine 8 reports, with a prefix's
folders (its account here named "wineuser"): Windows 7 Ultimate N SP1,
64-bit, a workstation without suite bits. Wine starts a program that asks
for administrator rights elevated without a prompt, as Windows does with
User Account Control off. The Wine tests (tests/platform/win32) run the same
scripts under Wine and hold what they see against this file and its logs.

  $ lynsim new M --set wProcessorArchitecture=9 --set Wow64=true --set GetProductInfo=0x1C --set wSuiteMask=0 --set wProductType=1 --set EnableLUA=false --set UserName=wineuser --set 'WindowsDirectory=C:\windows' --set 'SystemDirectory=C:\windows\system32' --set 'TempPath=C:\users\wineuser\AppData\Local\Temp\' --set 'ProgramFiles=C:\Program Files' --set 'CommonFiles=C:\Program Files\Common Files' --set 'CommonPrograms=C:\ProgramData\Microsoft\Windows\Start Menu\Programs' --set 'Desktop=C:\users\wineuser\Desktop' >/dev/null && cp -a M BEFORE

The window before the install: the 64-bit question, answered both ways, the
licence page's options, Cancel, and a second copy started while the first
holds its window, which ends without a word.

  $ lynsim run M --headless --answer Yes
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 7 , 64-bit (Build 7601, Service Pack 1).
    
    The program you are attempting to install has not been tested on Windows 7 , 64-bit 64-Bit.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: Yes
  shown: frmSetup "LYN Setup"
  control: Image4 picture
  control: Image5 picture
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: T1 "LYNWOOD CATALOG SUITE 6.7..."
  control: Image2 picture
  control: Image1 picture
  control: lblClientOS "Operating System:  Windows 7 , 64-bit (Build 7601, Service Pack 1)"
  control: OpAccept(0) ""
  control: lblAcceptYes "I accept the terms of the license agreement."
  control: OpAccept(1) "" selected
  control: lblAcceptNo "I do not accept the terms of the license agreement."
  control: cmdOK "Continue" disabled
  control: cmdExit "Cancel"
  ended: script done
  $ lynsim run M --headless --answer No
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 7 , 64-bit (Build 7601, Service Pack 1).
    
    The program you are attempting to install has not been tested on Windows 7 , 64-bit 64-Bit.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: No
  ended: Untested OS
  $ lynsim run M --headless --answer Yes --click lblAcceptYes --click lblAcceptNo --click 'OpAccept(0)' --click 'OpAccept(1)'
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 7 , 64-bit (Build 7601, Service Pack 1).
    
    The program you are attempting to install has not been tested on Windows 7 , 64-bit 64-Bit.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: Yes
  shown: frmSetup "LYN Setup"
  control: Image4 picture
  control: Image5 picture
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: T1 "LYNWOOD CATALOG SUITE 6.7..."
  control: Image2 picture
  control: Image1 picture
  control: lblClientOS "Operating System:  Windows 7 , 64-bit (Build 7601, Service Pack 1)"
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
  click: lblAcceptNo
  selected: OpAccept(0) false
  selected: OpAccept(1) true
  enabled: cmdOK false
  click: OpAccept(0)
  selected: OpAccept(1) false
  selected: OpAccept(0) true
  enabled: cmdOK true
  click: OpAccept(1)
  selected: OpAccept(0) false
  selected: OpAccept(1) true
  enabled: cmdOK false
  ended: script done
  $ lynsim run M --headless --answer Yes --click lblAcceptYes --click cmdExit
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 7 , 64-bit (Build 7601, Service Pack 1).
    
    The program you are attempting to install has not been tested on Windows 7 , 64-bit 64-Bit.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: Yes
  shown: frmSetup "LYN Setup"
  control: Image4 picture
  control: Image5 picture
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: T1 "LYNWOOD CATALOG SUITE 6.7..."
  control: Image2 picture
  control: Image1 picture
  control: lblClientOS "Operating System:  Windows 7 , 64-bit (Build 7601, Service Pack 1)"
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
  click: cmdExit
  ended: Cancel
  $ mkfifo first && { lynsim run M --headless --answer Yes --hold 60 > first & } && grep -q -m 1 '^shown:' first && lynsim run M --headless; kill $!; wait $! || true
  ended: previous instance

The install: both logs, what changed (the uninstall entry under the 32-bit
view, Wow6432Node; the shared files in SysWOW64, which the program sees as
system32), and the shortcuts.

  $ lynsim run M --headless --answer Yes --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim cat M 'C:\windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/wine-like.UnInstallLYN.log
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/wine-like.InstallInfo.log
  $ lynsim diff BEFORE M | grep -v '^file added: C:.Program Files.LYN.Maps\|registration added'
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  file added: C:\Program Files\LYN\InstallInfo.log
  file added: C:\Program Files\LYN\LYN.exe
  file added: C:\Program Files\LYN\QY.chm
  file added: C:\Program Files\LYN\ssvd.dtb
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  file added: C:\users\wineuser\Desktop\LYN.lnk
  file added: C:\windows\SysWOW64\COMCTL32.OCX
  file added: C:\windows\SysWOW64\COMDLG32.OCX
  file added: C:\windows\SysWOW64\MSCOMCTL.OCX
  file added: C:\windows\SysWOW64\MSFLXGRD.OCX
  file added: C:\windows\SysWOW64\RICHTX32.OCX
  file added: C:\windows\SysWOW64\VB5DB.dll
  file added: C:\windows\SysWOW64\msjint40.dll
  file added: C:\windows\SysWOW64\msjter40.dll
  file added: C:\windows\SysWOW64\msjtes40.dll
  file added: C:\windows\SysWOW64\msrd2x40.dll
  file added: C:\windows\SysWOW64\msrd3x40.dll
  file added: C:\windows\SysWOW64\msrepl40.dll
  file added: C:\windows\SysWOW64\mswdat10.dll
  file added: C:\windows\SysWOW64\mswstr10.dll
  file added: C:\windows\UnInstallLYN.log
  file added: C:\windows\UninstallLYN67.exe
  folder added: C:\Program Files\LYN
  folder added: C:\Program Files\LYN\Maps
  folder added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  key added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayIcon"="C:\\Program Files\\LYN\\LYN.exe" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayName"="Lynwood Catalog Suite" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayVersion"="6.7.0.0" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "EstimatedSize"=dword:00005710 (REG_DWORD)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "Publisher"="Orrin Works" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "UninstallString"="C:\\windows\\UninstallLYN67.exe" (REG_SZ)
  $ for l in 'LYN.lnk' 'Help QY.lnk' 'UninstallLYN67.lnk'; do python3 $DATA/../platform/win32/lnk_fields.py "$(lynsim path M "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\LYN\\$l")"; done
  Local path=C:\Program Files\LYN\LYN.exe; Description=Lynwood Catalog Suite; Working directory=C:\Program Files\LYN\; Command line arguments=; Icon location=C:\Program Files\LYN\LYN.exe; Show command=5
  Local path=C:\Program Files\LYN\QY.chm; Description=Help; Working directory=C:\Program Files\LYN\; Command line arguments=; Icon location=C:\Program Files\LYN\QY.chm; Show command=5
  Local path=C:\windows\UninstallLYN67.exe; Description=Uninstall; Working directory=C:\windows\; Command line arguments=; Icon location=C:\windows\UninstallLYN67.exe; Show command=5
  $ python3 $DATA/../platform/win32/lnk_fields.py "$(lynsim path M 'C:\users\wineuser\Desktop\LYN.lnk')"
  Local path=C:\Program Files\LYN\LYN.exe; Description=Lynwood Catalog Suite; Working directory=C:\Program Files\LYN\; Command line arguments=; Icon location=C:\Program Files\LYN\LYN.exe; Show command=5

The product removed as the list of installed programs removes it: the
question answered Yes, the report OK. Only the shared files stay, with the
Users group's grants.

  $ cp -a M INSTALLED
  $ lynsim uninstall M --answer Yes --answer OK
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [Yes/No] "Do you want to remove Lynwood Catalog Suite 6.7 from this computer?"
  answer: Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was removed.
    
    Shared files kept, since other programs may use them:
    C:\windows\system32\msjint40.dll
    C:\windows\system32\msjter40.dll
    C:\windows\system32\msjtes40.dll
    C:\windows\system32\msrd2x40.dll
    C:\windows\system32\msrd3x40.dll
    C:\windows\system32\msrepl40.dll
    C:\windows\system32\mswdat10.dll
    C:\windows\system32\mswstr10.dll
    C:\windows\system32\MSCOMCTL.OCX
    C:\windows\system32\COMCTL32.OCX
    C:\windows\system32\RICHTX32.OCX
    C:\windows\system32\MSFLXGRD.OCX
    C:\windows\system32\COMDLG32.OCX
    C:\windows\system32\VB5DB.dll"
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7
  $ lynsim diff BEFORE M
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  file added: C:\windows\SysWOW64\COMCTL32.OCX
  file added: C:\windows\SysWOW64\COMDLG32.OCX
  file added: C:\windows\SysWOW64\MSCOMCTL.OCX
  file added: C:\windows\SysWOW64\MSFLXGRD.OCX
  file added: C:\windows\SysWOW64\RICHTX32.OCX
  file added: C:\windows\SysWOW64\VB5DB.dll
  file added: C:\windows\SysWOW64\msjint40.dll
  file added: C:\windows\SysWOW64\msjter40.dll
  file added: C:\windows\SysWOW64\msjtes40.dll
  file added: C:\windows\SysWOW64\msrd2x40.dll
  file added: C:\windows\SysWOW64\msrd3x40.dll
  file added: C:\windows\SysWOW64\msrepl40.dll
  file added: C:\windows\SysWOW64\mswdat10.dll
  file added: C:\windows\SysWOW64\mswstr10.dll
  registration added: C:\windows\SysWOW64\COMCTL32.OCX
  registration added: C:\windows\SysWOW64\COMDLG32.OCX
  registration added: C:\windows\SysWOW64\MSCOMCTL.OCX
  registration added: C:\windows\SysWOW64\MSFLXGRD.OCX
  registration added: C:\windows\SysWOW64\RICHTX32.OCX
  registration added: C:\windows\SysWOW64\VB5DB.dll
  registration added: C:\windows\SysWOW64\msjint40.dll
  registration added: C:\windows\SysWOW64\msjter40.dll
  registration added: C:\windows\SysWOW64\msjtes40.dll
  registration added: C:\windows\SysWOW64\msrd2x40.dll
  registration added: C:\windows\SysWOW64\msrd3x40.dll
  registration added: C:\windows\SysWOW64\msrepl40.dll
  registration added: C:\windows\SysWOW64\mswdat10.dll
  registration added: C:\windows\SysWOW64\mswstr10.dll
  [1]

A cabinet that is not one then stops a new install at the first file it
marks, with "File Missing": the system and DAO files the removal kept are
not marked again, so it is the help file. The stop removes the temporary
folder, then the program folder up to the install-information log, still
open without sharing, which comes first: the program folder stays whole.

  $ cp -a M REMOVED && echo -n > "$(lynsim path M 'C:\Distribution\LYN.CAB')"
  $ lynsim run M --headless --answer Yes --click lblAcceptYes --click cmdOK --answer OK | tail -n 5
  msgbox: "File Missing" [OK] critical "Unable to continue.  File QY.chm missing.
    
    This Setup will now terminate."
  answer: OK
  ended: File Missing
  $ lynsim cat M 'C:\windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/wine-like-file-missing.UnInstallLYN.log
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/wine-like-file-missing.InstallInfo.log
  $ lynsim diff REMOVED M | grep 'folder\|file added'
  file added: C:\Program Files\LYN\InstallInfo.log
  file added: C:\windows\UnInstallLYN.log
  folder added: C:\Program Files\LYN
  folder added: C:\Program Files\LYN\Maps

The uninstaller on an installed machine that is not as the install left it.

  $ lynsim new INSTALLED >/dev/null && cp -a INSTALLED FRESH && lynsim run INSTALLED --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1
  ended: Finish

It goes on past what it cannot remove and says why: a file of the person's
keeps its folder, a program file in use and a read-only map stay, and a
file already gone is not mentioned; everything else goes but the
uninstaller, its log and the entry, which stay for the run that removes the
rest.

  $ cp -a INSTALLED M && echo -n mine > "$(lynsim path M 'C:\Program Files\LYN\My notes.txt')" && rm "$(lynsim path M 'C:\Program Files\LYN\QY.chm')"
  $ attrib M R C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  $ hold M C:\Program Files\LYN\LYN.exe
  $ lynsim uninstall M --answer Yes --answer OK
  elevation: consent Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [Yes/No] "Do you want to remove Lynwood Catalog Suite 6.7 from this computer?"
  answer: Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was not removed completely.
    
    These could not be removed:
    C:\Program Files\LYN\LYN.exe (in use)
    C:\Program Files\LYN\Maps\Map01_Harbour.jpg (read-only)
    C:\Program Files\LYN\Maps (not empty)
    C:\Program Files\LYN (not empty)
    
    Run the uninstaller again to remove them; it stays on this computer until then.
    
    Shared files kept, since other programs may use them:
    C:\Windows\system32\msjint40.dll
    C:\Windows\system32\msjter40.dll
    C:\Windows\system32\msjtes40.dll
    C:\Windows\system32\msrd2x40.dll
    C:\Windows\system32\msrd3x40.dll
    C:\Windows\system32\msrepl40.dll
    C:\Windows\system32\mswdat10.dll
    C:\Windows\system32\mswstr10.dll
    C:\Windows\system32\MSCOMCTL.OCX
    C:\Windows\system32\COMCTL32.OCX
    C:\Windows\system32\RICHTX32.OCX
    C:\Windows\system32\MSFLXGRD.OCX
    C:\Windows\system32\COMDLG32.OCX
    C:\Windows\system32\VB5DB.dll"
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7
  $ lynsim diff INSTALLED M
  file added: C:\Program Files\LYN\My notes.txt
  file changed: C:\Program Files\LYN\Maps\Map01_Harbour.jpg (attributes ---A -> R---)
  file removed: C:\Program Files\LYN\InstallInfo.log
  file removed: C:\Program Files\LYN\Maps\Map02_OldTown.jpg
  file removed: C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  file removed: C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  file removed: C:\Program Files\LYN\Maps\Map05_MarketSquare.jpg
  file removed: C:\Program Files\LYN\Maps\Map06_Lighthouse.jpg
  file removed: C:\Program Files\LYN\Maps\Map07_Millbrook.jpg
  file removed: C:\Program Files\LYN\Maps\Map08_StationRoad.jpg
  file removed: C:\Program Files\LYN\Maps\Map09_CastleHill.jpg
  file removed: C:\Program Files\LYN\Maps\Map10_Docklands.jpg
  file removed: C:\Program Files\LYN\Maps\Map11_Parkside.jpg
  file removed: C:\Program Files\LYN\Maps\Map12_Westgate.jpg
  file removed: C:\Program Files\LYN\Maps\Map13_Fenland.jpg
  file removed: C:\Program Files\LYN\Maps\Map14_Overview.jpg
  file removed: C:\Program Files\LYN\QY.chm
  file removed: C:\Program Files\LYN\ssvd.dtb
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  file removed: C:\Users\Owner\Desktop\LYN.lnk
  folder removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  [1]

A log that names the person's folders as the product's is not the install's:
nothing is removed on its word, whether the program folder is the person's
documents or the program group the desktop.

  $ cp -a INSTALLED DOCS && sed -i 's/C:\\Program Files\\LYN/C:\\Users\\Owner\\Documents/' "$(lynsim path DOCS 'C:\Windows\UnInstallLYN.log')" && cp -a DOCS EDITED
  $ lynsim uninstall DOCS --answer OK
  elevation: consent Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] critical "The uninstall log C:\Windows\UnInstallLYN.log is damaged (line 2: not a path the install writes on this machine).
    Nothing was removed."
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7
  $ lynsim diff EDITED DOCS
  $ cp -a INSTALLED DESK && sed -i 's/C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\LYN/C:\\Users\\Owner\\Desktop/' "$(lynsim path DESK 'C:\Windows\UnInstallLYN.log')" && lynsim uninstall DESK --answer OK
  elevation: consent Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] critical "The uninstall log C:\Windows\UnInstallLYN.log is damaged (line 138: not a path the install writes on this machine).
    Nothing was removed."
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7

A desktop shortcut the log names on another user's desktop is left, and
said to be.

  $ cp -a INSTALLED OTHER && sed -i 's/C:\\Users\\Owner\\Desktop\\LYN.lnk/C:\\Users\\Other\\Desktop\\LYN.lnk/' "$(lynsim path OTHER 'C:\Windows\UnInstallLYN.log')" && lynsim uninstall OTHER --answer Yes --answer OK | grep -A 2 'could not be removed'
    These could not be removed:
    C:\Users\Other\Desktop\LYN.lnk (not on this user's desktop)
    

Without a log, the program folder the entry names leads the removal: the
person is asked, and only the product's files there go.

  $ cp -a INSTALLED NOLOG && rm "$(lynsim path NOLOG 'C:\Windows\UnInstallLYN.log')" && lynsim uninstall NOLOG --answer Yes --answer OK; lynsim diff INSTALLED NOLOG
  elevation: consent Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [Yes/No] "The uninstall log C:\Windows\UnInstallLYN.log is missing, but the uninstall entry names Lynwood Catalog Suite 6.7 in C:\Program Files\LYN. It will be removed from there and from the places its installation uses.
    
    Do you want to remove Lynwood Catalog Suite 6.7 from this computer?"
  answer: Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was removed."
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7
  file removed: C:\Program Files\LYN\InstallInfo.log
  file removed: C:\Program Files\LYN\LYN.exe
  file removed: C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  file removed: C:\Program Files\LYN\Maps\Map02_OldTown.jpg
  file removed: C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  file removed: C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  file removed: C:\Program Files\LYN\Maps\Map05_MarketSquare.jpg
  file removed: C:\Program Files\LYN\Maps\Map06_Lighthouse.jpg
  file removed: C:\Program Files\LYN\Maps\Map07_Millbrook.jpg
  file removed: C:\Program Files\LYN\Maps\Map08_StationRoad.jpg
  file removed: C:\Program Files\LYN\Maps\Map09_CastleHill.jpg
  file removed: C:\Program Files\LYN\Maps\Map10_Docklands.jpg
  file removed: C:\Program Files\LYN\Maps\Map11_Parkside.jpg
  file removed: C:\Program Files\LYN\Maps\Map12_Westgate.jpg
  file removed: C:\Program Files\LYN\Maps\Map13_Fenland.jpg
  file removed: C:\Program Files\LYN\Maps\Map14_Overview.jpg
  file removed: C:\Program Files\LYN\QY.chm
  file removed: C:\Program Files\LYN\ssvd.dtb
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  file removed: C:\Users\Owner\Desktop\LYN.lnk
  file removed: C:\Windows\UnInstallLYN.log
  file removed: C:\Windows\UninstallLYN67.exe
  folder removed: C:\Program Files\LYN
  folder removed: C:\Program Files\LYN\Maps
  folder removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  key removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayIcon"="C:\\Program Files\\LYN\\LYN.exe" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayName"="Lynwood Catalog Suite" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayVersion"="6.7.0.0" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "EstimatedSize"=dword:00005710 (REG_DWORD)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "Publisher"="Orrin Works" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "UninstallString"="C:\\Windows\\UninstallLYN67.exe" (REG_SZ)
  [1]

An install killed in its file phase, after the program files and before the
uninstaller was placed, leaves a log that stops there. The run says so, and
removes the program and map files whether or not the log got to them, and
what the setup program left in its temporary folder; the desktop, which the
install had not reached, is not touched.

  $ cp -a INSTALLED CUT && python3 -c 'import sys; p = sys.argv[1]; t = open(p, "rb").read(); open(p, "wb").write(t[:t.index(b"[WINDOWS]") + 4])' "$(lynsim path CUT 'C:\Windows\UnInstallLYN.log')"
  $ mkdir -p "$(lynsim path CUT 'C:\Users\Owner\AppData\Local\Temp')/LYNSetup" && echo -n extracted > "$(lynsim path CUT 'C:\Users\Owner\AppData\Local\Temp')/LYNSetup/Map05_MarketSquare.jpg"
  $ cp -a CUT CUT-BEFORE && lynsim uninstall CUT --answer Yes --answer OK | grep -v 'C:\\Windows\\system32'
  elevation: consent Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [Yes/No] "The uninstall log C:\Windows\UnInstallLYN.log is incomplete from line 40: the installation did not finish. What it installed will be removed, and what it was placing when it stopped.
    
    Do you want to remove Lynwood Catalog Suite 6.7 from this computer?"
  answer: Yes
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was removed.
    
    Shared files kept, since other programs may use them:
  answer: OK
  ended: Uninstall Lynwood Catalog Suite 6.7
  $ lynsim diff CUT-BEFORE CUT | grep -v 'Maps\\Map'
  file removed: C:\Program Files\LYN\InstallInfo.log
  file removed: C:\Program Files\LYN\LYN.exe
  file removed: C:\Program Files\LYN\QY.chm
  file removed: C:\Program Files\LYN\ssvd.dtb
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  file removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup\Map05_MarketSquare.jpg
  file removed: C:\Windows\UnInstallLYN.log
  file removed: C:\Windows\UninstallLYN67.exe
  folder removed: C:\Program Files\LYN
  folder removed: C:\Program Files\LYN\Maps
  folder removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  folder removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup
  key removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayIcon"="C:\\Program Files\\LYN\\LYN.exe" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayName"="Lynwood Catalog Suite" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "DisplayVersion"="6.7.0.0" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "EstimatedSize"=dword:00005710 (REG_DWORD)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "Publisher"="Orrin Works" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67 "UninstallString"="C:\\Windows\\UninstallLYN67.exe" (REG_SZ)

The person's desktop is the program group folder: the product's shortcuts
go, the folder and the person's files in it stay.

  $ lynsim new ODD --set 'Desktop=C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN' >/dev/null && lynsim run ODD --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1 && echo -n mine > "$(lynsim path ODD 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Letter.doc')" && cp -a ODD ODD-BEFORE
  ended: Finish
  $ lynsim uninstall ODD --answer Yes --answer OK | grep -A 3 'could not be removed'
    These could not be removed:
    C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN (a folder of Windows or of the person)
    
    Shared files kept, since other programs may use them:
  $ lynsim diff ODD-BEFORE ODD | grep 'Programs\\LYN'
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  file removed: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk

An install killed after making the desktop shortcut, before logging it and
before writing the uninstall entry, leaves a log that stops at the desktop's
section. lynsim runs the uninstaller left in the Windows folder, which
removes the shortcut the install was placing: the machine differs from
before the install only in the shared files and the grants.

  $ cp -a INSTALLED DESKCUT && python3 -c 'import sys; p = sys.argv[1]; t = open(p, "rb").read(); open(p, "wb").write(t[:t.index(b"[DESKTOP SHORTCUT]")])' "$(lynsim path DESKCUT 'C:\Windows\UnInstallLYN.log')"
  $ printf 'Windows Registry Editor Version 5.00\n\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67]\n' | lynsim reg DESKCUT import -
  $ lynsim uninstall DESKCUT --yes 2>&1 | grep -e 'no uninstall entry' -e 'was removed'
  lynsim: no uninstall entry 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67'; running 'C:\Windows\UninstallLYN67.exe'
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was removed.
  $ lynsim diff FRESH DESKCUT | grep -v -e 'system32' -e 'Microsoft Shared'
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)

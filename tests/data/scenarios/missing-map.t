A cabinet without one of the map pictures: the file phase places every file
before it, then meets the missing picture. For a picture of the Maps folder,
and only for one, the file row shows "....Done" and its cross before the
"File Missing" message.

  $ lynsim new M >/dev/null
  $ cd $PRODUCT/files && gcab -c "$(lynsim path $SCRATCH/M 'C:\Distribution\LYN.CAB')" $(ls | grep -v Map05_MarketSquare.jpg)
  $ cp -a M BEFORE
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK | sed -n '/lblInprogress "....Done"/,$p'
  caption: lblInprogress "....Done"
  visible: imgCross(1) true
  msgbox: "File Missing" [OK] critical "Unable to continue.  File Map05_MarketSquare.jpg missing.
    
    This Setup will now terminate."
  answer: OK
  ended: File Missing

The stop deleted the temporary folder; the program folder stays whole, its
first entry being the open install-information log (see missing-cabinet.t).
The files placed in the system and Windows folders stay, and the uninstall
log with them, without "[END]".

  $ lynsim diff BEFORE M | grep -c 'file added: C:.Windows.system32'
  14
  $ lynsim diff BEFORE M | grep -v 'system32'
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  file added: C:\Program Files\LYN\InstallInfo.log
  file added: C:\Program Files\LYN\LYN.exe
  file added: C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  file added: C:\Program Files\LYN\Maps\Map02_OldTown.jpg
  file added: C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  file added: C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  file added: C:\Program Files\LYN\QY.chm
  file added: C:\Program Files\LYN\ssvd.dtb
  file added: C:\Windows\UnInstallLYN.log
  file added: C:\Windows\UninstallLYN67.exe
  folder added: C:\Program Files\LYN
  folder added: C:\Program Files\LYN\Maps
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' | tail -n 4
  C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  Successful
  C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  Successful

Without an uninstall entry, lynsim runs the uninstaller the stop left in the
Windows folder. It removes what the log names and keeps the shared files:
the machine differs from before only in those and the grants.

  $ lynsim uninstall M --yes 2>&1 | grep -e 'no uninstall entry' -e 'was removed'
  lynsim: no uninstall entry 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67'; running 'C:\Windows\UninstallLYN67.exe'
  msgbox: "Uninstall Lynwood Catalog Suite 6.7" [OK] "Lynwood Catalog Suite 6.7 was removed.
  $ lynsim diff BEFORE M | grep -c 'file added: C:.Windows.system32'
  14
  $ lynsim diff BEFORE M | grep -v 'system32'
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)

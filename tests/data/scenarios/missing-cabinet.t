Without "LYN.CAB" in the current folder nothing is extracted, and the file
phase stops at the first marked file with "File Missing", the file row as it
was (only a map picture's stop shows the row's cross first; see
missing-map.t).

  $ lynsim new M >/dev/null && cp -a M BEFORE
  $ rm "$(lynsim path M 'C:\Distribution\LYN.CAB')"
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK | sed -n '/lblExprogress "....Done"/,$p'
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
  msgbox: "File Missing" [OK] critical "Unable to continue.  File msjint40.dll missing.
    
    This Setup will now terminate."
  answer: OK
  ended: File Missing

The uninstall log was closed as the stop left it, without "[END]"; the
install-information log holds the version survey.

  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/missing-cabinet.UnInstallLYN.log
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/missing-cabinet.InstallInfo.log

The stop deletes the temporary folder, then the program folder while the
install-information log is still open without sharing: the deletion takes
the folder's entries in the file system's order and ends at that log
(Windows refuses to delete a file open without FILE_SHARE_DELETE), so the
log, the Maps folder after it and the program folder stay.

  $ lynsim diff BEFORE M
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  file added: C:\Program Files\LYN\InstallInfo.log
  file added: C:\Windows\UnInstallLYN.log
  file removed: C:\Distribution\LYN.CAB
  folder added: C:\Program Files\LYN
  folder added: C:\Program Files\LYN\Maps
  [1]

Left unanswered, the message holds the run before the stop removes anything:
each folder the run made took the Users group's grant, the temporary folder
and the shared folders too (here "Microsoft Shared" was not there before).

  $ lynsim new HELD >/dev/null
  $ rm "$(lynsim path HELD 'C:\Distribution\LYN.CAB')"
  $ rm -r "$(lynsim path HELD 'C:\Program Files\Common Files\Microsoft Shared')"
  $ lynsim run HELD --headless --click lblAcceptYes --click cmdOK | tail -n 2
  unanswered: "File Missing"
  ended: script does not fit
  $ for f in 'Program Files\LYN' 'Program Files\LYN\Maps' 'Users\Owner\AppData\Local\Temp\LYNSetup' 'Program Files\Common Files\Microsoft Shared' 'Program Files\Common Files\Microsoft Shared\DAO'; do lynsim acl HELD "C:\\$f" | head -n 1; done
  C:\Program Files\LYN BUILTIN\Users:(OI)(CI)(F)
  C:\Program Files\LYN\Maps BUILTIN\Users:(OI)(CI)(F)
  C:\Users\Owner\AppData\Local\Temp\LYNSetup BUILTIN\Users:(OI)(CI)(F)
  C:\Program Files\Common Files\Microsoft Shared BUILTIN\Users:(OI)(CI)(F)
  C:\Program Files\Common Files\Microsoft Shared\DAO BUILTIN\Users:(OI)(CI)(F)

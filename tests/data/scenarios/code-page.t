The common files folder under a name in the system's ANSI code page, Danish
(1252) and Czech (1250): the run's texts reach the platform and the logs in
that code page. "Microsoft Shared" is not there, so the run makes it and its
"DAO" folder, grants both, and places the data-access library.

  $ lynsim new DA --set AnsiCodePage=1252 --set 'CommonFiles=C:\Program Files\Fælles filer' >/dev/null
  $ rm -r "$(lynsim path DA 'C:\Program Files\Fælles filer\Microsoft Shared')"
  $ lynsim run DA --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim acl DA 'C:\Program Files\Fælles filer\Microsoft Shared\DAO' | head -n 1
  C:\Program Files\Fælles filer\Microsoft Shared\DAO BUILTIN\Users:(OI)(CI)(F)
  $ lynsim cat DA 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/code-page.UnInstallLYN.log
  $ lynsim cat DA 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/code-page.InstallInfo.log
  $ grep -c $'F\xe6lles filer' $DATA/logs/code-page.*.log
  $DATA/logs/code-page.InstallInfo.log:3
  $DATA/logs/code-page.UnInstallLYN.log:2

The Czech machine's logs are the Danish ones with the folder's name in code
page 1250.

  $ lynsim new CS --set AnsiCodePage=1250 --set 'CommonFiles=C:\Program Files\Společné soubory' >/dev/null
  $ rm -r "$(lynsim path CS 'C:\Program Files\Společné soubory\Microsoft Shared')"
  $ lynsim run CS --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ for log in 'Windows\UnInstallLYN.log' 'Program Files\LYN\InstallInfo.log'; do lynsim cat CS "C:\\$log" --raw | iconv -f cp1250 -t utf-8 | sed 's/Společné soubory/Fælles filer/' | iconv -f utf-8 -t cp1252 | cmp - $DATA/logs/code-page.$(basename "${log//\\//}"); done

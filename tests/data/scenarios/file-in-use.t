The product's uninstaller is already in the Windows folder and running: the
copy over it fails, it is logged "Failed" and not registered, and the run
goes on to Finish. The row still shows its tick (the program ticks the file
row whatever its copies did); lynsim names the file that was not copied.

  $ lynsim new M >/dev/null
  $ echo running > "$(lynsim path M 'C:\Windows\UninstallLYN67.exe')"
  $ hold M C:\Windows\UninstallLYN67.exe
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  failed: C:\Windows\UninstallLYN67.exe
  ended: Finish
  $ lynsim cat M 'C:\Windows\UninstallLYN67.exe'
  running
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/file-in-use.UnInstallLYN.log

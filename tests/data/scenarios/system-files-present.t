System files already present decide what the run places. MSCOMCTL.OCX is
present in a newer version (8.0 against the shipped 6.1): the survey leaves
it, it is neither copied nor registered. The help viewer hh.exe is present
in an older version (5.1 against 6.0), owned by TrustedInstaller as Windows
7 owns its files, where Administrators may only read and run it: the survey
marks it, and since the permission timer found "all access" missing on the
system folder (Administrators hold Modify there) the owner check runs and
refuses the replacement. The viewer keeps its mark, so the version present
is registered (registering a program fails).

  $ lynsim new M >/dev/null
  $ cp $PE/catalog_engine_i686.dll "$(lynsim path M 'C:\Windows\system32\MSCOMCTL.OCX')"
  $ cp $PRODUCT/system/winxp/hh.exe "$(lynsim path M 'C:\Windows\system32\hh.exe')"
  $ cp -a M BEFORE
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/system-files-present.UnInstallLYN.log
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/system-files-present.InstallInfo.log
  $ lynsim diff BEFORE M | grep 'MSCOMCTL\|hh.exe'
  [1]

Started from a CD there are no access lists to ask: security stays off and
the owner check is not made, but the copy still meets the file's own list,
which lets administrators only read and execute it. It fails as on Windows,
and the viewer is not registered.

  $ lynsim new CD --set Drive.D=CDFS --set 'CurrentDirectory=D:\' >/dev/null
  $ cp $PRODUCT/system/winxp/hh.exe "$(lynsim path CD 'C:\Windows\system32\hh.exe')"
  $ lynsim run CD --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  failed: C:\Windows\system32\hh.exe
  ended: Finish
  $ lynsim cat CD 'C:\Windows\UnInstallLYN.log' --raw | cmp - $DATA/logs/cd-start.UnInstallLYN.log
  $ lynsim cat CD 'C:\Program Files\LYN\InstallInfo.log' --raw | cmp - $DATA/logs/cd-start.InstallInfo.log

The setup program and its uninstaller ask for administrator rights, and each
person's machine starts them as Windows does (docs/default-access-lists.md
names the sources). Declined, or refused to a standard user when User
Account Control is off, the program does not start and nothing changes.

  $ lynsim new NO --set ElevationAnswer=No >/dev/null && cp -a NO NO-BEFORE
  $ lynsim run NO --headless --click lblAcceptYes --click cmdOK --click cmdExit
  elevation: consent No
  ended: not started, error 1223 (The operation was canceled by the user.)
  [4]
  $ lynsim new USER-NO --set IsAdmin=false --set ElevationAnswer=No >/dev/null
  $ lynsim run USER-NO --headless --click lblAcceptYes --click cmdOK --click cmdExit
  elevation: credentials No
  ended: not started, error 1223 (The operation was canceled by the user.)
  [4]
  $ lynsim new USER-OFF --set IsAdmin=false --set EnableLUA=false >/dev/null
  $ lynsim run USER-OFF --headless --click lblAcceptYes --click cmdOK --click cmdExit
  ended: not started, error 740 (The requested operation requires elevation.)
  [4]
  $ lynsim diff NO-BEFORE NO

A standard user who types an administrator's password runs the program as
that administrator, and the install goes through:

  $ lynsim new USER >/dev/null
  $ lynsim set USER IsAdmin=false
  changed 1 field of machine USER
  $ lynsim run USER --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim run USER --headless --click lblAcceptYes --click cmdOK --click cmdExit | head -n 1
  elevation: credentials Yes

The uninstall entry the elevated install made belongs to Administrators,
who take CREATOR OWNER's full control of it. Declined, the uninstaller does
not start either, and the product stays.

  $ lynsim acl USER 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67' --sddl
  O:BAG:S-1-5-21-1004336348-1177238915-682003330-513D:(A;ID;KA;;;BA)(A;CIIOID;KA;;;CO)(A;CIID;KA;;;SY)(A;CIID;KA;;;BA)(A;OICIID;0x1f003f;;;BU)
  $ lynsim set USER ElevationAnswer=No
  changed 1 field of machine USER
  $ lynsim uninstall USER --answer Yes --answer OK
  elevation: credentials No
  ended: not started, error 1223 (The operation was canceled by the user.)
  [4]
  $ lynsim fileinfo USER 'C:\Program Files\LYN\LYN.exe' | grep FileVersion
  FileVersion: 6.7.0.0

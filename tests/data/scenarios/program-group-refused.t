The all-users Programs folder is a file: the program group cannot be made,
so "[PROGRAM GROUP]" and the three shortcuts in it are logged "Failed"; the
desktop shortcut is made, the shortcut row still shows its tick after one to
five dots, and the run finishes.

  $ lynsim new M >/dev/null
  $ P="$(lynsim path M 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')" && rm -r "$P" && echo file > "$P"
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit | sed -n '/visible: lblProgramGroup/,/imgTick(3)/p'
  visible: lblProgramGroup true
  visible: lblPGprogress true
  caption: lblPGprogress "."
  caption: lblPGprogress ".."
  caption: lblPGprogress "..."
  caption: lblPGprogress "...."
  caption: lblPGprogress "....."
  caption: lblPGprogress "....Done"
  visible: imgTick(3) true
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' | sed -n '/PROGRAM GROUP/,$p'
  [PROGRAM GROUP]
  C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN
  Failed
  [PROGRAM GROUP SHORTCUT]
  C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\LYN.lnk
  Failed
  C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\Help QY.lnk
  Failed
  C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN\UninstallLYN67.lnk
  Failed
  [DESKTOP SHORTCUT]
  C:\Users\Owner\Desktop\LYN.lnk
  Successful
  [UNINSTALL REG]
  SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  Successful
  [END]
  
  

With no all-users Programs folder at all the shell gives no path for it (the
program's "NO" for such a folder), so there is nowhere to make the group: it
is logged "Failed" without an attempt.

  $ lynsim new GONE >/dev/null && rm -r "$(lynsim path GONE 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')"
  $ lynsim run GONE --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1 && lynsim cat GONE 'C:\Windows\UnInstallLYN.log' | sed -n '/^\[PROGRAM GROUP\]/,/^\[PROGRAM GROUP SHORTCUT/p'
  ended: Finish
  [PROGRAM GROUP]
  NO\LYN
  Failed
  [PROGRAM GROUP SHORTCUT]

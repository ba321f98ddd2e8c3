The administrator may not write the uninstall entries: the key's list grants
everyone reading only. The uninstall row shows its cross instead of the
tick, both logs say "Failed" under "[UNINSTALL REG]", and Finish is still
offered.

  $ lynsim new M --set 'Security:HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall=O:BAD:P(A;CI;KR;;;BA)(A;CI;KR;;;BU)' >/dev/null
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit | sed -n '/lblPGprogress "....Done"/,$p'
  caption: lblPGprogress "....Done"
  visible: imgTick(3) true
  visible: imgCross(4) true
  visible: lblRegUninstall true
  visible: lblUninstallprogress true
  caption: lblUninstallprogress "....Done"
  visible: cmdExit true
  click: cmdExit
  ended: Finish
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' | tail -n 6
  [UNINSTALL REG]
  SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  Failed
  [END]
  
  
  $ lynsim cat M 'C:\Program Files\LYN\InstallInfo.log' | tail -n 5
  [UNINSTALL REG]
  SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67
  Failed
  [END]
  

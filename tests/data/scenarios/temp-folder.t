The temporary folder "LYNSetup" is left over from an earlier run. Its files
are deleted and the folder reused; a folder inside it does not count as in
use, and when the run cannot remove the temporary folder at its end because
that folder is still in it, the shell's file operation removes the whole.

  $ lynsim new M >/dev/null && cp -a M BEFORE
  $ mkdir -p "$(lynsim path M 'C:\Users\Owner\AppData\Local\Temp\LYNSetup\old\deeper')"
  $ touch "$(lynsim path M 'C:\Users\Owner\AppData\Local\Temp\LYNSetup\old.tmp')"
  $ cp -a M LEFTOVER
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim diff LEFTOVER M | grep -i 'LYNSetup'
  file removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup\old.tmp
  folder removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup
  folder removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup\old
  folder removed: C:\Users\Owner\AppData\Local\Temp\LYNSetup\old\deeper

A file in it that cannot be deleted, held open by another program, stops the
run before the logs: the program folder has been made and granted and stays,
empty.

  $ rm -r M && cp -a LEFTOVER M
  $ hold M C:\Users\Owner\AppData\Local\Temp\LYNSetup\old.tmp
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK | tail -n 5
  caption: lblProgFileDir "C:\Program Files\LYN"
  msgbox: "System Files/Folders in Use" [OK] critical "Unable to continue.  Close all other
    programs and try again."
  answer: OK
  ended: System Files/Folders in Use
  $ lynsim diff LEFTOVER M
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  folder added: C:\Program Files\LYN
  [1]
  $ lynsim acl M 'C:\Program Files\LYN' | head -n 1
  C:\Program Files\LYN BUILTIN\Users:(OI)(CI)(F)

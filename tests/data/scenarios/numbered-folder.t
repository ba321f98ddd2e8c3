A program folder that exists without a complete installation ("LYN.exe" and
"ssvd.dtb" both there) is passed over for the next numbered one, LYN01 to
LYN99. Here LYN and LYN01 hold nothing of the product and LYN02 holds both
files: the run shows LYN02 and stops as a second install does, having made
nothing.

  $ lynsim new M >/dev/null
  $ cd "$(lynsim path M 'C:\Program Files')" && mkdir LYN LYN01 LYN02 && touch LYN02/LYN.exe LYN02/ssvd.dtb
  $ cp -a M BEFORE
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK | grep 'caption: lblProgFileDir\|msgbox\|ended'
  caption: lblProgFileDir "C:\Program Files\LYN"
  caption: lblProgFileDir "C:\Program Files\LYN02"
  msgbox: "Installation Already Exists" [OK] critical "The LYN program is already installed on this computer.
  ended: Installation Already Exists
  $ lynsim diff BEFORE M
  access added: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(OI)(CI)(D,RC,WDAC,WO,S,0x3f)
  access removed: HKEY_LOCAL_MACHINE\SOFTWARE: BUILTIN\Users:(CI)(R)
  [1]

With one of the two files gone LYN02 no longer counts as an installation;
being there it is passed over too, and the product goes to LYN03, the first
numbered folder that is not there.

  $ rm "$(lynsim path M 'C:\Program Files\LYN02\ssvd.dtb')"
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet
  extraction: done
  files: done
  registration: done
  shortcuts: done
  uninstall entry: done
  ended: Finish
  $ lynsim cat M 'C:\Windows\UnInstallLYN.log' | head -n 3
  [PROGRAM FILE FOLDER]
  C:\Program Files\LYN03
  Successful
  $ lynsim diff BEFORE M | grep 'folder added\|file removed'
  file removed: C:\Program Files\LYN02\ssvd.dtb
  folder added: C:\Program Files\LYN03
  folder added: C:\Program Files\LYN03\Maps
  folder added: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\LYN03

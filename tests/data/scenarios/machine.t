Making and opening machines. A new machine has every folder of its profile,
the current folder's drive included, and reopens to the same profile; a
profile it cannot hold is refused and nothing is written.

  $ lynsim new M --preset vista-home-premium-x64 --set Drive.D=CDFS --set 'CurrentDirectory=D:\' >/dev/null && cp M/profile.ini made.ini
  $ for f in WindowsDirectory SystemDirectory TempPath ProgramFiles CommonFiles CommonPrograms Desktop CurrentDirectory; do p=$(sed -n "s/^$f = //p" M/profile.ini); lynsim ls M "$p" >/dev/null && echo "$f $p"; done
  WindowsDirectory C:\Windows
  SystemDirectory C:\Windows\system32
  TempPath C:\Users\Owner\AppData\Local\Temp\
  ProgramFiles C:\Program Files (x86)
  CommonFiles C:\Program Files (x86)\Common Files
  CommonPrograms C:\ProgramData\Microsoft\Windows\Start Menu\Programs
  Desktop C:\Users\Owner\Desktop
  CurrentDirectory D:\
  $ ls M/drives/C/Windows | grep -i 'sys' && lynsim set M SM_CYSCREEN=768 >/dev/null && cmp made.ini M/profile.ini
  SysWOW64
  system32
  $ lynsim new E --set 'Desktop=E:\Desktop'; lynsim new CP --set AnsiCodePage=4; ls
  lynsim: profile folder Desktop 'E:\Desktop': it is on drive E:, which the machine does not have
  lynsim: profile AnsiCodePage 4 is not a code page this machine knows
  M
  made.ini
  $ mkdir EMPTY && lynsim osinfo EMPTY; lynsim osinfo NONE; printf 'dwMajorVersion = 6\nwSuiteMask = lots\n' > EMPTY/profile.ini && lynsim osinfo EMPTY; rm M/state.db && lynsim osinfo M
  lynsim: 'EMPTY' is not a machine: it has no profile.ini
  lynsim: no machine at 'NONE': the folder does not exist
  lynsim: EMPTY/profile.ini: profile line 2: bad value 'lots' for wSuiteMask: expected a number from 0 to 65535
  lynsim: machine '$SCRATCH/M' has no state store (state.db)
  [1]

Marks (the DOS attributes) belong to the file whatever path names it, and
are kept under the redirected name of a 32-bit program's system folder; the
directory bit is the host's.

  $ lynsim new X64 --preset winxp-pro-x64 >/dev/null && echo x > "$(lynsim path X64 'C:\WINDOWS\system32\COMCTL32.OCX')"
  $ lynsim ls X64 'C:\WINDOWS\system32\comctl32.ocx' | cut -c 1-5
  ----A
  $ attrib X64 RH C:\WINDOWS\system32\COMCTL32.OCX
  $ lynsim ls X64 'c:\windows\syswow64\comctl32.ocx' | cut -c 1-5; lynsim ls X64 'C:\WINDOWS\comctl32.ocx'
  -RH--
  lynsim: no file or folder 'C:\WINDOWS\comctl32.ocx' on the machine
  [1]
  $ attrib X64 S C:\WINDOWS
  $ lynsim ls X64 'C:\' | grep WINDOWS | cut -c 1-5
  D--S-

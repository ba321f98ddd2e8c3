The system files lynsim new puts on machines of Windows XP, Vista and 7, in
the versions those systems ship (src/platform/sim/machine/system_files.h),
where their 32-bit programs look for them: SysWOW64 and "Program Files
(x86)" on a 64-bit system. A server system holds none of the product's
files.

  $ for p in winxp-pro vista-home-premium-x64 win7-ultimate-sp1 win2008-standard; do lynsim new $p --preset $p >/dev/null; echo "$p:"; lynsim survey $p | grep -B1 'Present = [0-9]' | grep -v '^--' | paste - - | sed 's/, Install.*//'; done
  winxp-pro:
  C:\WINDOWS\system32\msjint40.dll	Version Present = 4.0, Version Shipped = 4.0
  C:\WINDOWS\system32\vbajet32.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\WINDOWS\system32\expsrv.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\WINDOWS\system32\RICHED32.DLL	Version Present = 5.1, Version Shipped = 4.0
  C:\WINDOWS\system32\itircl.dll	Version Present = 5.2, Version Shipped = 5.2
  C:\WINDOWS\system32\itss.dll	Version Present = 5.1, Version Shipped = 5.2
  C:\WINDOWS\system32\msjet40.dll	Version Present = 4.0, Version Shipped = 4.0
  C:\WINDOWS\system32\wininet.dll	Version Present = 6.0, Version Shipped = 8.0
  C:\WINDOWS\system32\hhctrl.ocx	Version Present = 5.2, Version Shipped = 5.2
  C:\WINDOWS\system32\hh.exe	Version Present = 5.1, Version Shipped = 6.0
  C:\Program Files\Common Files\Microsoft Shared\DAO\dao360.dll	Version Present = 3.60, Version Shipped = 3.60
  vista-home-premium-x64:
  C:\Windows\system32\vbajet32.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\Windows\system32\expsrv.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\Windows\system32\RICHED32.DLL	Version Present = 6.0, Version Shipped = 4.0
  C:\Windows\system32\itircl.dll	Version Present = 6.0, Version Shipped = 5.2
  C:\Windows\system32\itss.dll	Version Present = 6.0, Version Shipped = 5.2
  C:\Windows\system32\msjet40.dll	Version Present = 4.0, Version Shipped = 4.0
  C:\Windows\system32\wininet.dll	Version Present = 7.0, Version Shipped = 8.0
  C:\Windows\system32\ieframe.dll	Version Present = 7.0, Version Shipped = 8.0
  C:\Windows\system32\hhctrl.ocx	Version Present = 6.0, Version Shipped = 5.2
  C:\Windows\system32\hh.exe	Version Present = 6.0, Version Shipped = 6.0
  C:\Program Files (x86)\Common Files\Microsoft Shared\DAO\dao360.dll	Version Present = 3.60, Version Shipped = 3.60
  win7-ultimate-sp1:
  C:\Windows\system32\vbajet32.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\Windows\system32\expsrv.dll	Version Present = 6.0, Version Shipped = 6.0
  C:\Windows\system32\RICHED32.DLL	Version Present = 6.1, Version Shipped = 4.0
  C:\Windows\system32\itircl.dll	Version Present = 6.1, Version Shipped = 5.2
  C:\Windows\system32\itss.dll	Version Present = 6.1, Version Shipped = 5.2
  C:\Windows\system32\msjet40.dll	Version Present = 4.0, Version Shipped = 4.0
  C:\Windows\system32\wininet.dll	Version Present = 8.0, Version Shipped = 8.0
  C:\Windows\system32\ieframe.dll	Version Present = 8.0, Version Shipped = 8.0
  C:\Windows\system32\hhctrl.ocx	Version Present = 6.1, Version Shipped = 5.2
  C:\Windows\system32\hh.exe	Version Present = 6.1, Version Shipped = 6.0
  C:\Program Files\Common Files\Microsoft Shared\DAO\dao360.dll	Version Present = 3.60, Version Shipped = 3.60
  win2008-standard:
  $ lynsim fileinfo vista-home-premium-x64 'C:\Windows\system32\hh.exe' | grep 'FileVersion\|FileType'
  FileVersion: 6.0.6002.18005
  FileType: App
  $ lynsim path vista-home-premium-x64 'C:\Windows\system32\hh.exe' | sed 's|.*/drives/||'
  C/Windows/SysWOW64/hh.exe

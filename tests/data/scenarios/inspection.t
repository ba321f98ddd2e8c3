The commands that read files and run the version survey. fileinfo reads the
version resource of a host file or of a machine file, found as Windows finds
it, in any letter case.

  $ lynsim new M --preset win2008-standard >/dev/null
  $ lynsim fileinfo --host $PE/catalog_engine_i686.dll
  StrucVersion: 1.0
  FileVersion: 8.0.6001.18904
  ProductVersion: 6.1.65535.82
  FileFlags: Debug PreRel
  FileOS: NT-Win32
  FileType: DLL
  FileSubtype:
  $ cp $PE/catalog_engine_i686.dll "$(lynsim path M 'C:\Windows\System32\x.dll')"
  $ lynsim fileinfo M 'c:\windows\system32\X.DLL' | head -n 2
  StrucVersion: 1.0
  FileVersion: 8.0.6001.18904

The survey of a server system, whose new machines hold none of the
product's files: every file is marked. x.dll is not one of them.

  $ lynsim survey M
  [VERSION]
  C:\Windows\system32\msjint40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\msjter40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\msjtes40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\msrd2x40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\msrd3x40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\msrepl40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\mswdat10.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\mswstr10.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\vbajet32.dll
  Version Present = None, Version Shipped = 6.0, Install = True
  C:\Windows\system32\expsrv.dll
  Version Present = None, Version Shipped = 6.0, Install = True
  C:\Windows\system32\RICHED32.DLL
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\itircl.dll
  Version Present = None, Version Shipped = 5.2, Install = True
  C:\Windows\system32\itss.dll
  Version Present = None, Version Shipped = 5.2, Install = True
  C:\Windows\system32\msjet40.dll
  Version Present = None, Version Shipped = 4.0, Install = True
  C:\Windows\system32\MSCOMCTL.OCX
  Version Present = None, Version Shipped = 6.1, Install = True
  C:\Windows\system32\COMCTL32.OCX
  Version Present = None, Version Shipped = 6.0, Install = True
  C:\Windows\system32\RICHTX32.OCX
  Version Present = None, Version Shipped = 6.1, Install = True
  C:\Windows\system32\MSFLXGRD.OCX
  Version Present = None, Version Shipped = 6.1, Install = True
  C:\Windows\system32\COMDLG32.OCX
  Version Present = None, Version Shipped = 6.1, Install = True
  C:\Windows\system32\VB5DB.dll
  Version Present = None, Version Shipped = 6.0, Install = True
  C:\Windows\system32\wininet.dll
  Version Present = None, Version Shipped = 8.0, Install = True
  C:\Windows\system32\ieframe.dll
  Version Present = None, Version Shipped = 8.0, Install = True
  C:\Windows\system32\hhctrl.ocx
  Version Present = None, Version Shipped = 5.2, Install = True
  C:\Windows\system32\hh.exe
  Version Present = None, Version Shipped = 6.0, Install = True
  C:\Program Files\Common Files\Microsoft Shared\DAO\dao360.dll
  Version Present = None, Version Shipped = 3.60, Install = True
  C:\Program Files\LYN\QY.chm
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\ssvd.dtb
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\LYN.exe
  Version Present = None, Version Shipped = 6.7, Install = True
  C:\Windows\UninstallLYN67.exe
  Version Present = None, Version Shipped = 2.0, Install = True
  C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map02_OldTown.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map03_Riverside.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map04_NorthQuay.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map05_MarketSquare.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map06_Lighthouse.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map07_Millbrook.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map08_StationRoad.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map09_CastleHill.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map10_Docklands.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map11_Parkside.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map12_Westgate.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map13_Fenland.jpg
  Version Present = None, Version Shipped = None, Install = True
  C:\Program Files\LYN\Maps\Map14_Overview.jpg
  Version Present = None, Version Shipped = None, Install = True
  $ lynsim survey M --json | python3 -c 'import json, sys; f = json.load(sys.stdin)["files"]; print(len(f), f[0])'
  43 {'path': 'C:\\Windows\\system32\\msjint40.dll', 'present': 'None', 'shipped': '4.0', 'install': True}

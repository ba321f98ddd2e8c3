The built product cabinet "LYN.CAB": each manifest name once, in manifest
order (the one "SPARE" stands for the five spare rows, which are never
installed); the PE files with the shipped versions of the manifest, read with
pefile, a reader independent of the machine's (subsystem 2 a window program,
3 a library's default) and their self-registration entry points; the data
files of their kinds, and fourteen different map pictures of 320 by 240.

  $ cabextract -l $PRODUCT/LYN.CAB | sed -n 's/^ *[0-9][0-9]* | .* | //p'
  SPARE
  msjint40.dll
  msjter40.dll
  msjtes40.dll
  msrd2x40.dll
  msrd3x40.dll
  msrepl40.dll
  mswdat10.dll
  mswstr10.dll
  vbajet32.dll
  expsrv.dll
  RICHED32.DLL
  itircl.dll
  itss.dll
  msjet40.dll
  MSCOMCTL.OCX
  COMCTL32.OCX
  RICHTX32.OCX
  MSFLXGRD.OCX
  COMDLG32.OCX
  VB5DB.dll
  wininet.dll
  ieframe.dll
  hhctrl.ocx
  hh.exe
  dao360.dll
  QY.chm
  ssvd.dtb
  LYN.exe
  UninstallLYN67.exe
  Map01_Harbour.jpg
  Map02_OldTown.jpg
  Map03_Riverside.jpg
  Map04_NorthQuay.jpg
  Map05_MarketSquare.jpg
  Map06_Lighthouse.jpg
  Map07_Millbrook.jpg
  Map08_StationRoad.jpg
  Map09_CastleHill.jpg
  Map10_Docklands.jpg
  Map11_Parkside.jpg
  Map12_Westgate.jpg
  Map13_Fenland.jpg
  Map14_Overview.jpg
  $ cabextract -q -d x $PRODUCT/LYN.CAB && cd x && for f in $(cabextract -l $PRODUCT/LYN.CAB | sed -n 's/^ *[0-9][0-9]* | .* | //p' | grep -i '\.dll$\|\.ocx$\|\.exe$'); do /usr/bin/python3 $DATA/../product/pe_summary.py $f; done
  msjint40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  msjter40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  msjtes40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  msrd2x40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  msrd3x40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  msrepl40.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  mswdat10.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  mswstr10.dll 4.0.9502.0 3 DllRegisterServer,DllUnregisterServer
  vbajet32.dll 6.0.1.9432 3 DllRegisterServer,DllUnregisterServer
  expsrv.dll 6.0.72.9590 3 DllRegisterServer,DllUnregisterServer
  RICHED32.DLL 4.0.993.4 3 DllRegisterServer,DllUnregisterServer
  itircl.dll 5.2.3790.2453 3 DllRegisterServer,DllUnregisterServer
  itss.dll 5.2.3790.4186 3 DllRegisterServer,DllUnregisterServer
  msjet40.dll 4.0.9511.0 3 DllRegisterServer,DllUnregisterServer
  MSCOMCTL.OCX 6.1.97.82 3 DllRegisterServer,DllUnregisterServer
  COMCTL32.OCX 6.0.81.5 3 DllRegisterServer,DllUnregisterServer
  RICHTX32.OCX 6.1.97.82 3 DllRegisterServer,DllUnregisterServer
  MSFLXGRD.OCX 6.1.97.82 3 DllRegisterServer,DllUnregisterServer
  COMDLG32.OCX 6.1.97.82 3 DllRegisterServer,DllUnregisterServer
  VB5DB.dll 6.0.81.69 3 DllRegisterServer,DllUnregisterServer
  wininet.dll 8.0.6001.18904 3 DllRegisterServer,DllUnregisterServer
  ieframe.dll 8.0.6001.18904 3 DllRegisterServer,DllUnregisterServer
  hhctrl.ocx 5.2.3790.4110 3 DllRegisterServer,DllUnregisterServer
  hh.exe 6.0.6000.16386 2 -
  dao360.dll 3.60.9512.0 3 DllRegisterServer,DllUnregisterServer
  LYN.exe 6.7.0.0 2 -
  UninstallLYN67.exe 2.0.0.0 2 -
  $ file -b x/QY.chm | cut -c 1-24 && file -b x/ssvd.dtb | cut -c 1-19
  MS Windows HtmlHelp Data
  SQLite 3.x database
  $ for f in x/Map*.jpg; do djpeg -pnm $f | head -n 3 | paste -sd ' '; done | uniq -c && md5sum x/Map*.jpg | cut -d ' ' -f 1 | sort -u | wc -l
       14 P6 320 240 255
  14

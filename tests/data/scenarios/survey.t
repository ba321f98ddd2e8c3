The version survey's decisions in the cases a new machine does not show: an
older file (msjint40.dll 3.51), one without a version resource (expsrv.dll:
present 0.0), another letter case (riched32.dll for RICHED32.DLL, same
version), a hidden file (itircl.dll: counts as absent), a folder in the
file's place (itss.dll: absent), an older build of the same version
(COMCTL32.OCX 6.0.81.4, read-only: kept), and a product file present without
a version (a map picture: kept). The test library is given each version in
its fixed file information.

  $ lynsim new M --preset win2008-standard >/dev/null
  $ S="$(lynsim path M 'C:\Windows\system32')" && version() { python3 -c 'import struct, sys; d = bytearray(open(sys.argv[1], "rb").read()); at = d.find(b"\xbd\x04\xef\xfe"); major, minor, build, revision = map(int, sys.argv[3].split(".")); struct.pack_into("<4H", d, at + 8, minor, major, revision, build); open(sys.argv[2], "wb").write(d)' $PE/catalog_engine_i686.dll "$S/$1" $2; } && version msjint40.dll 3.51.0.0 && echo 'no version resource' > "$S/expsrv.dll" && version riched32.dll 4.0.993.4 && version itircl.dll 1.0.0.0 && mkdir "$S/itss.dll" && version COMCTL32.OCX 6.0.81.4
  $ attrib M H C:\Windows\system32\itircl.dll
  $ attrib M R C:\Windows\system32\COMCTL32.OCX
  $ mkdir -p "$(lynsim path M 'C:\Program Files\LYN\Maps')" && echo JFIF > "$(lynsim path M 'C:\Program Files\LYN\Maps\Map01_Harbour.jpg')"
  $ lynsim fileinfo M 'C:\Windows\system32\COMCTL32.OCX' | grep FileVersion
  FileVersion: 6.0.81.4
  $ lynsim survey M | grep -i -A1 'msjint40\|expsrv\|riched32\|itircl\|itss\|COMCTL32\|Map01\|Map14' | grep -v '^--'
  C:\Windows\system32\msjint40.dll
  Version Present = 3.51, Version Shipped = 4.0, Install = True
  C:\Windows\system32\expsrv.dll
  Version Present = 0.0, Version Shipped = 6.0, Install = True
  C:\Windows\system32\RICHED32.DLL
  Version Present = 4.0, Version Shipped = 4.0, Install = False
  C:\Windows\system32\itircl.dll
  Version Present = None, Version Shipped = 5.2, Install = True
  C:\Windows\system32\itss.dll
  Version Present = None, Version Shipped = 5.2, Install = True
  C:\Windows\system32\COMCTL32.OCX
  Version Present = 6.0, Version Shipped = 6.0, Install = False
  C:\Program Files\LYN\Maps\Map01_Harbour.jpg
  Version Present = 0.0, Version Shipped = 0.0, Install = False
  C:\Program Files\LYN\Maps\Map14_Overview.jpg
  Version Present = None, Version Shipped = None, Install = True
  $ lynsim survey M --json | python3 -c 'import json, sys; f = json.load(sys.stdin)["files"]; print(len(f), [x["install"] for x in f].count(False))'
  43 3

lynsim ls lists a folder's files, or a pattern's, with their attributes
(D folder, R read-only, H hidden, S system, A archive), the time of the last
change (UTC), the size and the name; cat prints a file converted from the
machine's code page (1252 here) with LF line ends, and --raw leaves the
bytes.

  $ lynsim new M >/dev/null && W="$(lynsim path M 'C:\Windows')" && echo -n 12345 > "$W/lyn.ini" && TZ=UTC touch -d '2009-07-14 01:14' "$W/lyn.ini" "$W/system32"
  $ attrib M RH C:\Windows\LYN.INI
  $ lynsim ls M 'c:\windows'
  -RH--  2009-07-14 01:14            5  lyn.ini
  D----  2009-07-14 01:14               system32\
  $ lynsim ls M 'C:/Windows/*.INI'
  -RH--  2009-07-14 01:14            5  lyn.ini
  $ printf '[Caf\xe9]\r\nx=1\r\n' > "$(lynsim path M 'C:\Windows\lyn.ini')"
  $ lynsim cat M 'c:/windows/lyn.ini' | od -c
  0000000   [   C   a   f 303 251   ]  \n   x   =   1  \n
  0000014
  $ lynsim cat M 'c:/windows/lyn.ini' --raw | od -c
  0000000   [   C   a   f 351   ]  \r  \n   x   =   1  \r  \n
  0000015

The registry editor's files through lynsim reg. A file as a person writes it
(UTF-8 with a byte-order mark, short roots, a continued hex list, a name
outside ASCII) is exported as the registry editor writes it: UTF-16LE with a
byte-order mark, CR LF, values by name, keys depth first, so "Windows NT"
after the whole of "Windows". Its own export reads back unchanged.

  $ lynsim new M >/dev/null
  $ printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\n\n[HKLM\\SOFTWARE\\Orrin\\LYN]\n@="default"\n"Path"="C:\\\\Program Files\\\\LYN \\"quoted\\""\n"Size"=dword:00005710\n"Bytes"=hex:01,ff,\\\n  10\n"Expand"=hex(2):25,00,41,00,25,00,00,00\n"Multi"=hex(7):61,00,00,00,62,00,00,00,00,00\n"Café"="été"\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows\\Sub]\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows NT]\n' > person.reg
  $ lynsim reg M import person.reg
  $ lynsim reg M export 'HKLM\software\orrin\lyn' > export.reg && head -c 2 export.reg | od -An -tx1 && iconv -f utf-16 -t utf-8 export.reg | grep -vc $'\r$'
   ff fe
  0
  [1]
  $ iconv -f utf-16 -t utf-8 export.reg | tr -d '\r'
  Windows Registry Editor Version 5.00
  
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN]
  @="default"
  "Bytes"=hex:01,ff,10
  "Café"="été"
  "Expand"=hex(2):25,00,41,00,25,00,00,00
  "Multi"=hex(7):61,00,00,00,62,00,00,00,00,00
  "Path"="C:\\Program Files\\LYN \"quoted\""
  "Size"=dword:00005710
  
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN\Windows]
  
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN\Windows\Sub]
  
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN\Windows NT]
  
  $ lynsim reg M import export.reg && lynsim reg M export 'HKLM\software\orrin\lyn' | cmp - export.reg

The registry keeps what the ANSI functions would have stored, in the
machine's code page (1252): a REGEDIT4 file carries the string data as those
bytes, both ways.

  $ lynsim reg M export 'HKLM\SOFTWARE\Orrin\LYN' --regedit4 | grep -a 'Caf\|Path' | od -c | head -n 3
  0000000   "   C   a   f 351   "   =   " 351   t 351   "  \r  \n   "   P
  0000020   a   t   h   "   =   "   C   :   \   \   P   r   o   g   r   a
  0000040   m       F   i   l   e   s   \   \   L   Y   N       \   "   q
  $ printf 'REGEDIT4\r\n\r\n[HKLM\\Y]\r\n"\xe9"="\xe9"\r\n"E"=hex(2):25,41,25,00\r\n' | lynsim reg M import -
  $ lynsim reg M export 'HKLM\Y' --regedit4 | od -c | sed -n '4,6p'
  0000060   5   ,   4   1   ,   2   5   ,   0   0  \r  \n   " 351   "   =
  0000100   " 351   "  \r  \n  \r  \n
  0000107

The registry editor breaks a hex list once a line reaches column 77: the
first line holds as many bytes as fit after the name, each further line 25
after two blanks (Wine's regedit writes the same; tests/platform/win32 takes
files both ways). lynsim diff prints it on one line.

  $ cp -a M BEFORE
  $ printf 'REGEDIT4\n[HKLM\\X]\n"Bin"=hex:%s00\n' "$(for i in $(seq 0 62); do printf '%02x,' $((i + 1)); done)" | lynsim reg M import -
  $ lynsim reg M export 'HKLM\X' | iconv -f utf-16 -t utf-8 | tr -d '\r'
  Windows Registry Editor Version 5.00
  
  [HKEY_LOCAL_MACHINE\X]
  "Bin"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\
    18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,30,\
    31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f,00
  
  $ lynsim diff BEFORE M | cut -c 1-60
  key added: HKEY_LOCAL_MACHINE\X
  value added: HKEY_LOCAL_MACHINE\X "Bin"=hex:01,02,03,04,05,0

A deletion takes a key with its subkeys, or one value; a root key is never
deleted.

  $ printf 'Windows Registry Editor Version 5.00\n[-HKLM\\SOFTWARE\\Orrin\\LYN\\Windows]\n[HKLM\\SOFTWARE\\Orrin\\LYN]\n"Size"=-\n@=-\n' | lynsim reg M import -
  $ lynsim reg M export 'HKLM\SOFTWARE\Orrin' | iconv -f utf-16 -t utf-8 | tr -d '\r' | grep '^\[\|^"Size\|^"Path\|^@'
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin]
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN]
  "Path"="C:\\Program Files\\LYN \"quoted\""
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN\Windows NT]
  $ printf 'Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE]\n' | lynsim reg M import -
  lynsim: standard input: line 2: a root key cannot be deleted: [-HKEY_LOCAL_MACHINE]
  [1]
  $ lynsim reg M export 'HKLM\SOFTWARE\None'
  lynsim: the machine has no registry key 'HKLM\SOFTWARE\None'
  [1]

A malformed file, or one beyond the registry's documented limits (a key
name of 255 characters, 512 levels, a value name of 16,383 characters), is
refused by its line, with at most a short excerpt of it, and changes
nothing.

  $ cp -a M BEFORE-BAD
  $ printf 'REGEDIT5\n' | lynsim reg M import -
  lynsim: standard input: line 1: the file must start with "Windows Registry Editor Version 5.00" or "REGEDIT4": REGEDIT5
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n"A"="1"\n' | lynsim reg M import -
  lynsim: standard input: line 2: a value must follow a key: "A"="1"
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z]\n"A"=dword:1234567890\n' | lynsim reg M import -
  lynsim: standard input: line 3: '1234567890' is not a 32-bit hexadecimal number: "A"=dword:1234567890
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z]\n"A"=hex:1,zz\n' | lynsim reg M import -
  lynsim: standard input: line 3: 'zz' is not a hexadecimal byte: "A"=hex:1,zz
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[NOWHERE\\Z]\n' | lynsim reg M import -
  lynsim: standard input: line 2: a key must start with a root such as HKEY_LOCAL_MACHINE or HKLM: [NOWHERE\Z]
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z\\%s]\n' "$(printf 'k%.0s' $(seq 256))" | lynsim reg M import -
  lynsim: standard input: line 2: a key name is longer than 255 characters: [HKLM\Z\kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk...
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z%s]\n' "$(printf '\\k%.0s' $(seq 15000))" | lynsim reg M import -
  lynsim: standard input: line 2: the key is 15001 levels deep; the registry allows 512: [HKLM\Z\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\...
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z%s]\n' "$(printf '\\k%.0s' $(seq 512))" | lynsim reg M import -
  lynsim: standard input: line 2: the key is 513 levels deep; the registry allows 512: [HKLM\Z\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\k\...
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z]\n"%s"=""\n' "$(printf 'v%.0s' $(seq 16384))" | lynsim reg M import -
  lynsim: standard input: line 3: a value name is longer than 16383 characters: "vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv...
  [1]
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z]\n"A"="1"\033[31m\n' | lynsim reg M import -
  lynsim: standard input: line 3: text follows a string value: "A"="1"?[31m
  [1]
  $ lynsim diff BEFORE-BAD M
  $ printf 'Windows Registry Editor Version 5.00\n[HKLM\\Z%s]\n[HKLM\\Z\\%s]\n' "$(printf '\\k%.0s' $(seq 511))" "$(printf 'k%.0s' $(seq 255))" | lynsim reg M import -
  $ lynsim diff BEFORE-BAD M | wc -l
  513

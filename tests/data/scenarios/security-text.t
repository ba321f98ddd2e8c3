Owners and access lists in the security descriptor definition language and
as the access-list tool lists them. Entries are written in the forms Windows
tools use: SDDL as Windows writes a folder's and a key's entries (aliases
where a whole mask or every bit has one, else a number), and the tool's
simple and specific rights.

  $ lynsim new M --set 'Security:C:\Windows=D:(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;SY)(A;OICIIOID;GRGX;;;BU)(A;OICIID;0x1301bf;;;BU)(D;;WD;;;WD)' --set 'Security:HKLM\SOFTWARE\A=D:(A;CI;KR;;;BU)(A;CI;KA;;;BA)(A;;RCSDCCDC;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)' --set 'Security:C:\Program Files=O:BAG:SYD:NO_ACCESS_CONTROL' >/dev/null
  $ lynsim acl M 'C:\Windows' && lynsim acl M 'C:\Windows' --sddl
  C:\Windows BUILTIN\Users:(OI)(CI)(RX)
             NT AUTHORITY\SYSTEM:(OI)(CI)(IO)(F)
             BUILTIN\Users:(I)(OI)(CI)(IO)(GR,GE)
             BUILTIN\Users:(I)(OI)(CI)(M)
             Everyone:(DENY)(WDAC)
  O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464G:SYD:(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;SY)(A;OICIIOID;GRGX;;;BU)(A;OICIID;0x1301bf;;;BU)(D;;WD;;;WD)
  $ lynsim acl M 'HKLM\SOFTWARE\A' && lynsim acl M 'HKLM\SOFTWARE\A' --sddl
  HKEY_LOCAL_MACHINE\SOFTWARE\A BUILTIN\Users:(CI)(R)
                                BUILTIN\Administrators:(CI)(F)
                                NT SERVICE\TrustedInstaller:(D,RC,0x3)
  O:BAG:SYD:(A;CI;KR;;;BU)(A;CI;KA;;;BA)(A;;RCSDCCDC;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)
  $ lynsim acl M 'C:\Program Files' --sddl
  O:BAG:SYD:NO_ACCESS_CONTROL

The owner and list of every folder and key a preset's machine gives its
edition's defaults go out as SDDL and come back the same.

  $ for p in $(lynsim presets | cut -d ' ' -f 1); do lynsim new $p --preset $p >/dev/null; for o in 'C:\' 'C:\Windows' 'C:\Windows\system32' 'C:\Program Files' 'HKLM\SOFTWARE' 'HKLM\SOFTWARE\Microsoft'; do s=$(lynsim acl $p "$o" --sddl 2>/dev/null) && [[ $s != *'no owner'* ]] || continue; lynsim new again --preset $p --set "Security:$o=$s" >/dev/null && [ "$(lynsim acl again "$o" --sddl)" = "$s" ] || echo "$p $o"; rm -r again; echo checked; done; done | sort | uniq -c
      150 checked

Malformed SDDL is refused naming the part, and nothing is made.

  $ for s in '' owner=BA O:XX 'D:P(A;OICI;FA;;BU)' 'D:(X;;FA;;;BU)' 'D:(A;QQ;FA;;;BU)' 'D:(A;;ZZ;;;BU)' 'D:(A;;0x1FFFFFFFF;;;BU)' 'D:(A;;FA;;;BU' 'D:NO_ACCESS_CONTROL(A;;FA;;;BU)'; do lynsim new BAD --set "Security:C:\\x=$s" 2>&1 | sed 's/ (see lynsim help new)//'; done; test -e BAD || echo nothing made
  lynsim: '': the text is empty
  lynsim: 'owner=BA': expected O:, G: or D:
  lynsim: 'O:XX': 'XX' is neither an account alias nor an S-1-... identifier
  lynsim: '(A;OICI;FA;;BU)': an entry has six fields separated by ';'
  lynsim: '(X;;FA;;;BU)': the entry type must be A (allow) or D (deny)
  lynsim: '(A;QQ;FA;;;BU)': 'QQ' is not an inheritance flag
  lynsim: '(A;;ZZ;;;BU)': 'ZZ' is not a right
  lynsim: '(A;;0x1FFFFFFFF;;;BU)': '0x1FFFFFFFF' is not a 32-bit number
  lynsim: '(A;;FA;;;BU': an entry has no closing ')'
  lynsim: 'NO_ACCESS_CONTROL(A;;FA;;;BU)': a NULL list has no entries
  nothing made

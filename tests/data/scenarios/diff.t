lynsim diff says each difference between two machines once, in sorted
lines, and exits 1 when there is one: files and folders added and removed,
files changed in content or attributes, keys and values added, removed and
changed with their data and type (first-install.t has access entries added
and removed). Here a machine kept with cp -a, then changed; the other way
round, each change turns over.

  $ lynsim new M >/dev/null && D="$(lynsim path M 'C:\Data')" && mkdir -p "$D/Old" && echo -n same > "$D/same.txt" && echo -n one > "$D/changed.txt" && echo -n gone > "$D/gone.txt"
  $ printf 'REGEDIT4\n[HKLM\\SOFTWARE\\Kept]\n"v"=dword:00000001\n"w"="z"\n[HKLM\\SOFTWARE\\Gone]\n"x"="y"\n' | lynsim reg M import - && cp -a M BEFORE
  $ lynsim diff BEFORE M
  $ D="$(lynsim path M 'C:\Data')" && echo -n two > "$D/changed.txt" && rm "$D/gone.txt" && rmdir "$D/Old" && mkdir "$D/New" && echo -n new > "$D/New/new.txt"
  $ attrib M R C:\Data\same.txt
  $ printf 'REGEDIT4\n[HKLM\\SOFTWARE\\Kept]\n"v"="one"\n"w"=-\n[-HKLM\\SOFTWARE\\Gone]\n[HKLM\\SOFTWARE\\Added]\n@=hex:01,02\n' | lynsim reg M import -
  $ lynsim diff BEFORE M
  file added: C:\Data\New\new.txt
  file changed: C:\Data\changed.txt (content)
  file changed: C:\Data\same.txt (attributes ---A -> R---)
  file removed: C:\Data\gone.txt
  folder added: C:\Data\New
  folder removed: C:\Data\Old
  key added: HKEY_LOCAL_MACHINE\SOFTWARE\Added
  key removed: HKEY_LOCAL_MACHINE\SOFTWARE\Gone
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Added @=hex:01,02 (REG_BINARY)
  value changed: HKEY_LOCAL_MACHINE\SOFTWARE\Kept "v"=dword:00000001 (REG_DWORD) -> "v"="one" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Gone "x"="y" (REG_SZ)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Kept "w"="z" (REG_SZ)
  [1]
  $ lynsim diff M BEFORE
  file added: C:\Data\gone.txt
  file changed: C:\Data\changed.txt (content)
  file changed: C:\Data\same.txt (attributes R--- -> ---A)
  file removed: C:\Data\New\new.txt
  folder added: C:\Data\Old
  folder removed: C:\Data\New
  key added: HKEY_LOCAL_MACHINE\SOFTWARE\Gone
  key removed: HKEY_LOCAL_MACHINE\SOFTWARE\Added
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Gone "x"="y" (REG_SZ)
  value added: HKEY_LOCAL_MACHINE\SOFTWARE\Kept "w"="z" (REG_SZ)
  value changed: HKEY_LOCAL_MACHINE\SOFTWARE\Kept "v"="one" (REG_SZ) -> "v"=dword:00000001 (REG_DWORD)
  value removed: HKEY_LOCAL_MACHINE\SOFTWARE\Added @=hex:01,02 (REG_BINARY)
  [1]

How Windows paths of a machine land on the host (lynsim path): names match
existing ones in any letter case, new names keep theirs; dots, separators,
drive-relative and relative paths fold as Windows folds them; a name ending
in one period loses it wherever it stands ("File path formats on Windows
systems"), the last name all its dots. Nothing resolves outside the drives.

  $ lynsim new M --set Drive.D=CDFS >/dev/null && mkdir "$(lynsim path M 'C:\Été')"
  $ for p in 'c:\WINDOWS\SYSTEM32' 'C:\windows\NewFolder\Read Me.TXT' 'C:\éTÉ' 'C:\Windows\..\..\..\Users' 'C:\.\Windows\.\' 'C:/Windows/system32' 'LYN.CAB' '.\Maps\..\LYN.CAB' '\Windows' 'C:LYN.CAB' 'c:' 'C:\..' 'd:setup.exe' 'C:\x.\QY.chm' 'C:\x..\a.b...' 'C:\..\..\etc\passwd'; do echo "$p -> $(lynsim path M "$p" | sed "s|^$SCRATCH/M/drives/||")"; done
  c:\WINDOWS\SYSTEM32 -> C/Windows/system32
  C:\windows\NewFolder\Read Me.TXT -> C/Windows/NewFolder/Read Me.TXT
  C:\éTÉ -> C/Été
  C:\Windows\..\..\..\Users -> C/Users
  C:\.\Windows\.\ -> C/Windows
  C:/Windows/system32 -> C/Windows/system32
  LYN.CAB -> C/Distribution/LYN.CAB
  .\Maps\..\LYN.CAB -> C/Distribution/LYN.CAB
  \Windows -> C/Windows
  C:LYN.CAB -> C/Distribution/LYN.CAB
  c: -> C/Distribution
  C:\.. -> C
  d:setup.exe -> D/setup.exe
  C:\x.\QY.chm -> C/x/QY.chm
  C:\x..\a.b... -> C/x../a.b
  C:\..\..\etc\passwd -> C/etc/passwd

When the host holds several spellings, the exact one wins.

  $ echo lower > "$(lynsim path M 'C:\lyn.cab')" && echo upper > "$SCRATCH/M/drives/C/LYN.CAB" && lynsim cat M 'C:\lyn.cab' && lynsim cat M 'C:\LYN.CAB'
  lower
  upper

Refused: what is not a path of the machine, and every symbolic link, wherever
it points and whether or not its target exists.

  $ C="$SCRATCH/M/drives/C" && mkdir outside && ln -s "$SCRATCH/outside" "$C/Escape" && ln -s "$SCRATCH/M" "$C/MachineRoot" && ln -s "$C/Windows" "$C/Alias" && ln -s "$SCRATCH/outside/absent.txt" "$C/Dangling.txt"
  $ for p in /etc/passwd //host/share '\\server\share\file' '\\?\C:\Windows' 'Z:\file' '' 'C:\bad|name' 'C:\file:stream' 'C:\what?.txt' "C:\\tab	there" 'C:\Escape' 'C:\escape\new.txt' 'C:\MachineRoot\profile.ini' 'C:\alias\system32' 'c:\DANGLING.TXT'; do lynsim path M "$p" 2>&1 | cut -c 1-100; done
  lynsim: host path '/etc/passwd' is not a path of the machine
  lynsim: host path '//host/share' is not a path of the machine
  lynsim: network and device path '\\server\share\file' is not part of the machine
  lynsim: network and device path '\\?\C:\Windows' is not part of the machine
  lynsim: Windows path 'Z:\file' is on drive Z:, which the machine does not have
  lynsim: empty Windows path
  lynsim: invalid character in the Windows path 'C:\bad|name'
  lynsim: invalid character in the Windows path 'C:\file:stream'
  lynsim: invalid character in the Windows path 'C:\what?.txt'
  lynsim: invalid character in the Windows path 'C:\tab\tthere'
  lynsim: Windows path 'C:\Escape' goes through a symbolic link, which the machine does not follow
  lynsim: Windows path 'C:\escape\new.txt' goes through a symbolic link, which the machine does not fo
  lynsim: Windows path 'C:\MachineRoot\profile.ini' goes through a symbolic link, which the machine do
  lynsim: Windows path 'C:\alias\system32' goes through a symbolic link, which the machine does not fo
  lynsim: Windows path 'c:\DANGLING.TXT' goes through a symbolic link, which the machine does not foll

The system folder is redirected for the 32-bit program only under WOW64,
where the native folder exists too.

  $ lynsim new X64 --preset winxp-pro-x64 >/dev/null && lynsim new XP --preset winxp-pro >/dev/null
  $ for p in 'C:\WINDOWS\system32\MSVBVM60.DLL' 'c:\windows\SYSTEM32' 'C:\WINDOWS\system32x\a.dll' 'C:\WINDOWS\SysWOW64\a.dll' 'C:\WINDOWS\system32\..\win.ini'; do echo "$p -> $(lynsim path X64 "$p" | sed "s|^$SCRATCH/X64/drives/||")"; done
  C:\WINDOWS\system32\MSVBVM60.DLL -> C/WINDOWS/SysWOW64/MSVBVM60.DLL
  c:\windows\SYSTEM32 -> C/WINDOWS/SysWOW64
  C:\WINDOWS\system32x\a.dll -> C/WINDOWS/system32x/a.dll
  C:\WINDOWS\SysWOW64\a.dll -> C/WINDOWS/SysWOW64/a.dll
  C:\WINDOWS\system32\..\win.ini -> C/WINDOWS/win.ini
  $ ls X64/drives/C/WINDOWS | grep -i 'system32\|wow64' && ls XP/drives/C/WINDOWS | grep -ic wow64
  SysWOW64
  system32
  0
  [1]

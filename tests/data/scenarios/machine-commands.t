The commands that make, change and inspect machines. presets lists one
preset a line, the default first; fields lists every field of the profile
file, the drives once by pattern, each with the default preset's value,
which is what a new machine's profile.ini holds.

  $ lynsim presets
  win7-ultimate-sp1        Windows 7 Ultimate SP1, 32-bit
  wince-5                  Windows CE 5.0
  unknown-platform         a platform identifier no Windows reports (4)
  win31-win32s             Windows 3.1 with Win32s
  win95                    Windows 95 (build 950)
  win95-sp1                Windows 95 SP1 (build 1080)
  win95-osr2               Windows 95 OSR2 (build 1111)
  win98                    Windows 98 (build 1998)
  win98-se                 Windows 98 Second Edition (build 2222)
  winme                    Windows ME (build 3000)
  nt351                    Windows NT 3.51 Workstation SP5
  nt4-sp6                  Windows NT 4.0 Workstation SP6
  win2000-pro              Windows 2000 Professional SP4
  win2000-server           Windows 2000 Server SP4
  win2000-advanced-server  Windows 2000 Advanced Server SP4
  win2000-datacenter       Windows 2000 Datacenter Server SP4
  winxp-home               Windows XP Home Edition SP3
  winxp-pro                Windows XP Professional SP3
  winxp-media-center       Windows XP Media Center Edition 2005 SP2
  winxp-tablet             Windows XP Tablet PC Edition 2005 SP2
  winxp-starter            Windows XP Starter Edition SP3
  winxp-pro-x64            Windows XP Professional x64 Edition SP2
  win2003-standard         Windows Server 2003 Standard Edition SP2
  win2003-enterprise       Windows Server 2003 Enterprise Edition SP2
  win2003-enterprise-x64   Windows Server 2003 Enterprise x64 Edition SP2
  win2003-r2               Windows Server 2003 R2 Standard Edition SP2
  win2003-storage          Windows Storage Server 2003 SP2
  vista-business           Windows Vista Business SP2, 32-bit
  vista-home-premium-x64   Windows Vista Home Premium SP2, 64-bit
  win2008-standard         Windows Server 2008 Standard SP2, 32-bit
  win7-professional        Windows 7 Professional SP1, 32-bit (product type 0x30)
  win7-ultimate-x64        Windows 7 Ultimate, 64-bit, no service pack
  win2008r2-enterprise     Windows Server 2008 R2 Enterprise SP1, 64-bit
  win8-x64                 Windows 8, 64-bit: version 6.2, newer than the setup program knows
  $ lynsim new M >/dev/null
  $ lynsim fields
  Profile fields (defaults from preset win7-ultimate-sp1; numbers in decimal or 0x hexadecimal):
  
  Version
    dwPlatformId                number, 0 to 4294967295, default '2'
                                platform of the version record: 2 is Windows NT, 1 Windows 9x
    dwMajorVersion              number, 0 to 4294967295, default '6'
                                major version: 5 is 2000/XP/2003, 6 is Vista to 8.1, 10 is 10 and 11
    dwMinorVersion              number, 0 to 4294967295, default '1'
                                minor version: 6.0 Vista, 6.1 Windows 7, 6.2 Windows 8, 6.3 Windows 8.1
    dwBuildNumber               number, 0 to 4294967295, default '7601'
                                build number
    szCSDVersion                text, one line, default 'Service Pack 1'
                                service pack as text, "Service Pack 1" or empty
    wServicePackMajor           number, 0 to 65535, default '1'
                                service pack major number
    wServicePackMinor           number, 0 to 65535, default '0'
                                service pack minor number
    wSuiteMask                  hex number, 0 to 65535, default '0x0100'
                                suite bits: 0x0002 Enterprise, 0x0080 Datacenter, 0x0100 single user, 0x0200 Home, 0x0400 Web
    wProductType                number, 0 to 255, default '1'
                                1 workstation, 2 domain controller, 3 server
    GetProductInfo              number, 0 to 4294967295, default '1'
                                edition number GetProductInfo reports, 1 Ultimate, 3 Home Premium, 6 Business
  
  Processor
    wProcessorArchitecture      number, 0 to 65535, default '0'
                                native processor: 0 x86, 9 x64, 6 Itanium
    Wow64                       flag, true or false, default 'false'
                                the 32-bit setup program runs under WOW64 (true on 64-bit Windows)
  
  System metrics
    SM_TABLETPC                 number, -2147483648 to 2147483647, default '0'
                                nonzero on a Tablet PC edition
    SM_MEDIACENTER              number, -2147483648 to 2147483647, default '0'
                                nonzero on a Media Center edition
    SM_STARTER                  number, -2147483648 to 2147483647, default '0'
                                nonzero on a Starter edition
    SM_SERVERR2                 number, -2147483648 to 2147483647, default '0'
                                nonzero on Windows Server 2003 R2
    SM_CXSCREEN                 number, -2147483648 to 2147483647, default '1024'
                                screen width in pixels; a screenshot's display gets this size
    SM_CYSCREEN                 number, -2147483648 to 2147483647, default '768'
                                screen height in pixels
  
  Locale and user
    AnsiCodePage                number, 0 to 4294967295, default '1252'
                                ANSI code page of file names and texts: 1250 to 1258, 874, 932, 936, 949, 950
    UserName                    text, one line, default 'Owner'
                                the logged-on user
    IsAdmin                     flag, true or false, default 'true'
                                the user is a member of the Administrators group
    UsersGroupName              text, one line, default 'Users'
                                local name of the Users group
    EnableLUA                   flag, true or false, default 'true'
                                User Account Control is on (Windows Vista and later). The setup program asks for administrator rights: with it on, the person is asked first (see ElevationAnswer); with it off, an administrator's program runs with full rights and a standard user's does not start (error 740)
    ElevationAnswer             text, Yes or No, default 'Yes'
                                the person's answer when User Account Control asks to let the setup program run as administrator: an administrator consents or not; a standard user types an administrator's password or not. No: the program does not start (error 1223)
  
  Folders
    WindowsDirectory            text, one line, default 'C:\Windows'
                                the Windows folder
    SystemDirectory             text, one line, default 'C:\Windows\system32'
                                the system folder (SysWOW64 stands in for it under WOW64)
    TempPath                    text, one line, default 'C:\Users\Owner\AppData\Local\Temp\'
                                the user's temporary folder, with its trailing backslash
    ProgramFiles                text, one line, default 'C:\Program Files'
                                Program Files as a 32-bit program sees it
    CommonFiles                 text, one line, default 'C:\Program Files\Common Files'
                                Common Files
    CommonPrograms              text, one line, default 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
                                the all-users Start menu programs folder
    Desktop                     text, one line, default 'C:\Users\Owner\Desktop'
                                the user's desktop folder
    CurrentDirectory            text, one line, default 'C:\Distribution'
                                the folder the setup program starts in (where LYN.CAB is looked for)
  
  Drives
    Drive.<letter>              text, a file-system name, default 'NTFS'
                                makes the drive: NTFS, FAT32 or CDFS (a CD drive), as it is reported
    Drive.<letter>.VolumeName   text, one line, default empty
                                the drive's volume label
    Drive.<letter>.SerialNumber hex number, 0 to 4294967295, default '0x1C4B2E90'
                                the volume serial number
  $ lynsim fields --json | python3 -c 'import json, sys; print("\n".join((f["name"] + " = " + f["default"]).rstrip() for f in json.load(sys.stdin)["fields"] if not f["name"].startswith("Drive.")))' | sort > listed
  $ grep -v '^#\|^Drive\.\|^ProfileVersion' M/profile.ini | sort | diff - listed

path shows where a file lies, found as the 32-bit program finds it: in
SysWOW64 on a 64-bit system, and a relative path in the current folder.

  $ lynsim new X64 --preset win7-ultimate-x64 --set Drive.D=CDFS --set 'CurrentDirectory=D:\' >/dev/null
  $ lynsim path X64 'c:\windows\system32\Lyn.dll' | sed "s|$SCRATCH/||"
  X64/drives/C/Windows/SysWOW64/Lyn.dll
  $ lynsim path X64 LYN.CAB | sed "s|$SCRATCH/||"
  X64/drives/D/LYN.CAB

set changes a machine, or nothing when a field is bad. Changes made at the
same time all survive, and a person's comments in the profile file stay.

  $ lynsim set M wProcessorArchitecture=9 Wow64=true Drive.D=CDFS
  changed 3 fields of machine M
  $ lynsim path M 'C:\Windows\system32' | xargs test -d && lynsim path M 'D:\' | xargs test -d && echo made
  made
  $ lynsim set M dwMajorVersion=5 wProductType=256
  lynsim: bad value '256' for wProductType: expected a number from 0 to 255 (see lynsim help set)
  [2]
  $ grep '^dwMajorVersion' M/profile.ini
  dwMajorVersion = 6
  $ sed -i '1i # lab machine 7, do not reset' M/profile.ini
  $ for s in dwBuildNumber=7777 wServicePackMajor=7 wServicePackMinor=3 wSuiteMask=0x110 GetProductInfo=6 SM_CXSCREEN=1280 SM_CYSCREEN=1024 wProductType=3; do lynsim set M $s >/dev/null & done; wait
  $ head -n 2 M/profile.ini && grep -c . M/profile.ini
  # lab machine 7, do not reset
  # The emulated machine's profile: what its Windows reports about itself.
  41
  $ grep '^dwBuildNumber\|^wServicePack\|^wSuiteMask\|^GetProductInfo\|^SM_C\|^wProductType' M/profile.ini
  dwBuildNumber = 7777
  wServicePackMajor = 7
  wServicePackMinor = 3
  wSuiteMask = 0x0110
  wProductType = 3
  GetProductInfo = 6
  SM_CXSCREEN = 1280
  SM_CYSCREEN = 1024

acl shows the owner and list new set, and the defaults of what it did not:
as the access-list tool lists them, and as SDDL. A key below SOFTWARE takes
Windows 7's list of SOFTWARE, CREATOR OWNER standing for the owner.

  $ lynsim new USERS --set IsAdmin=false --set UsersGroupName=Benutzer --set 'Security:C:\Windows=O:S-1-5-21-7-1234G:SYD:P(A;OICI;0x1200a9;;;BU)(D;;WD;;;WD)' >/dev/null
  $ lynsim acl USERS 'c:/windows'
  C:\Windows BUILTIN\Benutzer:(OI)(CI)(RX)
             Everyone:(DENY)(WDAC)
  $ lynsim acl USERS 'c:\windows' --sddl
  O:S-1-5-21-7-1234G:SYD:P(A;OICI;0x1200a9;;;BU)(D;;WD;;;WD)
  $ lynsim acl USERS 'HKLM\Software\Orrin'
  HKEY_LOCAL_MACHINE\Software\Orrin BUILTIN\Administrators:(I)(F)
                                    CREATOR OWNER:(I)(CI)(IO)(F)
                                    NT AUTHORITY\SYSTEM:(I)(CI)(F)
                                    BUILTIN\Administrators:(I)(CI)(F)
                                    BUILTIN\Benutzer:(I)(CI)(R)

reg reads a REGEDIT4 file from standard input and writes the key back as
either kind of file: version 5 in UTF-16LE, REGEDIT4 on request. A file that
would delete a root key is refused whole.

  $ printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN67]\r\n"Publisher"="Orrin Works"\r\n\r\n' > in.reg
  $ lynsim reg M import - < in.reg
  $ lynsim reg M export 'HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN67' --regedit4 | cmp - in.reg
  $ lynsim reg M export 'HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN67' | head -c 8 | od -An -c
   377 376   W  \0   i  \0   n  \0
  $ printf 'REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\Other]\r\n[-HKLM]\r\n' > root.reg
  $ lynsim reg M import root.reg
  lynsim: root.reg: line 3: a root key cannot be deleted: [-HKLM]
  [1]
  $ lynsim reg M export 'HKLM\SOFTWARE\Orrin' --regedit4 | grep '^\['
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin]
  [HKEY_LOCAL_MACHINE\SOFTWARE\Orrin\LYN67]

Every preset is the edition it claims: the setup program's identification,
through the emulated kernel32 and user32, names it (the default first).

  $ for p in $(lynsim presets | cut -d ' ' -f 1); do lynsim new $p --preset $p >/dev/null && echo "$p: $(lynsim osinfo $p | sed -n 's/^OSName: //p; s/^OSCode: //p' | paste -sd '|')"; done
  win7-ultimate-sp1: Windows 7 Ultimate Edition, 32-bit|14
  wince-5: Windows CE|-1
  unknown-platform: 0
  win31-win32s: Windows 3.1|1
  win95: Windows 95|2
  win95-sp1: Windows 95 SP1|2
  win95-osr2: Windows 95 OSR2|2
  win98: Windows 98|3
  win98-se: Windows 98 SE|3
  winme: Windows ME|4
  nt351: Windows NT 3.x|5
  nt4-sp6: Windows NT 4.x|6
  win2000-pro: Windows 2000 Professional|7
  win2000-server: Windows 2000 Server|8
  win2000-advanced-server: Windows 2000 Advanced Server|8
  win2000-datacenter: Windows 2000 Datacenter Server|8
  winxp-home: Windows XP Home Edition|10
  winxp-pro: Windows XP Professional|9
  winxp-media-center: Windows XP Media Center Edition|9
  winxp-tablet: Windows XP Tablet PC Edition|9
  winxp-starter: Windows XP Starter Edition|10
  winxp-pro-x64: Windows XP Professional x64 Edition|9
  win2003-standard: Windows Server 2003, Standard Edition|11
  win2003-enterprise: Windows Server 2003, Enterprise Edition|11
  win2003-enterprise-x64: Windows Server 2003, Enterprise x64 Edition|11
  win2003-r2: Windows Server 2003 R2, Standard Edition|11
  win2003-storage: Windows Storage Server 2003Standard Edition|11
  vista-business: Windows Vista Business Edition, 32-bit|12
  vista-home-premium-x64: Windows Vista Home Premium Edition, 64-bit|12
  win2008-standard: Windows Server 2008 Standard Edition, 32-bit|13
  win7-professional: Windows 7 , 32-bit|14
  win7-ultimate-x64: Windows 7 Ultimate Edition, 64-bit|14
  win2008r2-enterprise: Windows Server 2008 R2 Enterprise Edition, 64-bit|15
  win8-x64: , 64-bit|0

A profile file reads back as it was written, every preset's and one with
awkward values: rewriting it changes nothing.

  $ for p in $(lynsim presets | cut -d ' ' -f 1); do cp $p/profile.ini was && lynsim set $p SM_CXSCREEN=$(sed -n 's/^SM_CXSCREEN = //p' was) >/dev/null && cmp was $p/profile.ini; done
  $ lynsim new ODD --set 'szCSDVersion=  Service Pack 3  ' --set 'UserName="José"' --set UsersGroupName= --set Drive.D=CDFS --set 'Drive.D.VolumeName=LYN = 6.7' --set Drive.D.SerialNumber=0xDEADBEEF --set SM_CXSCREEN=-1 --set wSuiteMask=0x2000 --set dwBuildNumber=4294967295 --set SM_MEDIACENTER=-2147483648 --set SelfRegistration.MSCOMCTL.OCX=delay=11000,0x80004005 --set SelfRegistration.a.dll=0x80070005 --set SelfRegistration.b.dll=delay=20 >/dev/null
  $ grep 'szCSD\|UserName\|UsersGroup\|Drive.D\|SM_CXSCREEN\|wSuiteMask\|dwBuild\|SM_MEDIA\|SelfReg' ODD/profile.ini
  dwBuildNumber = 4294967295
  szCSDVersion = "  Service Pack 3  "
  wSuiteMask = 0x2000
  SM_MEDIACENTER = -2147483648
  SM_CXSCREEN = -1
  UserName = ""José""
  UsersGroupName =
  Drive.D = CDFS
  Drive.D.VolumeName = LYN = 6.7
  Drive.D.SerialNumber = 0xDEADBEEF
  SelfRegistration.MSCOMCTL.OCX = delay=11000,0x80004005
  SelfRegistration.a.dll = delay=0,0x80070005
  SelfRegistration.b.dll = delay=20,0x00000000
  $ cp ODD/profile.ini was && lynsim set ODD SM_CYSCREEN=768 >/dev/null && cmp was ODD/profile.ini

Edited by hand: Notepad's byte-order mark, comments, blank lines, CR LF,
blanks around the equals sign, a drive letter in lower case.

  $ lynsim new EDITED >/dev/null && { printf '\xef\xbb\xbf# a machine\r\n\r\n'; sed 's/^dwMajorVersion = 6$/  dwMajorVersion =  5 /; s/$/\r/' EDITED/profile.ini; printf 'Drive.d = FAT32\r\n'; } > edited && mv edited EDITED/profile.ini
  $ lynsim osinfo EDITED | head -n 1 && lynsim set EDITED SM_CYSCREEN=768 && grep 'dwMajor\|^Drive.D' EDITED/profile.ini
  OSName: Windows XP Professional
  changed 1 field of machine EDITED
  dwMajorVersion = 5
  Drive.D = FAT32
  Drive.D.VolumeName =
  Drive.D.SerialNumber = 0x00000000

A profile written before a field existed opens, the field taking its
default; one that claims the field's version must have it.

  $ lynsim new OLD --set EnableLUA=false --set ElevationAnswer=No >/dev/null && grep -v '^EnableLUA' OLD/profile.ini > versioned
  $ grep -v '^ProfileVersion\|^ElevationAnswer' versioned > OLD/profile.ini && lynsim run OLD --headless | head -n 1
  elevation: consent Yes
  $ cp versioned OLD/profile.ini && lynsim osinfo OLD
  lynsim: OLD/profile.ini: the profile has no line for EnableLUA
  [1]

A malformed line is named.

  $ for text in 'dwMajorVersion 6' '= 6' '\n# fine\nColour = blue' 'dwMajorVersion = 6\nwProductType = 256' 'Drive.D = CDFS\nDrive.d = NTFS' 'dwMajorVersion = 6' 'ProfileVersion = 99' 'ProfileVersion = 0'; do printf "$text\n" > OLD/profile.ini; lynsim osinfo OLD 2>&1 | cut -c 1-110; done
  lynsim: OLD/profile.ini: profile line 1: expected 'field = value', found 'dwMajorVersion 6'
  lynsim: OLD/profile.ini: profile line 1: expected 'field = value', found '= 6'
  lynsim: OLD/profile.ini: profile line 3: unknown profile field 'Colour'; lynsim fields lists them
  lynsim: OLD/profile.ini: profile line 2: bad value '256' for wProductType: expected a number from 0 to 255
  lynsim: OLD/profile.ini: profile line 2: Drive.d is set again (first on line 1)
  lynsim: OLD/profile.ini: the profile has no line for dwPlatformId, dwMinorVersion, dwBuildNumber, szCSDVersion
  lynsim: OLD/profile.ini: profile line 1: the profile is version 99, made by a later lynsim; this one reads ver
  lynsim: OLD/profile.ini: profile line 1: bad value '0' for ProfileVersion: expected a version from 1

A value that a field cannot hold is refused with one line, and the machine
stays as it was.

  $ cp ODD/profile.ini was
  $ for s in dwMajorVersion=-1 wSuiteMask=0x10000 SM_CXSCREEN=2147483648 dwBuildNumber=12a dwBuildNumber=0x Wow64=yes ElevationAnswer=yes "UserName=two
  > lines" SM_CXSCRN=6 Colour=6 Drive.DE=NTFS Drive.D= Drive.E.VolumeName=DATA Drive.C.Colour=red SelfRegistration.=0 SelfRegistration.a.dll= SelfRegistration.a.dll=delay=soon SelfRegistration.a.dll=delay=5,fail; do lynsim set ODD "$s" 2>&1 | sed 's/ (see lynsim help set)//'; done
  lynsim: bad value '-1' for dwMajorVersion: expected a number from 0 to 4294967295
  lynsim: bad value '0x10000' for wSuiteMask: expected a number from 0 to 65535
  lynsim: bad value '2147483648' for SM_CXSCREEN: expected a number from -2147483648 to 2147483647
  lynsim: bad value '12a' for dwBuildNumber: expected a number from 0 to 4294967295
  lynsim: bad value '0x' for dwBuildNumber: expected a number from 0 to 4294967295
  lynsim: bad value 'yes' for Wow64: expected true or false
  lynsim: bad value 'yes' for ElevationAnswer: expected Yes or No
  lynsim: bad value 'two\nlines' for UserName: expected text on one line
  lynsim: unknown profile field 'SM_CXSCRN'; did you mean SM_CXSCREEN?
  lynsim: unknown profile field 'Colour'; lynsim fields lists them
  lynsim: bad drive field 'Drive.DE': expected Drive.<letter>
  lynsim: bad value '' for Drive.D: expected a file-system name such as NTFS, FAT32 or CDFS
  lynsim: no drive E: set Drive.E to its file system first
  lynsim: unknown drive field 'Drive.C.Colour'
  lynsim: bad field 'SelfRegistration.': expected SelfRegistration.<file name>
  lynsim: bad value '' for SelfRegistration.a.dll: expected a result code, delay=MILLISECONDS, or both separated by a comma
  lynsim: bad value 'soon' for SelfRegistration.a.dll: expected a number from 0 to 4294967295
  lynsim: bad value 'fail' for SelfRegistration.a.dll: expected a number from 0 to 4294967295
  $ cmp was ODD/profile.ini

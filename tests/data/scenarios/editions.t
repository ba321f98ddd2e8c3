The identification's decisions that no preset reaches, one machine each: a
plain workstation with no suite bits, edition number or service pack, and
then the version fields of the row. Each row shows the name, the code and
the 64-bit flag.

  $ lynsim new BASE --set dwPlatformId=2 --set wProductType=1 --set wSuiteMask=0 --set GetProductInfo=0 --set szCSDVersion= --set wServicePackMajor=0 >/dev/null
  $ for row in 'dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=0 dwBuildNumber=949' 'dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=10 dwBuildNumber=2182' 'dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=10 dwBuildNumber=1997' 'dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=50 dwBuildNumber=3000' 'dwMajorVersion=5 dwMinorVersion=3 dwBuildNumber=3790' 'dwMajorVersion=7 dwMinorVersion=0 dwBuildNumber=1' 'dwPlatformId=4 dwMajorVersion=1 dwMinorVersion=0 dwBuildNumber=1'; do rm -rf M && cp -a BASE M && lynsim set M $row >/dev/null && echo "$row: $(lynsim osinfo M | sed -n 's/^OSName: //p; s/^OSCode: //p; s/^Is64BitOS: //p' | paste -sd '|')"; done
  dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=0 dwBuildNumber=949: 2|False
  dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=10 dwBuildNumber=2182: Windows 98 SP1|3|False
  dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=10 dwBuildNumber=1997: 3|False
  dwPlatformId=1 dwMajorVersion=4 dwMinorVersion=50 dwBuildNumber=3000: 0|False
  dwMajorVersion=5 dwMinorVersion=3 dwBuildNumber=3790: 0|False
  dwMajorVersion=7 dwMinorVersion=0 dwBuildNumber=1: 0|False
  dwPlatformId=4 dwMajorVersion=1 dwMinorVersion=0 dwBuildNumber=1: 0|False

Windows XP and Server 2003 (5.1 build 2600, 5.2 build 3790), told apart by
the suite bits, the system metrics and the processor.

  $ for row in 'dwMinorVersion=1 wSuiteMask=0x200 SM_MEDIACENTER=1 SM_STARTER=1' 'dwMinorVersion=1 wSuiteMask=0x200 SM_STARTER=1 SM_TABLETPC=1' 'wProcessorArchitecture=9 Wow64=true' 'wProductType=3 wSuiteMask=0x2002' 'wProductType=3 wSuiteMask=0x80 SM_SERVERR2=1' 'wProductType=3 wSuiteMask=0x4000' 'wProductType=3 wSuiteMask=0x400' 'wProductType=3 wSuiteMask=0x80 wProcessorArchitecture=9 Wow64=true' 'wProductType=3 wProcessorArchitecture=9 Wow64=true' 'wProductType=3 wSuiteMask=0x02 wProcessorArchitecture=6 Wow64=true' 'wProductType=3 wProcessorArchitecture=6 Wow64=true'; do rm -rf M && cp -a BASE M && lynsim set M dwMajorVersion=5 dwMinorVersion=2 dwBuildNumber=3790 >/dev/null && lynsim set M $row >/dev/null && echo "$row: $(lynsim osinfo M | sed -n 's/^OSName: //p; s/^OSCode: //p; s/^Is64BitOS: //p' | paste -sd '|')"; done
  dwMinorVersion=1 wSuiteMask=0x200 SM_MEDIACENTER=1 SM_STARTER=1: Windows XP Media Center Edition|9|False
  dwMinorVersion=1 wSuiteMask=0x200 SM_STARTER=1 SM_TABLETPC=1: Windows XP Starter Edition|10|False
  wProcessorArchitecture=9 Wow64=true: Windows XP Professional x64 Edition|9|True
  wProductType=3 wSuiteMask=0x2002: Windows Server 2003, Enterprise Edition|11|False
  wProductType=3 wSuiteMask=0x80 SM_SERVERR2=1: Windows Server 2003 R2, Datacenter Edition|11|False
  wProductType=3 wSuiteMask=0x4000: Windows Server 2003, Compute Cluster Edition|11|False
  wProductType=3 wSuiteMask=0x400: Windows Server 2003, Web Edition|11|False
  wProductType=3 wSuiteMask=0x80 wProcessorArchitecture=9 Wow64=true: Windows Server 2003, Datacenter x64 Edition|11|False
  wProductType=3 wProcessorArchitecture=9 Wow64=true: Windows Server 2003, Standard x64 Edition|11|False
  wProductType=3 wSuiteMask=0x02 wProcessorArchitecture=6 Wow64=true: Windows Server 2003, Enterprise Edition for Itanium-based Systems|11|False
  wProductType=3 wProcessorArchitecture=6 Wow64=true: Windows Server 2003, |11|False

Version 6 names the edition GetProductInfo reports.

  $ for row in 'dwMinorVersion=0 dwBuildNumber=6002 wProductType=3 wProcessorArchitecture=9 Wow64=true GetProductInfo=8' 'dwMinorVersion=1 dwBuildNumber=7600 wProductType=3 wProcessorArchitecture=9 Wow64=true GetProductInfo=25' 'dwMinorVersion=1 dwBuildNumber=7600 wProcessorArchitecture=6 Wow64=true GetProductInfo=15'; do rm -rf M && cp -a BASE M && lynsim set M dwMajorVersion=6 $row >/dev/null && echo "$row: $(lynsim osinfo M | sed -n 's/^OSName: //p; s/^OSCode: //p; s/^Is64BitOS: //p' | paste -sd '|')"; done
  dwMinorVersion=0 dwBuildNumber=6002 wProductType=3 wProcessorArchitecture=9 Wow64=true GetProductInfo=8: Windows Server 2008 Datacenter Edition, 64-bit|13|True
  dwMinorVersion=1 dwBuildNumber=7600 wProductType=3 wProcessorArchitecture=9 Wow64=true GetProductInfo=25: Windows Server 2008 R2 Small Business Server Premium Edition, 64-bit|15|True
  dwMinorVersion=1 dwBuildNumber=7600 wProcessorArchitecture=6 Wow64=true GetProductInfo=15: Windows 7 Enterprise Edition for Itanium-based Systems|14|False

An unknown system is described by its build alone.

  $ lynsim set BASE dwMajorVersion=9 dwMinorVersion=0 dwBuildNumber=12345 >/dev/null && lynsim osinfo BASE | grep Description
  OSDescription:  (Build 12345)

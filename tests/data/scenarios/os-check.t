The operating-system check at load, one preset of each outcome. A supported
32-bit system shows the licence page at once; a 64-bit one asks, and the
answer decides; Windows 2000 Professional asks with the head of the message;
other systems are refused. On Windows 7 the person first consents to run the
program as administrator.

  $ lynsim new XP --preset winxp-pro >/dev/null
  $ lynsim run XP --headless | grep -v '^control: [^l]'
  shown: frmSetup "LYN Setup"
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: lblClientOS "Operating System:  Windows XP Professional (Build 2600, Service Pack 3)"
  control: lblAcceptYes "I accept the terms of the license agreement."
  control: lblAcceptNo "I do not accept the terms of the license agreement."
  ended: script done
  $ lynsim new X64 --preset win7-ultimate-x64 >/dev/null
  $ lynsim run X64 --headless --answer Yes | sed -n '/^answer/,$p' | grep -v '^control: [^l]'
  answer: Yes
  shown: frmSetup "LYN Setup"
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: lblClientOS "Operating System:  Windows 7 Ultimate Edition, 64-bit (Build 7600)"
  control: lblAcceptYes "I accept the terms of the license agreement."
  control: lblAcceptNo "I do not accept the terms of the license agreement."
  ended: script done
  $ lynsim run X64 --headless --answer No
  elevation: consent Yes
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 7 Ultimate Edition, 64-bit (Build 7600).
    
    The program you are attempting to install has not been tested on Windows 7 Ultimate Edition, 64-bit 64-Bit.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: No
  ended: Untested OS
  $ lynsim new W2K --preset win2000-pro >/dev/null
  $ lynsim run W2K --headless --answer No
  msgbox: "Untested OS" [Yes/No] critical "The Installed Operating System is:- Windows 2000 Professional (Build 2195, Service Pack 4).
    
    The program you are attempting to install has not been tested on Windows 2000 Professional.
    
    You may continue if you wish, but no guarantees are given to the success of the installation
    and performance of the software.  The risk may be minimal, but nevertheless any risk is 
    totally yours.
    
                                                 Do you wish to continue?"
  answer: No
  ended: Untested OS
  $ lynsim new W2003 --preset win2003-standard >/dev/null
  $ lynsim run W2003 --headless --answer OK
  msgbox: "Invalid OS" [OK] critical "The Installed Operating System is:- Windows Server 2003, Standard Edition (Build 3790, Service Pack 2).
    
    The program you are attempting to install has not been tested on Windows Server 2003, Standard Edition.
    
                                       This Installation will now terminate."
  answer: OK
  ended: Invalid OS

lynsim osinfo prints the record the check reads, and the check's outcome:

  $ lynsim new STORAGE --preset win2003-storage >/dev/null
  $ lynsim osinfo STORAGE
  OSName: Windows Storage Server 2003Standard Edition
  OSCode: 11
  BuildNumber: 3790
  ServicePack: Service Pack 2
  OSDescription: Windows Storage Server 2003Standard Edition (Build 3790, Service Pack 2)
  Is64BitOS: False
  Check: Invalid OS
  $ lynsim osinfo X64 --json
  {"osName":"Windows 7 Ultimate Edition, 64-bit","osCode":14,"buildNumber":"7600","servicePack":"","osDescription":"Windows 7 Ultimate Edition, 64-bit (Build 7600)","is64BitOS":true,"check":"Untested OS"}

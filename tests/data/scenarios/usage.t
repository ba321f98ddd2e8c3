The command line as a whole: the version, and each command's help with an
example.

  $ lynsim --version && lynsim -V
  lynsim 6.7.0.0
  lynsim 6.7.0.0
  $ lynsim help
  lynsim: makes, runs and inspects emulated Windows machines for LYN Setup
  Usage: lynsim [OPTIONS] SUBCOMMAND
  
  Options:
    -h,--help                   Print this help message and exit
    -V,--version                Display program version information and exit
  
  Subcommands:
    acl                         The access list of a file, folder or registry key, one entry a line as ACCOUNT:(I)(OI)(CI)(IO)(NP)(DENY)(RIGHTS); with --sddl the owner, group and list in SDDL
    cab                         Drives the setup program's cabinet object on a machine
    cat                         Prints a text file of the machine, converted from its ANSI code page to UTF-8, with LF line ends
    diff                        What differs between two machines: files, registry values, access lists and registrations, one line each
    fields                      Every profile field: its type, what it may hold, its value on the default preset and what it means, grouped
    fileinfo                    The version information of a file of the machine, as the setup program reads it, or of a file of the host
    help                        Prints the help of lynsim, or of one command
    ls                          The files of a folder of the machine, of a pattern with * and ?, or one file: the attributes (D folder, R read-only, H hidden, S system, A archive), the time of the last change (UTC), the size and the name
    matrix                      The compatibility matrix: the install and the uninstall on a machine of every preset and variant, side by side, and one page of the outcomes (OUT/index.html)
    new                         Makes a machine in an empty or absent folder from a preset and settings
    osinfo                      The machine's identification record, as the setup program reads it, and the outcome of its operating-system check
    path                        Where a Windows path of the machine lies on the host
    presets                     The named machines 'lynsim new --preset' makes, the default first
    reg                         Writes the machine's registry, or one key with its subkeys, as a registry editor file (export: "Windows Registry Editor Version 5.00", UTF-16LE), or loads such a file or a REGEDIT4 file into it (import; - reads standard input)
    run                         Runs the setup program on the machine and prints the transcript of what a person would see. In a window when a display is at hand, else headless
    set                         Changes profile fields of an existing machine; files already on it stay, and so do the comments in its profile.ini. Values are checked as in the profile file and 'new --set'
    survey                      The setup program's version survey: each file it would install, the version present and the version shipped, as the install-information log records them
    uninstall                   Removes the product as the system's list of installed programs does: runs the program its uninstall entry names, headless, and prints the transcript
  
  Run 'lynsim help COMMAND' or 'lynsim COMMAND --help' for a command's options and an example.
  $ for c in new set presets fields osinfo run path ls cat fileinfo survey acl reg diff uninstall cab help; do diff <(lynsim $c --help) <(lynsim help $c) && lynsim help $c | grep -c "^Usage: lynsim $c\|^  lynsim $c"; done | sort | uniq -c
       17 2
  $ lynsim help run | sed -n '/^Exit statuses/,/^The transcript/p'
  Exit statuses:
    0  the program ended by itself (Cancel, Finish, a refusal, a second copy) or the
       script was played to its end
    1  the machine, the host or the program failed (the message says which)
    2  the command line is wrong
    3  the script did not fit: a click on a control that is not there, not in view or
       disabled, an answer the box has no button for, a box left unanswered, or steps
       left over when the program ended
    4  Windows did not start the program: the elevation prompt was answered No (error
       1223), or User Account Control is off and the user is no administrator (error 740)
  The transcript's 'ignored:' and 'left over:' lines name the steps that did not fit;

What a command cannot do is one line on error output, nothing on standard
output: status 2 for a command line that does not parse, with the nearest
name when there is one, and 1 for a machine or file that does not allow it.

  $ lynsim new M >/dev/null
  $ lynsim
  lynsim: A subcommand is required (see lynsim help)
  [2]
  $ lynsim frobnicate
  lynsim: 'frobnicate' is not a command (see lynsim help)
  [2]
  $ lynsim rn M
  lynsim: 'rn' is not a command; did you mean run? (see lynsim help)
  [2]
  $ lynsim help rn
  lynsim: 'rn' is not a command; did you mean run? (see lynsim help help)
  [2]
  $ lynsim --verison
  lynsim: '--verison' is not an option of lynsim; did you mean --version? (see lynsim help)
  [2]
  $ lynsim run M --clik cmdOK
  lynsim: '--clik' is not an option of lynsim run; did you mean --click? (see lynsim help run)
  [2]
  $ lynsim uninstall M --yse
  lynsim: '--yse' is not an option of lynsim uninstall; did you mean --yes? (see lynsim help uninstall)
  [2]
  $ lynsim acl M 'C:\' --sddl --json
  lynsim: --sddl excludes --json (see lynsim help acl)
  [2]
  $ lynsim run M --quiet --json
  lynsim: --quiet excludes --json (see lynsim help run)
  [2]
  $ lynsim reg M export > /dev/full
  lynsim: cannot write to standard output: No space left on device
  [1]
  $ lynsim osinfo M > /dev/full
  lynsim: cannot write to standard output: No space left on device
  [1]
  $ lynsim new OTHER --set "Colour$(printf '\033')[31m=$(printf 'x%.0s' $(seq 5000))" | wc -c
  lynsim: unknown profile field 'Colour\x1B[31m'; lynsim fields lists them (see lynsim help new)
  0
  $ lynsim osinfo
  lynsim: DIR is required (see lynsim help osinfo)
  [2]
  $ lynsim osinfo a b
  lynsim: The following argument was not expected: b (see lynsim help osinfo)
  [2]
  $ lynsim fields --colour
  lynsim: '--colour' is not an option of lynsim fields (see lynsim help fields)
  [2]
  $ lynsim osinfo none
  lynsim: no machine at 'none': the folder does not exist
  [1]
  $ lynsim new M
  lynsim: cannot make a machine in 'M': it is not empty
  [1]
  $ lynsim new OTHER --preset win11
  lynsim: unknown preset 'win11' (see lynsim presets) (see lynsim help new)
  [2]
  $ lynsim new OTHER --set Colour=blue
  lynsim: unknown profile field 'Colour'; lynsim fields lists them (see lynsim help new)
  [2]
  $ lynsim new OTHER --set dwMajorVersion
  lynsim: expected FIELD=VALUE, not 'dwMajorVersion' (see lynsim help new)
  [2]
  $ lynsim new OTHER --set 'Security:C:\x=D:(A;;FA;;;Nobody)'
  lynsim: '(A;;FA;;;Nobody)': 'Nobody' is neither an account alias nor an S-1-... identifier (see lynsim help new)
  [2]
  $ lynsim new OTHER --set 'Security:C:\x=allow=Users:1'
  lynsim: 'allow=Users:1': expected O:, G: or D: (see lynsim help new)
  [2]
  $ lynsim new
  lynsim: DIR is required (see lynsim help new)
  [2]
  $ lynsim set M dwmajorversion=5
  lynsim: unknown profile field 'dwmajorversion'; did you mean dwMajorVersion? (see lynsim help set)
  [2]
  $ lynsim path M /etc/passwd
  lynsim: host path '/etc/passwd' is not a path of the machine
  [1]
  $ lynsim path /nonexistent/machine 'C:\'
  lynsim: no machine at '/nonexistent/machine': the folder does not exist
  [1]
  $ lynsim path M
  lynsim: WINPATH is required (see lynsim help path)
  [2]
  $ lynsim path M "C:\\$(printf 'a%.0s' $(seq 300))" 2>&1 | cut -c 1-80
  lynsim: a name in the Windows path 'C:\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa
  $ lynsim ls M 'C:\none'
  lynsim: no file or folder 'C:\none' on the machine
  [1]
  $ lynsim fileinfo M 'C:\Windows\none.dll'
  lynsim: no file 'C:\Windows\none.dll' on the machine
  [1]
  $ lynsim reg M list
  lynsim: ACTION: list not in {export,import} (see lynsim help reg)
  [2]
  $ lynsim diff . M
  lynsim: '.' is not a machine: it has no profile.ini
  [2]
  $ lynsim uninstall M --answer Yes
  lynsim: no uninstall entry 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67', and neither 'C:\Windows\UninstallLYN67.exe' nor 'C:\Windows\UnInstallLYN.log' is there
  [1]
  $ lynsim run none
  lynsim: no machine at 'none': the folder does not exist
  [1]
  $ lynsim run M --answer Maybe
  lynsim: --answer: Maybe not in {Yes,No,OK} (see lynsim help run)
  [2]
  $ lynsim run M --screenshot M/shot.jpeg
  lynsim: --screenshot 'M/shot.jpeg' is neither a .png file nor a folder (end a new folder's name with /) (see lynsim help run)
  [2]
  $ lynsim run M --screenshot /nonexistent/shot.png
  lynsim: cannot write the screenshot /nonexistent/shot.png: the folder /nonexistent does not exist
  [1]
  $ lynsim run M --click
  lynsim: --click: 1 required CONTROL missing (see lynsim help run)
  [2]
  $ lynsim run M --hold -1
  lynsim: --hold: Value -1 not in range 0 to 3600 (see lynsim help run)
  [2]
  $ lynsim run M --headless --gui
  lynsim: --headless excludes --gui (see lynsim help run)
  [2]
  $ lynsim run M --headless --screenshot x.png
  lynsim: --headless excludes --screenshot (see lynsim help run)
  [2]
  $ ls
  M

The licence page, headless whether or not there is a display. Continue is
enabled only while "I accept" is chosen, by its option or its label; each
scripted step's fate is in the transcript: done, refused, or never reached.
A script that does not fit ends with status 3. Nothing is written on error
output.

  $ lynsim new M >/dev/null
  $ lynsim run M --headless 2>/dev/null
  elevation: consent Yes
  shown: frmSetup "LYN Setup"
  control: Image4 picture
  control: Image5 picture
  control: lblPleaseRead "Please read the license agreement before proceeding:"
  control: T1 "LYNWOOD CATALOG SUITE 6.7..."
  control: Image2 picture
  control: Image1 picture
  control: lblClientOS "Operating System:  Windows 7 Ultimate Edition, 32-bit (Build 7601, Service Pack 1)"
  control: OpAccept(0) ""
  control: lblAcceptYes "I accept the terms of the license agreement."
  control: OpAccept(1) "" selected
  control: lblAcceptNo "I do not accept the terms of the license agreement."
  control: cmdOK "Continue" disabled
  control: cmdExit "Cancel"
  ended: script done
  $ lynsim run M --headless --click lblAcceptYes --click OpAccept\(1\) --click lblAcceptNo --click OpAccept\(0\) --click cmdExit | sed -n '/^click/,$p'
  click: lblAcceptYes
  selected: OpAccept(1) false
  selected: OpAccept(0) true
  enabled: cmdOK true
  click: OpAccept(1)
  selected: OpAccept(0) false
  selected: OpAccept(1) true
  enabled: cmdOK false
  click: lblAcceptNo
  click: OpAccept(0)
  selected: OpAccept(1) false
  selected: OpAccept(0) true
  enabled: cmdOK true
  click: cmdExit
  ended: Cancel
  $ lynsim run M --headless --click cmdOK --click cmdExit | tail -n 3
  ignored: cmdOK is disabled
  left over: click cmdExit
  ended: script does not fit
  $ lynsim run M --headless --click lblAcceptYes --click cmdExit --click cmdOK --answer yes | tail -n 4
  click: cmdExit
  left over: click cmdOK
  left over: answer Yes
  ended: Cancel

The run's record: each row's result, the message boxes and the uninstall
log's entries.

  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --json | python3 -c 'import json, sys; r = json.load(sys.stdin); print(r["ending"], [row["result"] for row in r["rows"]], r["messageBoxes"], r["log"]["complete"], len(r["log"]["entries"]), r["failedFiles"])'
  {'reason': 'Finish', 'status': 0} ['done', 'done', 'done', 'done', 'done'] [] True 71 []
  $ lynsim run M --headless --click lblAcceptYes --click cmdOK --answer OK --json | python3 -c 'import json, sys; r = json.load(sys.stdin); print(r["ending"], [row["result"] for row in r["rows"]], r["messageBoxes"][0]["title"], r["log"])'
  {'reason': 'Installation Already Exists', 'status': 0} ['not reached', 'not reached', 'not reached', 'not reached', 'not reached'] Installation Already Exists None

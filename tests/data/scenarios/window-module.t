lynsim loads its window module only for a run that may show a window: a
copy of lynsim without the module beside it still runs headless, and a run
that would need the window names the file it lacks.

  $ lynsim new M >/dev/null
  $ mkdir bin && cp "$(command -v lynsim)" bin/
  $ bin/lynsim run M --headless --click lblAcceptYes --click cmdOK --click cmdExit --quiet | tail -n 1
  ended: Finish
  $ env -u DISPLAY bin/lynsim run M
  lynsim: the window needs $SCRATCH/bin/lynsim-window.so: $SCRATCH/bin/lynsim-window.so: cannot open shared object file: No such file or directory
  [1]

Without a usable display a run falls back to the headless window, unless the
window is asked for; a screenshot uses a private display of the profile's
screen size, which must hold the window.

  $ lynsim new W >/dev/null
  $ env -u DISPLAY lynsim run W --click cmdExit | tail -n 1
  lynsim: no display, using the headless window
  ended: Cancel
  $ env -u DISPLAY lynsim run W --gui
  lynsim: --gui needs a display: no display
  [1]
  $ DISPLAY=:4093 lynsim run W --click cmdExit | tail -n 1
  lynsim: cannot open display ':4093', using the headless window
  ended: Cancel
  $ lynsim set W SM_CXSCREEN=100 >/dev/null && env -u DISPLAY lynsim run W --screenshot x.png; ls x.png
  lynsim: the profile's screen size 100x768 (SM_CXSCREEN x SM_CYSCREEN) is not one a display can have: 640x480 to 8192x8192; change it with lynsim set
  ls: cannot access 'x.png': No such file or directory
  [2]

"""A fresh Wine prefix on a private display, and the product installed into it
by LYNSetup.exe driven through windriver.exe, as a person would: the 64-bit
question answered Yes, the licence accepted, Continue, then Finish.

Wine runs with its own home folder inside the scratch folder and without its
menu builder, so that nothing it does reaches the host user's desktop or
menus, and with the fonts of wine_fonts.reg, which have the metrics of the
Windows fonts the window uses. WineMachine raises WineUnavailable when Wine
cannot start at all.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
FONTS_REG = Path(__file__).with_name("wine_fonts.reg")
# MS Sans Serif of fonts-wine, which Wine finds only in the prefix's fonts.
DIALOG_FONT = Path("/usr/share/wine/fonts/sserife.fon")
# Where the setup program and its cabinet sit, as on the emulated machine.
SOURCE_FOLDER = "C:\\Distribution"
INSTALL_SCRIPT = ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "cmdOK",
                  "--click", "cmdExit"]


def missing_programs(exes_dir, names):
    """Says which of the Windows builds a test needs are not there yet."""
    missing = [name for name in names if not (Path(exes_dir) / name).is_file()]
    for name in missing:
        print(f"missing {exes_dir}/{name}: run scripts/build-windows.sh first", file=sys.stderr)
    return missing


def windows_path(host_path):
    """A host file as Wine's drive Z: shows it."""
    return "Z:" + str(host_path).replace("/", "\\")


class WineUnavailable(Exception):
    pass


def main_or_skip(main):
    """Exits with main()'s status, or with 77 (skipped) and a message when
    Wine cannot start at all."""
    try:
        status = main()
    except WineUnavailable as e:
        print(f"SKIPPED: Wine cannot start here ({e})")
        status = 77
    sys.exit(status)


class WineMachine:
    def __init__(self, scratch):
        self.scratch = Path(scratch)
        self.prefix = self.scratch / "prefix"
        self._xvfb = None
        self.env = None

    def __enter__(self):
        if not os.access(WINE, os.X_OK) or shutil.which("Xvfb") is None:
            raise WineUnavailable("Wine or Xvfb is not installed")
        home = self.scratch / "home"
        home.mkdir(parents=True, exist_ok=True)
        # Xvfb names its display on the pipe once it accepts clients.
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        self.env = dict(os.environ, DISPLAY=":" + number, WINEPREFIX=str(self.prefix),
                        WINEDEBUG="-all", HOME=str(home),
                        WINEDLLOVERRIDES="winemenubuilder.exe=d")
        if subprocess.run([WINE, "wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            self.__exit__(None, None, None)
            raise WineUnavailable("wineboot failed")
        shutil.copy(DIALOG_FONT, self.prefix / "drive_c" / "windows" / "Fonts")
        subprocess.run([WINE, "reg", "import", windows_path(FONTS_REG)], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return self

    def __exit__(self, *_):
        if self.env is not None:
            subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        if self._xvfb is not None:
            self._xvfb.kill()
            self._xvfb.wait()

    def run(self, program, *args, cwd=None):
        """Runs a Windows program; returns what it printed, without CRs."""
        done = subprocess.run([WINE, program, *args], env=self.env, cwd=cwd,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False)
        return done.stdout.decode("utf-8", "replace").replace("\r", "")

    def user_name(self):
        """The account Wine made the prefix's profile for."""
        return next(p.name for p in (self.prefix / "drive_c" / "users").iterdir()
                    if p.name != "Public")

    def host_path(self, windows_path):
        """The host file of a path on drive C:, found as Windows finds it,
        without regard to letter case; None when it does not exist."""
        drive, _, rest = windows_path.partition("\\")
        if drive.upper() != "C:":
            return None
        path = self.prefix / "drive_c"
        for part in filter(None, rest.split("\\")):
            if not path.is_dir():
                return None
            match = [p for p in path.iterdir() if p.name.lower() == part.lower()]
            if not match:
                return None
            path = match[0]
        return path

    def export_key(self, key):
        """A registry key in the registry editor's format, as Wine's reg.exe
        exports it (UTF-16 with a byte-order mark, or plain text)."""
        out = self.scratch / "export.reg"
        subprocess.run([WINE, "reg", "export", key, windows_path(out), "/y"],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not out.exists():
            return ""
        data = out.read_bytes()
        out.unlink()
        text = data.decode("utf-16") if data[:2] == b"\xff\xfe" else data.decode("utf-8")
        return text.replace("\r", "")


def place_product(wine, exes_dir, cabinet):
    """Places LYNSetup.exe, windriver.exe, its hook and the cabinet in
    C:\\Distribution of the prefix; returns that folder on the host."""
    source = wine.prefix / "drive_c" / SOURCE_FOLDER.split("\\")[1]
    source.mkdir(exist_ok=True)
    for name in ("LYNSetup.exe", "windriver.exe", "windriver_hook.dll"):
        shutil.copy(Path(exes_dir) / name, source)
    shutil.copy(cabinet, source / "LYN.CAB")
    return source


def install_product(wine, exes_dir, cabinet, script=INSTALL_SCRIPT):
    """Runs the install from the placed product; returns the driver's transcript."""
    source = place_product(wine, exes_dir, cabinet)
    return wine.run("windriver.exe", "LYNSetup.exe", *script, cwd=source)

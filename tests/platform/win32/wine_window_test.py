#!/usr/bin/python3
"""The real window as a person sees it, under Wine, beside the emulated one.

One prefix serves every check. The install runs through windriver.exe with
its hook, which holds the program at seven moments: the licence accepted,
each progress row complete, Finish shown. At each the driver checks by hit
tests (WindowFromPoint) that each control it reckons in view is what a click
on it lands on and that no point of a covered control reaches it, and the
screen is photographed. The same install on the emulated machine of the
scenario wine-like.t, which reports what Wine reports, takes its pictures at the same moments (lynsim run
--screenshot DIR/). Then, phase by phase:

- the controls in view, and their places, are the same in both worlds, so
  the two backends cannot disagree on what covers what;
- every label breaks its caption into the same lines in both worlds. Both
  draw with fonts of the Windows fonts' metrics (wine_fonts.reg; the FLTK
  window's faces): on Windows the default dialog font, MS Shell Dlg, is
  MS Sans Serif 8 pt, or Microsoft Sans Serif, which Microsoft made to its
  metrics: a 13-pixel cell at 96 dots per inch, ascent 11, average width 5
  and widest character 11 (the bitmap-font table of Wine's gdi32 conformance
  tests, which Windows passes). The MS Sans Serif faces of fonts-wine have
  those metrics; with them "Please read the license agreement before
  proceeding:" is 255 pixels wide, so it stays on one line of its 257-pixel
  label (3855 twips) in all three worlds, which this test requires;
- in each picture the licence text box's place is not white once the panel
  covers it, each row shows its tick (green) where the driver found the tick
  in view and no tick elsewhere, and each control's pixels differ from the
  other world's by at most MAX_DIFFERENCE on average (printed per control).

Message boxes: every box of these runs must be owned by the setup window,
which is disabled while it is up (the driver writes "unowned:" otherwise):
the 64-bit question at load, and, in three more runs, "Installation Already
Exists", "File Missing" (a cabinet that is not one) and "System Files/Folders
in Use" (a read-only file in the temporary folder). Keys: Tab, the arrows and
Space are sent while the run works and again after it; neither may select an
option, enable Continue or start a second run.

usage: wine_window_test.py LYNSIM WINDOWS_BUILD_DIR CABINET [PICTURES_DIR]
With PICTURES_DIR the pictures of both worlds are kept there (wine/, emulated/).
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import golden
from wine_machine import INSTALL_SCRIPT, WINE, WineMachine, main_or_skip, missing_programs, \
    place_product

PHASES = ["0-licence", "1-extraction", "2-files", "3-registration", "4-shortcuts",
          "5-uninstall-entry", "6-finish"]
# The keys go in after Continue, before Finish.
INSTALL = INSTALL_SCRIPT[:-2] + ["--keys"] + INSTALL_SCRIPT[-2:]
# The controls of the licence page, which the progress panel covers from
# Continue on.
PAGE = ["T1", "OpAccept(0)", "OpAccept(1)", "lblAcceptYes", "lblAcceptNo", "lblPleaseRead",
        "cmdOK", "lblClientOS"]
# The licence text box in the client area, in pixels (240, 840, 4395, 3555
# twips).
TEXT_BOX = (16, 56, 293, 237)
# The window's client area, in pixels (8100 x 5475 twips).
CLIENT = (540, 365)
# The tops of the rows' tick and cross in the client area, in pixels: 1815
# to 4680 twips in the panel, which lies 10 twips above the client area.
STATUS_TOPS = (120, 167, 215, 263, 311)
# Mean difference per channel (0 to 255) allowed between the two worlds'
# pixels of one control. The backgrounds are the same gradient, the pictures
# the same artwork and the labels the same bitmap face, all within rounding
# (under 10 when measured); the option buttons' mark is drawn to the same
# pattern. The push buttons and the text box are each world's own drawing
# (their frames, the scroll bar, the text box's face and renderer), which
# measured 20 to 40. A control missing, misplaced or covered in one world
# shows its colours where the other shows the background, well above 48.
MAX_DIFFERENCE = 48


class Picture:
    def __init__(self, png):
        # Stripped of its comment (the screen dump's name), the header is
        # "P6 WIDTH HEIGHT 255".
        ppm = subprocess.run(["convert", str(png), "-strip", "-depth", "8", "ppm:-"],
                             stdout=subprocess.PIPE, check=True).stdout
        header = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", ppm)
        self.width, self.height, self.rgb = int(header[1]), int(header[2]), ppm[header.end():]

    def pixels(self, rect):
        x0, y0, w, h = rect
        for y in range(max(y0, 0), min(y0 + h, self.height)):
            for x in range(max(x0, 0), min(x0 + w, self.width)):
                at = (y * self.width + x) * 3
                yield tuple(self.rgb[at:at + 3])


# A tick is drawn green, a cross red.
TICK_COLOURS = (("imgTick", lambda r, g, b: g > r + 40 and g > b),
                ("imgCross", lambda r, g, b: r > g + 40 and r > b))


def difference(a, b, rect):
    """The two pictures' mean difference per channel in `rect`."""
    channels = [abs(x - y) for p, q in zip(a.pixels(rect), b.pixels(rect)) for x, y in zip(p, q)]
    return sum(channels) / len(channels) if channels else 0.0


def parse_phases(lines):
    """The driver's output split at its "phase:" lines: per phase the client
    area's place, the controls in view with their places, and the lines of
    each label."""
    # What the driver says before its first phase is left out.
    phases, current = {}, {"in view": {}, "lines": {}}
    for line in lines:
        if line.startswith("phase: "):
            current = phases.setdefault(line[7:], {"in view": {}, "lines": {}})
        elif line.startswith("client: "):
            current["client"] = tuple(int(v) for v in line.split()[1:])
        elif line.startswith("in view: "):
            name, *place = line[9:].split()
            current["in view"][name] = clipped(tuple(int(v) for v in place))
        elif line.startswith("lines: "):
            name, _, rest = line[7:].partition(" ")
            current["lines"][name] = rest
    return phases


def clipped(place):
    """The place cut to the client area: the progress panel is as high as the
    window's frame, whose caption bar differs between the two worlds."""
    x, y, w, h = place
    right, bottom = min(x + w, CLIENT[0]), min(y + h, CLIENT[1])
    x, y = max(x, 0), max(y, 0)
    return x, y, right - x, bottom - y


def read_seen(text_file):
    return parse_phases(["phase: "] + Path(text_file).read_text().splitlines())[""]


# What the checks found wrong.
WRONG = []


def check(ok, message):
    if not ok:
        print("WRONG: " + message)
        WRONG.append(message)


def drive_install(wine, source, shots):
    """Runs the install with the hook; photographs the screen at each hold.
    Returns the driver's output lines."""
    with tempfile.TemporaryFile() as stdout:
        driver = subprocess.Popen(
            [WINE, "windriver.exe", "LYNSetup.exe", "--phases", "--hold", "--keys-in-run",
             *INSTALL], cwd=source, env=wine.env, stdin=subprocess.PIPE, stdout=stdout,
            stderr=subprocess.PIPE)
        for raw in driver.stderr:
            line = raw.decode(errors="replace").strip()
            if line.startswith("held "):
                # The driver has printed the phase's client area before it holds.
                screen = shots / (line[5:] + ".xwd")
                subprocess.run(["xwd", "-root", "-silent", "-out", str(screen)], env=wine.env,
                               check=True)
                driver.stdin.write(b"\n")
                driver.stdin.flush()
        driver.wait()
        stdout.seek(0)
        return stdout.read().decode(errors="replace").replace("\r", "").splitlines()


def cut_out(shots, phases):
    """Each photographed screen cut to the window's client area, as PNG."""
    for name, phase in phases.items():
        screen = shots / (name + ".xwd")
        if "client" not in phase or not screen.exists():
            continue
        x, y, w, h = phase["client"]
        subprocess.run(["convert", "xwd:" + str(screen), "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                        str(shots / (name + ".png"))], check=True)
        screen.unlink()


def compare_phase(name, wine_phase, wine_png, emulated_phase, emulated_png):
    where = f"{name}: "
    check(wine_phase["in view"] == emulated_phase["in view"],
          where + "the controls in view differ: Wine " + str(sorted(wine_phase["in view"].items()))
          + ", emulated " + str(sorted(emulated_phase["in view"].items())))
    for label in sorted(set(wine_phase["lines"]) | set(emulated_phase["lines"])):
        check(wine_phase["lines"].get(label) == emulated_phase["lines"].get(label),
              f"{where}{label} reads {wine_phase['lines'].get(label)} under Wine and "
              f"{emulated_phase['lines'].get(label)} on the emulated window")
    if name == "0-licence":
        check(wine_phase["lines"].get("lblPleaseRead", "").count('" "') == 0,
              "the licence heading breaks into two lines")
    else:
        for control in PAGE:
            check(control not in wine_phase["in view"], f"{where}{control} is in view")
    pictures = {"Wine": Picture(wine_png), "emulated": Picture(emulated_png)}
    for world, picture in pictures.items():
        if name != "0-licence":
            white = sum(1 for p in picture.pixels(TEXT_BOX) if p == (255, 255, 255))
            check(white * 10 < TEXT_BOX[2] * TEXT_BOX[3],
                  f"{where}the licence text box shows white through the panel ({world})")
        for row, top in enumerate(STATUS_TOPS):
            for status, colour in TICK_COLOURS:
                shown = f"{status}({row})" in wine_phase["in view"]
                found = sum(1 for p in picture.pixels((264, top, 24, 24)) if colour(*p))
                check(found > 100 if shown else found < 10,
                      f"{where}{status}({row}) is {'' if shown else 'not '}in view but its "
                      f"square has {found} of its pixels ({world})")
    for control, place in sorted(wine_phase["in view"].items()):
        diff = difference(pictures["Wine"], pictures["emulated"], place)
        print(f"{name} {control}: {diff:.1f}")
        check(diff <= MAX_DIFFERENCE, f"{where}{control} differs by {diff:.1f}")


def box_run(wine, source, title):
    """One more run that must end with the box `title`, owned as it must be."""
    out = wine.run("windriver.exe", "LYNSetup.exe", "--answer", "Yes", "--answer", "OK",
                   "--click", "lblAcceptYes", "--click", "cmdOK", cwd=source)
    check(f'msgbox: "{title}"' in out and out.rstrip().endswith("ended: " + title),
          f"the run did not end with {title}:\n{out}")
    check("unowned:" not in out, f"{title}: a box is not owned by the setup window:\n{out}")


def main():
    lynsim, exes, cabinet = sys.argv[1:4]
    keep = Path(sys.argv[4]) if len(sys.argv) > 4 else None
    if missing_programs(exes, ("LYNSetup.exe", "windriver.exe", "windriver_hook.dll")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        scratch = Path(scratch)
        shots = scratch / "wine"
        shots.mkdir()
        with WineMachine(scratch) as wine:
            source = place_product(wine, exes, cabinet)
            output = drive_install(wine, source, shots)
            phases = parse_phases(output)
            cut_out(shots, phases)

            # The boxes of the other stops, in the same prefix.
            box_run(wine, source, "Installation Already Exists")
            shutil.rmtree(wine.host_path("C:\\Program Files\\LYN"))
            (source / "LYN.CAB").write_bytes(b"not a cabinet")
            box_run(wine, source, "File Missing")
            temp_path = wine.run("cmd", "/c", "echo %TEMP%").strip()
            temp = wine.prefix / "drive_c" / temp_path[3:].replace("\\", "/") / "LYNSetup"
            temp.mkdir(parents=True, exist_ok=True)
            (temp / "held.tmp").write_text("held")
            os.chmod(temp / "held.tmp", 0o444)
            box_run(wine, source, "System Files/Folders in Use")

        transcript = "\n".join(output)
        print(transcript)
        check(not any(line.startswith(("wrong:", "unowned:")) for line in output),
              "the driver found the window wrong (see above)")
        check(transcript.endswith("ended: Finish"), "the install did not end with Finish")
        after_continue = transcript.partition("click: cmdOK")[2]
        for sign in ("selected: ", "enabled: cmdOK true", "msgbox: "):
            check(sign not in after_continue, f"after Continue the keys gave {sign!r}")
        check(list(phases) == PHASES, f"the driver held the program at {list(phases)}")

        # The scenario's machine, which reports what Wine reports.
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        env["PATH"] = str(Path(lynsim).resolve().parent) + ":" + env["PATH"]
        subprocess.run(["bash", "-c", golden.new_machine_command()], cwd=scratch, env=env,
                       check=True)
        pictures = scratch / "emulated"
        subprocess.run([lynsim, "run", str(scratch / "M"), *INSTALL_SCRIPT,
                        "--screenshot", str(pictures) + "/"], env=env, stdout=subprocess.DEVNULL,
                       check=True)
        for name in PHASES:
            if name in phases and (pictures / (name + ".txt")).exists():
                compare_phase(name, phases[name], shots / (name + ".png"),
                              read_seen(pictures / (name + ".txt")), pictures / (name + ".png"))
            else:
                check(False, f"{name}: a world has no picture")
        if keep is not None:
            for world in (shots, pictures):
                shutil.copytree(world, keep / world.name, dirs_exist_ok=True)
    print(f"{len(WRONG)} wrong")
    return 1 if WRONG else 0


if __name__ == "__main__":
    main_or_skip(main)

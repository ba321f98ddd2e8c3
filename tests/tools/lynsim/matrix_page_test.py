#!/usr/bin/env python3
"""The matrix's page in a real browser (Debian's headless Chromium, no
driver): the page loads from the disk, its screenshot shows the table with
each cell in its outcome's colour, every link of the page reaches a file, and
a cell's link opens the combination's page, whose links reach its
transcript, logs and differences.

Usage: matrix_page_test.py LYNSIM   (status 77 when Chromium is missing)"""
import shutil
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from pathlib import Path

# The colour of cells whose install finished with failures (matrix_page.cpp).
FAILURES_COLOUR = "#F6DD7D"


class Page(HTMLParser):
    """The matrix table's cells and every link of a page as the browser left it."""

    def __init__(self):
        super().__init__()
        self.links = []
        self.cells = []  # (class, link) of each cell of the matrix table
        self._in_matrix = False
        self._cell = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "table":
            self._in_matrix = attrs.get("id") == "matrix"
        elif tag == "td" and self._in_matrix:
            self._cell = [attrs.get("class"), None]
            self.cells.append(self._cell)
        elif tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
            if self._cell is not None and self._cell[1] is None:
                self._cell[1] = attrs["href"]

    def handle_endtag(self, tag):
        if tag == "td":
            self._cell = None
        elif tag == "table":
            self._in_matrix = False


def browser(profile, *arguments):
    command = [shutil.which("chromium"), "--headless", "--no-sandbox", "--disable-gpu",
               "--no-first-run", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", f"--user-data-dir={profile}", *arguments]
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          timeout=120, check=True).stdout


def loaded(profile, page):
    parsed = Page()
    parsed.feed(browser(profile, "--dump-dom", page.as_uri()))
    return parsed


def missing(page, folder):
    """The links of the page that reach no file in `folder`."""
    return [href for href in page.links if not (folder / href).is_file()]


def main(lynsim):
    if shutil.which("chromium") is None:
        print("SKIPPED: chromium is not installed (scripts/install-deps.sh)")
        return 77
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        out = Path(scratch) / "matrix"
        subprocess.run([lynsim, "matrix", str(out), "--presets", "winxp-pro", "--variants",
                        "standard-user"], stdout=subprocess.DEVNULL, check=True)
        profile = Path(scratch) / "profile"
        main_page = loaded(profile, out / "index.html")
        if missing(main_page, out):
            problems.append(f"the page links files that are not there: {missing(main_page, out)}")
        classes = [cell[0] for cell in main_page.cells]
        if classes != ["o-installed-with-failures", "o-installed-with-failures"]:
            problems.append(f"cells {classes}")

        shot = Path(scratch) / "matrix.png"
        browser(profile, "--window-size=1200,800", f"--screenshot={shot}", (out / "index.html").as_uri())
        colours = subprocess.run(["convert", str(shot), "-format", "%c", "histogram:info:-"],
                                 stdout=subprocess.PIPE, text=True, check=True).stdout
        if FAILURES_COLOUR not in colours:
            problems.append("the screenshot shows no cell in the colour of its outcome")

        link = next((cell[1] for cell in main_page.cells if cell[1] and "standard-user" in cell[1]), None)
        if link is None:
            problems.append("the standard user's cell links nowhere")
        else:
            detail_file = out / link
            detail = loaded(profile, detail_file)
            for wanted in ("install.txt", "install-diff.txt", "diff.txt", "../../../index.html"):
                if wanted not in detail.links:
                    problems.append(f"the combination's page does not link {wanted}")
            if missing(detail, detail_file.parent):
                problems.append(f"the combination's page links files that are not there: "
                                f"{missing(detail, detail_file.parent)}")
    for problem in problems:
        print("FAILED:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

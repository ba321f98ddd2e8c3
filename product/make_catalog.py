#!/usr/bin/env python3
"""Writes the suite's catalogue data file, a SQLite 3 database.

usage: make_catalog.py OUTPUT MAP_NAME...

The database has one table of map sheets (one row per shipped map picture,
with its district and scale) and one of catalogue entries placed on them.
The rows follow from the map names alone, so the output is the same on every
build.
"""
import os
import sqlite3
import sys

KINDS = ["Library", "Archive", "Bookshop", "Reading Room", "Museum"]


def main():
    output, maps = sys.argv[1], sys.argv[2:]
    if os.path.exists(output):
        os.remove(output)
    db = sqlite3.connect(output)
    db.executescript(
        """
        PRAGMA page_size = 1024;
        PRAGMA journal_mode = DELETE;
        PRAGMA user_version = 67;
        CREATE TABLE sheet (id INTEGER PRIMARY KEY, picture TEXT NOT NULL UNIQUE,
                            district TEXT NOT NULL, scale INTEGER NOT NULL);
        CREATE TABLE entry (id INTEGER PRIMARY KEY, sheet INTEGER NOT NULL REFERENCES sheet(id),
                            title TEXT NOT NULL, kind TEXT NOT NULL, x INTEGER NOT NULL,
                            y INTEGER NOT NULL);
        """
    )
    for number, picture in enumerate(maps, start=1):
        district = os.path.splitext(picture)[0].split("_", 1)[1]
        scale = 50000 if district == "Overview" else 10000
        db.execute("INSERT INTO sheet VALUES (?, ?, ?, ?)", (number, picture, district, scale))
        for i, kind in enumerate(KINDS):
            db.execute(
                "INSERT INTO entry (sheet, title, kind, x, y) VALUES (?, ?, ?, ?, ?)",
                (number, f"{district} {kind}", kind, (number * 37 + i * 53) % 320, (number * 29 + i * 41) % 240),
            )
    db.commit()
    db.close()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Exit status 0 when two exported files are the same: the same bytes, or
for workbooks (zip archives) the same members with the same bytes but for
the time of writing recorded in docProps/core.xml.

    same_export.py FILE REFERENCE
"""
import re
import sys
import zipfile


def members(path):
    with zipfile.ZipFile(path) as archive:
        return [(name, re.sub(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ", b"",
                              archive.read(name))
                 if name == "docProps/core.xml" else archive.read(name))
                for name in archive.namelist()]


def main(path, reference):
    if not path.endswith(".xlsx"):
        with open(path, "rb") as a, open(reference, "rb") as b:
            return a.read() == b.read()
    return members(path) == members(reference)


if __name__ == "__main__":
    try:
        sys.exit(0 if main(sys.argv[1], sys.argv[2]) else 1)
    except (OSError, zipfile.BadZipFile):
        sys.exit(1)

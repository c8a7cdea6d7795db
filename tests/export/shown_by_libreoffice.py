#!/usr/bin/env python3
"""Prints the first sheet of a workbook as LibreOffice shows it: converted
headless to CSV with every cell as shown (its number format applied), then
printed as JSON, a list of rows, each a list of cell texts.

    shown_by_libreoffice.py <workbook>

Exit status 77 (skipped) when LibreOffice is not installed; 1 when it fails
or takes longer than 90 s."""
import csv
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile

soffice = shutil.which("soffice") or shutil.which("libreoffice")
if not soffice:
    print("SKIP: LibreOffice is not installed", file=sys.stderr)
    sys.exit(77)

workbook = os.path.abspath(sys.argv[1])
# Comma-separated, quoted with '"', UTF-8, from row 1; the last option saves
# each cell as shown.
csv_filter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"
with tempfile.TemporaryDirectory() as work:
    # A profile of its own: no first-start dialogs, no clash with a running
    # LibreOffice.
    profile = "file://" + os.path.join(work, "profile")
    process = subprocess.Popen(
        [soffice, "-env:UserInstallation=" + profile, "--headless",
         "--norestore", "--convert-to", csv_filter, "--outdir", work,
         workbook],
        stdout=subprocess.PIPE, stderr=subprocess.PIPE,
        start_new_session=True)
    try:
        out, err = process.communicate(timeout=90)
    except subprocess.TimeoutExpired:
        if hasattr(os, "killpg"):
            os.killpg(process.pid, signal.SIGKILL)
        else:
            process.kill()
        process.communicate()
        print("LibreOffice did not finish within 90 s", file=sys.stderr)
        sys.exit(1)
    name = os.path.splitext(os.path.basename(workbook))[0] + ".csv"
    result = os.path.join(work, name)
    if process.returncode != 0 or not os.path.exists(result):
        print("LibreOffice converted nothing:", out.decode(errors="replace"),
              err.decode(errors="replace"), file=sys.stderr)
        sys.exit(1)
    with open(result, encoding="utf-8", newline="") as file:
        rows = list(csv.reader(file))
print(json.dumps(rows, ensure_ascii=False))

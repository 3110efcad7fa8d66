#!/usr/bin/python3
"""The Windows release folder as the two Windows builds install it, against what it must
hold and what its LOADING.txt promises.

    /usr/bin/python3 host/windows/tests/release_listing.py RELEASE_FOLDER

It must hold exactly: LOADING.txt; x64/ and x86/, each with Velmora.xll and Corvane.xll built
for that machine; reference/ with an HTML page for each page of docs/; examples/ with each
example sheet of examples/, unchanged and readable field by field as CSV (the spreadsheet
splits an unquoted formula at its commas). Every file LOADING.txt names is there, and
LOADING.txt names every folder. Exits 1, listing what is wrong.
"""

import csv
import pathlib
import re
import struct
import sys

REPO = pathlib.Path(__file__).resolve().parents[3]
sys.path.insert(0, str(REPO / "libreoffice" / "python"))
from workbook import split_line  # noqa: E402  (how the project's sheets are read)

ADDINS = ("Velmora.xll", "Corvane.xll")
MACHINES = {"x64": 0x8664, "x86": 0x14C}  # the PE header's machine of each folder


def expected_listing():
    files = {"LOADING.txt"}
    for folder in MACHINES:
        files |= {f"{folder}/{addin}" for addin in ADDINS}
    files |= {f"reference/{page.stem}.html" for page in (REPO / "docs").glob("*.md")}
    files |= {f"examples/{sheet.name}" for sheet in (REPO / "examples").glob("*.csv")}
    return files


def pe_machine(path):
    data = path.read_bytes()
    if data[:2] != b"MZ":
        return None
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, header + 4)[0]


def check(release):
    problems = []
    listed = {str(p.relative_to(release)) for p in release.rglob("*") if p.is_file()}
    expected = expected_listing()
    problems += [f"missing: {name}" for name in sorted(expected - listed)]
    problems += [f"not expected: {name}" for name in sorted(listed - expected)]

    for folder, machine in MACHINES.items():
        for addin in ADDINS:
            path = release / folder / addin
            if path.is_file() and pe_machine(path) != machine:
                problems.append(f"{folder}/{addin} is not built for {folder}")

    for sheet in sorted((release / "examples").glob("*.csv")):
        source = REPO / "examples" / sheet.name
        text = sheet.read_text(encoding="utf-8")
        if source.is_file() and text != source.read_text(encoding="utf-8"):
            problems.append(f"examples/{sheet.name} differs from examples/{sheet.name}")
        for number, (line, fields) in enumerate(
                zip(text.splitlines(), csv.reader(text.splitlines())), start=1):
            if fields != (split_line(line) if line else []):
                problems.append(f"examples/{sheet.name} line {number}: a field is not quoted "
                                "as CSV needs (a formula with a comma?)")

    loading = (release / "LOADING.txt").read_text(encoding="utf-8") \
        if (release / "LOADING.txt").is_file() else ""
    for named in sorted(set(re.findall(r"\b([a-z0-9]+)\\([A-Za-z0-9_.*]+)", loading))):
        folder, name = named
        if not any(re.fullmatch(re.escape(f"{folder}/") + re.escape(name).replace(r"\*", ".*"), f)
                   for f in listed):
            problems.append(f"LOADING.txt names {folder}\\{name}, which is not there")
    for folder in sorted({name.split("/")[0] for name in listed if "/" in name}):
        if f"{folder}\\" not in loading:
            problems.append(f"LOADING.txt does not name the folder {folder}")
    return problems


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    release = pathlib.Path(sys.argv[1])
    problems = check(release)
    for problem in problems:
        print("  " + problem)
    files = sum(1 for p in release.rglob("*") if p.is_file())
    print(f"release folder {release}: {files} files, "
          + ("as expected" if not problems else f"{len(problems)} problems"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

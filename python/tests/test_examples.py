"""The Python examples run, write their pictures, and the Overview's schedule is the sheet's."""

import importlib.util
import os
import subprocess
import sys

import pytest

from conftest import REPO, same_bits

EXAMPLES = REPO / "examples" / "python"


@pytest.mark.parametrize("script", ["overview_propofol_tci.py", "context_sensitive_half_times.py",
                                    "bis_guided_propofol_tci.py"])
def test_the_example_prints_its_table_and_writes_its_picture(script, tmp_path):
    picture = tmp_path / "picture.png"
    run = subprocess.run([sys.executable, str(EXAMPLES / script), str(picture)], check=True,
                         capture_output=True, text=True, env={**os.environ, "MPLBACKEND": "Agg"})
    assert len(run.stdout.splitlines()) > 5
    assert picture.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    assert picture.stat().st_size > 20_000  # axes, curves and labels, not an empty canvas


@pytest.mark.parametrize("example, rows", [("overview_propofol_tci", 31),
                                           ("bis_guided_propofol_tci", 61)])
def test_the_example_computes_the_sheets_numbers(sheethost, example, rows):
    spec = importlib.util.spec_from_file_location(example, EXAMPLES / f"{example}.py")
    script = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(script)
    columns = list(script.schedule().values())
    sheet = subprocess.run([str(sheethost), str(REPO / "examples" / f"{example}.csv")],
                           check=True, capture_output=True, text=True).stdout.splitlines()
    header = sheet.index(",".join(script.schedule().keys()))
    table = [[float(cell) for cell in line.split(",")] for line in sheet[header + 1:] if line]
    assert len(table) == len(columns[0]) == rows
    for j, column in enumerate(columns):
        assert same_bits([float(v) for v in column], [row[j] for row in table]), j

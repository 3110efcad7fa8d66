"""What the tests share: the command-line host that runs the add-ins, and the standard
patient (Schnider propofol, 53 y, 77 kg, 177 cm, LBM 59)."""

import math
import os
import subprocess
from pathlib import Path

import numpy as np
import pytest

import corvane
import velmora

REPO = Path(__file__).resolve().parents[2]


def sheethost_path():
    """sheethost of the add-ins' build: $SHEETHOST, else build/addins/sheethost."""
    path = Path(os.environ.get("SHEETHOST", REPO / "build" / "addins" / "sheethost"))
    return path if path.is_file() else None


@pytest.fixture(scope="session")
def sheethost():
    path = sheethost_path()
    if path is None:
        pytest.skip("no sheethost: build the target sheethost (cmake --build build --target "
                    "sheethost) or set SHEETHOST, to compare with the add-ins")
    return path


def literal(value):
    """A Python argument as the formula's literal: a number with every bit (repr), a truth
    value, a text in double quotes, a column (or a block's rows) as an array constant, or
    nothing for None (an argument left out)."""
    if value is None:
        return ""
    if isinstance(value, str):
        return '"' + value.replace('"', '""') + '"'
    if isinstance(value, (bool, np.bool_)):
        return "TRUE" if value else "FALSE"
    if isinstance(value, (list, tuple, np.ndarray)):
        if len(value) and all(isinstance(v, (list, tuple, np.ndarray)) for v in value):
            # rows of a block: {1,2;3,4}
            return "{" + ";".join(",".join(literal(c) for c in row) for row in value) + "}"
        return "{" + ";".join(literal(v) for v in value) + "}"
    number = float(value)
    assert math.isfinite(number), "a formula has no literal for a non-finite number"
    return repr(number)


def formula(name, args):
    return f"={name}({','.join(literal(a) for a in args)})"


def evaluate(sheethost, text):
    """The add-in's cells for one formula: numbers (17 digits, every bit), NaN for a
    non-finite number (#NUM!), or the text of the one cell."""
    out = subprocess.run([str(sheethost), "--eval", text], check=True, capture_output=True,
                         text=True).stdout.splitlines()
    cells = []
    for line in out:
        if line == "#NUM!":
            cells.append(math.nan)
            continue
        try:
            cells.append(float(line))
        except ValueError:
            if line.startswith('"') and line.endswith('"'):
                line = line[1:-1].replace('""', '"')
            cells.append(line)
    return cells


def python_cells(function, args):
    """The Python result as the sheet's cells: a list of numbers, a check's findings, or the
    ValueError's text."""
    try:
        result = function(*args)
    except ValueError as e:
        return [str(e)]
    if isinstance(result, float):  # not finite: the sheet's #NUM!, as in a column
        return [result if math.isfinite(result) else math.nan]
    if isinstance(result, list) and all(isinstance(v, str) for v in result):
        return result
    assert isinstance(result, np.ndarray) and result.dtype == np.float64 and result.ndim == 1
    return [float(v) if math.isfinite(v) else math.nan for v in result]


def same_bits(a, b):
    """Lists of cells equal bit for bit (NaN equals NaN; 0.0 differs from -0.0)."""
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if isinstance(x, float) and isinstance(y, float):
            if not (math.isnan(x) and math.isnan(y)) and x.hex() != y.hex():
                return False
        elif x != y:
            return False
    return True


STANDARD_ROW = velmora.PropSchnider(53, 77, 177, 59)
STANDARD_HYBRID = corvane.Cl2Hyb(STANDARD_ROW[:6])
STANDARD_KE0 = float(STANDARD_ROW[6])

"""help(): every function's docstring says what its reference page says (purpose, arguments
with units, returned cells with units, the texts it refuses with), each in Python's words."""

import re

import pytest

import corvane
import velmora
from conftest import REPO

MODULES = {"velmora": velmora, "corvane": corvane}
CHECKS = {velmora.CovariateCheck, corvane.ScheduleCheck}


def sections(addin):
    """Each function's section of the generated reference page: purpose, arguments and
    cells as (name, unit, meaning), and the texts shown instead of a result."""
    page = (REPO / "docs" / f"{addin}.md").read_text()
    found = {}
    for part in re.split(r"^## ", page, flags=re.M)[1:]:
        name, _, body = part.partition("\n")
        rows = {}
        for heading, table in re.findall(r"^\| (\w+) \| [^\n]*\n\|---[^\n]*\n((?:\|[^\n]*\n)*)",
                                         body, flags=re.M):
            # The first table of a heading: an example's result may be headed "Cell" too.
            rows.setdefault(heading, [[c.strip().replace("\\|", "|")
                                       for c in re.split(r"(?<!\\)\|", r)[1:-1]]
                                      for r in table.splitlines()])
        found[name] = {"purpose": body.strip().split("\n\n")[0],
                       "arguments": rows.get("Argument", []), "cells": rows.get("Cell", []),
                       "texts": [t for t, _ in rows.get("Text", [])]}
    return found


CASES = [(addin, name, section) for addin in MODULES for name, section in sections(addin).items()
         if hasattr(MODULES[addin], name)]


def sheets_conversion(text):
    """A text of the sheet's argument conversion, which Python gives in its own words."""
    return " Conversion to " in text or "Not unidemensional" in text


def test_every_function_has_its_section():
    assert {name for _, name, _ in CASES} == set(velmora.ARGUMENTS) | set(corvane.ARGUMENTS)


@pytest.mark.parametrize("addin, name, section", CASES, ids=[f"{a}.{n}" for a, n, _ in CASES])
def test_the_docstring_carries_the_reference(addin, name, section):
    function = getattr(MODULES[addin], name)
    doc = function.__doc__
    assert " ".join(section["purpose"].split()) in " ".join(doc.split())
    keywords = {r: k for k, r, _ in MODULES[addin].ARGUMENTS[name]}
    lines = doc.splitlines()

    def line_of(start):
        hits = [line.strip() for line in lines if line.strip().startswith(start)]
        assert len(hits) == 1, (name, start)
        return hits[0]

    for registered, unit, meaning in section["arguments"]:
        line = line_of(f'{keywords[registered]} ("{registered}", a ')
        assert line.endswith(": " + meaning), (name, line)
        assert unit in ("", "1 or 0") or f" in {unit})" in line, (name, line)
    for cell, unit, meaning in section["cells"]:
        line = line_of(f"{cell} ({unit}): " if unit else f"{cell}: ")
        assert line.endswith(meaning), (name, line)
    for text in section["texts"]:
        # The sheet's conversion texts: Python lists its own instead (tested below).
        if function in CHECKS or not sheets_conversion(text):
            assert f'"{text}"' in doc, (name, text)


def raised(call):
    with pytest.raises((TypeError, ValueError)) as error:
        call()
    return str(error.value)


def test_the_conversion_texts_listed_are_those_raised():
    for call, function in [
        (lambda: corvane.TciCe([[0, 1], [1, 1]], [0, 4], 200, 1, 0, 0, 1, 0, 0, 1),
         corvane.TciCe),
        (lambda: corvane.TciCe([0, 1], [0, 4], 200, 1, 0, 0, 1, 0, 0, "x"), corvane.TciCe),
        (lambda: corvane.JLBM(77, 177, 2), corvane.JLBM),
        (lambda: corvane.JLBM(77, None, 1), corvane.JLBM),
        (lambda: velmora.PropSchnider(53, 77, "177", 59), velmora.PropSchnider),
    ]:
        assert f'"{raised(call)}"' in function.__doc__
    assert "OPER structure" not in corvane.TciCe.__doc__


def test_each_function_points_to_the_check_that_reads_its_arguments():
    assert 'velmora.CovariateCheck("PropSchnider", age, weight, height, lbm)' in \
        velmora.PropSchnider.__doc__
    assert 'velmora.CovariateCheck("JLBM", weight, height, male)' in corvane.JLBM.__doc__
    assert 'velmora.CovariateCheck("BMI", weight, height)' in corvane.BMI.__doc__
    assert "ScheduleCheck" not in corvane.JLBM.__doc__
    assert "corvane.ScheduleCheck(delta_times=delta_times)" in corvane.TciCe.__doc__
    assert "corvane.ScheduleCheck(times=times, decr=decr)" in corvane.CsDtCp.__doc__
    assert "Check" not in corvane.Cl2Hyb.__doc__


def test_no_docstring_repeats_a_misspelt_registered_description():
    for module in MODULES.values():
        for name in module.ARGUMENTS:
            doc = getattr(module, name).__doc__
            assert "Transferconstant" not in doc and "pateints" not in doc, name

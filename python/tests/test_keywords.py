"""Keyword names, signatures and keyword calls."""

import inspect
import json
import subprocess

import numpy as np
import pytest

import corvane
import velmora

MODULES = [velmora, corvane._corvane]


@pytest.mark.parametrize("registered, keyword", [
    ("deltaTimes", "delta_times"), ("maxRate", "max_rate"), ("MALE", "male"),
    ("IVBolus", "iv_bolus"), ("IC50", "ic50"), ("peak_time", "peak_time"), ("LBM", "lbm"),
    ("Cl1", "cl1"), ("l1", "l1"), ("ke0", "ke0"), ("concEff", "conc_eff"), ("eZero", "e_zero"),
    ("A", "a"), ("Age", "age"), ("pma", "pma"),
])
def test_the_keyword_rule(registered, keyword):
    table = {r: k for m in MODULES for entries in m.ARGUMENTS.values() for k, r, _ in entries}
    assert table[registered] == keyword


@pytest.mark.parametrize("module", MODULES, ids=["velmora", "corvane"])
def test_no_function_has_two_equal_keywords_and_signatures_follow_them(module):
    assert len(module.__all__) == len(module.ARGUMENTS)
    for name in module.__all__:
        keywords = [k for k, _, _ in module.ARGUMENTS[name]]
        assert len(set(keywords)) == len(keywords), name
        assert all(k.isidentifier() for k in keywords), name
        assert list(inspect.signature(getattr(module, name)).parameters) == keywords, name


def test_each_module_has_every_function_its_add_in_registers_with_its_check(sheethost):
    out = subprocess.run([str(sheethost), "--registrations"], check=True, capture_output=True,
                         text=True).stdout
    registered = {}
    for line in out.splitlines():
        record = json.loads(line)
        registered.setdefault(record["category"], set()).add(record["worksheetName"])
    assert set(corvane._corvane.__all__) == registered[corvane.CATEGORY]
    assert set(velmora.__all__) == registered[velmora.CATEGORY]
    assert "ScheduleCheck" in corvane.__all__ and "CovariateCheck" in velmora.__all__
    assert {"PropSchnider", "RemiMinto", "AlfentScott", "LidocainSchnider"} <= set(velmora.__all__)


def test_keyword_calls_equal_positional_calls():
    assert velmora.PropEleveldFinal(70, 170, 40.75, 40, True, False, True, True).tobytes() == \
        velmora.PropEleveldFinal(patient=True, opiates=True, venous=False, male=True, age=40,
                                 pma=40.75, height=170, weight=70).tobytes()
    dt, target = [0, 0.5, 0.5], [0, 3, 3]
    assert corvane.TciCp(dt, target, 500, 0.2, 0.01, 0.001, 1, 0.05, 0.002).tobytes() == \
        corvane.TciCp(delta_times=dt, target_conc=target, max_rate=500, a=0.2, b=0.01, c=0.001,
                      l1=1, l2=0.05, l3=0.002).tobytes()
    with pytest.raises(TypeError):
        corvane.BMI(77, 177, Height=177)


def test_docstrings_name_the_registered_arguments():
    doc = corvane.CalcRate.__doc__
    assert doc.startswith("A plasma target-controlled infusion")  # the reference's purpose
    assert 'The function wizard shows: "Plasma TCI; bolus doses possible"' in doc
    assert 'iv_bolus ("IVBolus", a column' in doc
    assert "Population call" in velmora.PropWhite.__doc__
    assert "Population call" not in corvane.JLBM.__doc__
    assert "neither checks its arguments nor warns" in velmora.PropSchnider.__doc__
    assert 'CovariateCheck("PropSchnider", age, weight, height, lbm) says' in \
        velmora.PropSchnider.__doc__
    assert all(p.default is None
               for p in inspect.signature(corvane.ScheduleCheck).parameters.values())
    assert "corvane.ScheduleWarning" in corvane.ScheduleCheck.__doc__
